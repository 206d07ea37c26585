#pragma once

#include "controls/TwTitle.h"

// The top-left corner cell above the indicator column.
class TwHeaderTitle : public TwTitle
{
public:
    using TwTitle::TwTitle;
};
