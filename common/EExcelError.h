#pragma once

#include "controls/ESelvarError.h"

// A failure of the spreadsheet stand-in: a file it cannot read or write, or a
// workbook it cannot show. The message is meant for the user as it stands.
class EExcelError : public ESelvarError
{
public:
    using ESelvarError::ESelvarError;
};
