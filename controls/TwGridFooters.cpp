#include "controls/TwGridFooters.h"

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGridFooter.h"

TwGridFooters::TwGridFooters(TwCustomGrid* grid) : m_grid(grid) {}

TwGridFooters::~TwGridFooters() = default;

TwGridFooter* TwGridFooters::Add()
{
    m_items.push_back(std::make_unique<TwGridFooter>(m_grid));
    m_items.back()->m_index = Count() - 1;
    CountChanged();
    return m_items.back().get();
}

void TwGridFooters::Delete(int index)
{
    Items(index);
    m_items.erase(m_items.begin() + index);
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->m_index = int(i);
    CountChanged();
}

void TwGridFooters::Clear()
{
    m_items.clear();
    CountChanged();
}

TwGridFooter* TwGridFooters::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw ESelvarError(QStringLiteral("TwGridFooters Bounds Error in GetItems(%1)").arg(index));
    return m_items[size_t(index)].get();
}

TwGridFooter* TwGridFooters::VItems(int index) const
{
    if (index < 0 || index >= VCount())
        throw ESelvarError(QStringLiteral("TwGridFooters Bounds Error in GetVItems(%1)").arg(index));
    return m_visible[size_t(index)];
}

int TwGridFooters::BandHeight() const
{
    int height = 0;
    for (const TwGridFooter* footer : m_visible)
        height += footer->Height();
    return height;
}

void TwGridFooters::RebuildVisible()
{
    m_visible.clear();
    for (const auto& footer : m_items)
        if (footer->Visible())
            m_visible.push_back(footer.get());
}

void TwGridFooters::CountChanged()
{
    if (!m_grid->Loading())
        RebuildVisible();
    TwColumns* columns = m_grid->Columns();
    for (int i = 0; i < columns->Count(); ++i)
        columns->Items(i)->Footer()->FooterCountChanged(Count());
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}
