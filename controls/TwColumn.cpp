#include "controls/TwColumn.h"

#include "controls/TwColumnFooter.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGroup.h"
#include "controls/TwGroups.h"

TwColumn::TwColumn(TwCustomGrid* grid, const FooterFactory& footer) : m_grid(grid)
{
    m_title = std::make_unique<TwColumnTitle>(this);
    m_footer = footer ? footer(this) : std::make_unique<TwColumnFooter>(this);
}

TwColumn::~TwColumn() = default;

void TwColumn::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    if (m_grid->Loading() || m_index < 0)
        return;
    if (value)
        m_grid->Columns()->Show(this);
    else
        m_grid->Columns()->Hide(this);
}

int TwColumn::VisibleIndex() const
{
    return m_grid->Columns()->VIndexOf(this);
}

void TwColumn::SetVisibleIndex(int position)
{
    if (position < 0) {
        SetVisible(false);
        return;
    }
    if (!m_visible) {
        m_rememberedVisibleIndex = position;
        SetVisible(true);
        return;
    }
    m_grid->Columns()->MoveVisible(this, position);
}

int TwColumn::Width() const
{
    return m_grid->GroupMode() ? m_grpWidth : m_colWidth;
}

void TwColumn::SetWidth(int value)
{
    value = qMax(4, value);
    const int old = Width();
    if (m_grid->Loading()) {
        (m_grid->GroupMode() ? m_grpWidth : m_colWidth) = value;
        return;
    }
    TwGroup* group = GroupObject();
    if (!m_grid->GroupMode() || !group) {
        (m_grid->GroupMode() ? m_grpWidth : m_colWidth) = value;
        m_grid->UpdateExtents();
        m_grid->InvalidateGrid();
        if (m_grid->OnColumnWidthChange)
            m_grid->OnColumnWidthChange(this, old);
        return;
    }
    // Inside a level the neighbour absorbs the difference.
    const std::vector<TwColumn*>& level = group->LevelColumns(m_level);
    if (level.size() < 2)
        return;
    const size_t pos = size_t(m_levelIndex);
    TwColumn* neighbour = pos + 1 < level.size() ? level[pos + 1] : level[pos - 1];
    int delta = value - m_grpWidth;
    if (delta > 0)
        delta = qMin(delta, neighbour->m_grpWidth - 4);
    const int neighbourOld = neighbour->m_grpWidth;
    m_grpWidth += delta;
    neighbour->m_grpWidth -= delta;
    m_grid->InvalidateGrid();
    if (m_grid->OnColumnWidthChange) {
        m_grid->OnColumnWidthChange(this, old);
        m_grid->OnColumnWidthChange(neighbour, neighbourOld);
    }
}

TwGroup* TwColumn::GroupObject() const
{
    TwGroups* groups = m_grid->Groups();
    return m_group >= 0 && m_group < groups->Count() ? groups->Items(m_group) : nullptr;
}

void TwColumn::SetGroup(int value)
{
    if (m_grid->Loading()) {
        m_group = value;
        return;
    }
    if (value == m_group)
        return;
    if (TwGroup* old = GroupObject())
        old->Leave(this);
    m_group = -1;
    if (value >= 0 && value < m_grid->Groups()->Count()) {
        m_group = value;
        GroupObject()->Join(this, m_level, m_levelIndex);
    }
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}

void TwColumn::SetLevel(int value)
{
    TwGroup* group = m_grid->Loading() ? nullptr : GroupObject();
    if (!group) {
        m_level = value;
        return;
    }
    group->Leave(this);
    group->Join(this, value, m_levelIndex);
    m_grid->InvalidateGrid();
}

void TwColumn::SetLevelIndex(int value)
{
    TwGroup* group = m_grid->Loading() ? nullptr : GroupObject();
    if (!group) {
        m_levelIndex = value;
        return;
    }
    group->MoveInLevel(this, value);
    m_grid->InvalidateGrid();
}

int TwColumn::Weight() const
{
    const TwGroup* group = GroupObject();
    return group ? group->LevelWeight(m_level) : 1;
}

void TwColumn::SetWeight(int value)
{
    if (TwGroup* group = GroupObject())
        group->SetLevelWeight(m_level, value);
}

Qt::Alignment TwColumn::Alignment() const
{
    if (m_alignmentAssigned)
        return m_alignment;
    return IsNumeric() ? Qt::AlignRight : IsPicture() ? Qt::AlignHCenter : Qt::AlignLeft;
}

void TwColumn::SetAlignment(Qt::Alignment value)
{
    m_alignment = value;
    m_alignmentAssigned = true;
    Changed();
}

QFont TwColumn::Font() const
{
    return m_fontAssigned ? m_font : m_grid->font();
}

void TwColumn::SetFont(const QFont& value)
{
    m_font = value;
    m_fontAssigned = true;
    Changed();
}

bool TwColumn::HasItemPairs() const
{
    return !m_items.isEmpty() && !m_values.isEmpty() && m_items.size() >= m_values.size();
}

QString TwColumn::BoolText(bool value) const
{
    if (m_values.size() > 1)
        return m_values.at(value ? 1 : 0);
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void TwColumn::Changed()
{
    m_grid->InvalidateGrid();
}
