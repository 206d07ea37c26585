#pragma once

#include "controls/ESelvarError.h"

// A failure reported by the database engine; the message is the engine's own text.
class EDatabaseError : public ESelvarError
{
public:
    using ESelvarError::ESelvarError;
};
