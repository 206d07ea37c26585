#include "controls/TwGridHeaders.h"

#include "controls/TwCustomGrid.h"
#include "controls/TwHeaderTitle.h"

TwGridHeaders::TwGridHeaders(TwCustomGrid* grid)
    : m_grid(grid), m_title(std::make_unique<TwHeaderTitle>(grid))
{
}

TwGridHeaders::~TwGridHeaders() = default;

void TwGridHeaders::SetColHeight(int value)
{
    m_colHeight = qMax(4, value);
}

void TwGridHeaders::SetGrpHeight(int value)
{
    m_grpHeight = qMax(8, value);
}

int TwGridHeaders::Height() const
{
    return m_grid->GroupMode() ? m_grpHeight : m_colHeight;
}

void TwGridHeaders::SetHeight(int value)
{
    const int old = Height();
    if (m_grid->GroupMode())
        SetGrpHeight(value);
    else
        SetColHeight(value);
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
    if (m_grid->OnHeaderHeightChange && !m_grid->Loading())
        m_grid->OnHeaderHeightChange(m_grid, old);
}

void TwGridHeaders::SetVisible(bool value)
{
    m_visible = value;
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}
