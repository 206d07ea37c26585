#pragma once

#include "controls/TwTitle.h"

// The left cell of a footer row; flat by default.
class TwFooterTitle : public TwTitle
{
public:
    explicit TwFooterTitle(TwCustomGrid* grid) : TwTitle(grid) { m_cellStyle = wcsNormal; }
};
