#pragma once

#include "controls/ESelvarError.h"

// A file the client must write (or read) cannot be created or accessed.
class EInOutError : public ESelvarError
{
public:
    using ESelvarError::ESelvarError;
};
