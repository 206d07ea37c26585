#pragma once

#include "controls/ESelvarError.h"

// A text that does not parse as the number or date it should be.
class EConvertError : public ESelvarError
{
public:
    using ESelvarError::ESelvarError;

    static EConvertError InvalidInteger(const QString& text);
    static EConvertError InvalidFloat(const QString& text);
    static EConvertError InvalidDate(const QString& text);
};
