#include "controls/TwGridFooter.h"

#include "controls/TwCustomGrid.h"
#include "controls/TwFooterTitle.h"
#include "controls/TwGridFooters.h"

TwGridFooter::TwGridFooter(TwCustomGrid* grid)
    : m_grid(grid), m_title(std::make_unique<TwFooterTitle>(grid))
{
}

TwGridFooter::~TwGridFooter() = default;

void TwGridFooter::SetColor(const QColor& value)
{
    m_color = value;
    m_grid->InvalidateGrid();
}

void TwGridFooter::SetColHeight(int value)
{
    m_colHeight = qMax(4, value);
}

void TwGridFooter::SetGrpHeight(int value)
{
    m_grpHeight = qMax(8, value);
}

int TwGridFooter::Height() const
{
    return m_grid->GroupMode() ? m_grpHeight : m_colHeight;
}

void TwGridFooter::SetHeight(int value)
{
    if (m_grid->GroupMode())
        SetGrpHeight(value);
    else
        SetColHeight(value);
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}

void TwGridFooter::SetVisible(bool value)
{
    m_visible = value;
    if (!m_grid->Loading())
        m_grid->Footers()->RebuildVisible();
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}
