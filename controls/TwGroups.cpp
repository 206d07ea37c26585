#include "controls/TwGroups.h"

#include <algorithm>

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGroup.h"
#include "controls/TwGroupTitle.h"

TwGroups::TwGroups(TwCustomGrid* grid) : m_grid(grid) {}

TwGroups::~TwGroups() = default;

TwGroup* TwGroups::Add()
{
    m_items.push_back(std::make_unique<TwGroup>(m_grid));
    TwGroup* group = m_items.back().get();
    group->m_index = Count() - 1;
    group->Title()->SetCaption(QStringLiteral("Group%1").arg(Count() - 1));
    if (!m_grid->Loading())
        RebuildVisible();
    return group;
}

// Its columns leave group mode; later groups move down by one index.
void TwGroups::Delete(int index)
{
    Items(index);
    TwColumns* columns = m_grid->Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        TwColumn* column = columns->Items(i);
        if (column->Group() == index)
            column->SetGroup(-1);
    }
    m_items.erase(m_items.begin() + index);
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->m_index = int(i);
    for (int i = 0; i < columns->Count(); ++i) {
        TwColumn* column = columns->Items(i);
        if (column->m_group > index)
            --column->m_group;
    }
    RebuildVisible();
    if (m_grid->GroupMode() && VCount() == 0)
        m_grid->SetGroupMode(false);
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}

TwGroup* TwGroups::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw ESelvarError(QStringLiteral("TwGroups Bounds Error in GetItems(%1)").arg(index));
    return m_items[size_t(index)].get();
}

TwGroup* TwGroups::VItems(int index) const
{
    if (index < 0 || index >= VCount())
        throw ESelvarError(QStringLiteral("TwGroups Bounds Error in GetVItems(%1)").arg(index));
    return m_visible[size_t(index)];
}

int TwGroups::VIndexOf(const TwGroup* group) const
{
    const auto it = std::find(m_visible.begin(), m_visible.end(), group);
    return it == m_visible.end() ? -1 : int(it - m_visible.begin());
}

void TwGroups::RebuildVisible()
{
    m_visible.clear();
    for (const auto& group : m_items)
        if (group->Visible())
            m_visible.push_back(group.get());
}
