#include "controls/TwGroup.h"

#include <algorithm>

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGroupTitle.h"
#include "controls/TwGroups.h"

namespace {
ESelvarError LevelBoundsError(int level)
{
    return ESelvarError(QStringLiteral("Level bounds error in GetLevelWeight(%1)").arg(level));
}
} // namespace

TwGroup::TwGroup(TwCustomGrid* grid) : m_grid(grid)
{
    m_weights.fill(1);
    m_title = std::make_unique<TwGroupTitle>(this);
}

TwGroup::~TwGroup() = default;

void TwGroup::SetLevels(int value)
{
    value = qBound(1, value, MaxLevels);
    for (int level = value; level < m_levels; ++level)
        if (!m_levelColumns[size_t(level)].empty())
            throw ESelvarError(QStringLiteral("Level %1에는 연결된 컬럼들이 존재합니다\r\n"
                                              "이들과의 연결을 먼저 끊어야합니다")
                                   .arg(level));
    m_levels = value;
    if (!m_grid->Loading()) {
        m_weights.fill(1);
        m_weight = m_levels;
    }
    m_grid->InvalidateGrid();
}

void TwGroup::SetNoColTitles(bool value)
{
    m_noColTitles = value && m_title->Visible();
    m_grid->InvalidateGrid();
}

void TwGroup::SetVisible(bool value)
{
    m_visible = value;
    if (m_grid->Loading())
        return;
    m_grid->Groups()->RebuildVisible();
    if (m_grid->GroupMode() && m_grid->Groups()->VCount() == 0)
        m_grid->SetGroupMode(false);
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
}

void TwGroup::SetWeight(int value)
{
    if (m_grid->Loading()) {
        m_weight = value;
        return;
    }
    if (m_levels < 2)
        return;
    value = qBound(m_levels, value, 3 * m_levels);
    if (value == m_levels) {
        m_weights.fill(1);
    } else if (value > m_weight) {
        m_weights[0] = quint8(m_weights[0] + value - m_weight);
    } else {
        int decrease = m_weight - value;
        for (int k = 0; k < m_levels && decrease > 0; ++k) {
            const int take = qMin(decrease, m_weights[size_t(k)] - 1);
            m_weights[size_t(k)] = quint8(m_weights[size_t(k)] - take);
            decrease -= take;
        }
    }
    m_weight = value;
    m_grid->InvalidateGrid();
}

int TwGroup::LevelWeight(int level) const
{
    if (level < 0 || level >= m_levels)
        throw LevelBoundsError(level);
    return m_weights[size_t(level)];
}

void TwGroup::SetLevelWeight(int level, int value)
{
    if (level < 0 || level >= m_levels)
        throw LevelBoundsError(level);
    if (m_levels < 2)
        return;
    std::vector<int> oldHeights;
    for (int k = 0; k < m_levels; ++k)
        oldHeights.push_back(RowLevelHeight(k));
    const std::array<quint8, MaxLevels> before = m_weights;
    const int delta = qMax(1, value) - m_weights[size_t(level)];
    if (delta < 0) {
        const int receiver = level + 1 < m_levels ? level + 1 : level - 1;
        m_weights[size_t(receiver)] = quint8(m_weights[size_t(receiver)] - delta);
        m_weights[size_t(level)] = quint8(m_weights[size_t(level)] + delta);
    } else {
        // Taken from the following levels first, then the preceding ones.
        std::vector<int> donors;
        for (int k = level + 1; k < m_levels; ++k)
            donors.push_back(k);
        for (int k = level - 1; k >= 0; --k)
            donors.push_back(k);
        int wanted = delta;
        for (const int k : donors) {
            const int take = qMin(wanted, m_weights[size_t(k)] - 1);
            m_weights[size_t(k)] = quint8(m_weights[size_t(k)] - take);
            m_weights[size_t(level)] = quint8(m_weights[size_t(level)] + take);
            wanted -= take;
        }
    }
    m_grid->InvalidateGrid();
    for (int k = 0; k < m_levels; ++k)
        if (m_weights[size_t(k)] != before[size_t(k)] && m_grid->OnLevelHeightChange)
            m_grid->OnLevelHeightChange(this, k, oldHeights[size_t(k)]);
}

int TwGroup::WidestLevelCount() const
{
    size_t widest = 0;
    for (int k = 0; k < m_levels; ++k)
        widest = std::max(widest, m_levelColumns[size_t(k)].size());
    return int(widest);
}

std::vector<std::pair<TwColumn*, int>> TwGroup::ColumnWidths() const
{
    std::vector<std::pair<TwColumn*, int>> widths;
    for (int k = 0; k < m_levels; ++k)
        for (TwColumn* column : m_levelColumns[size_t(k)])
            widths.emplace_back(column, column->m_grpWidth);
    return widths;
}

void TwGroup::FireColumnWidths(const std::vector<std::pair<TwColumn*, int>>& before)
{
    if (!m_grid->OnColumnWidthChange)
        return;
    for (const auto& [column, oldWidth] : before)
        if (column->m_grpWidth != oldWidth)
            m_grid->OnColumnWidthChange(column, oldWidth);
}

void TwGroup::SetWidth(int value)
{
    if (m_grid->Loading()) {
        m_width = qMax(4, value);
        return;
    }
    const int width = qMax(qMax(4, 4 * WidestLevelCount()), value);
    const int old = m_width;
    const auto before = ColumnWidths();
    for (int k = 0; k < m_levels; ++k) {
        const std::vector<TwColumn*>& columns = m_levelColumns[size_t(k)];
        const int count = int(columns.size());
        if (count == 0)
            continue;
        int used = 0;
        for (int i = 0; i + 1 < count; ++i) {
            TwColumn* column = columns[size_t(i)];
            if (width > old)
                column->m_grpWidth += (width - old) / count;
            else if (width < old)
                column->m_grpWidth = (width - 4 * count) * column->m_grpWidth / old + 4;
            used += column->m_grpWidth;
        }
        columns.back()->m_grpWidth = width - used;
    }
    m_width = width;
    m_grid->UpdateExtents();
    m_grid->InvalidateGrid();
    if (m_grid->OnGroupWidthChange)
        m_grid->OnGroupWidthChange(this, old);
    FireColumnWidths(before);
}

int TwGroup::LevelTop(int level, int height, int extraPerLevel) const
{
    int top = 0;
    const int weight = qMax(1, m_weight);
    for (int k = 1; k <= level; ++k)
        top += height * m_weights[size_t(k - 1)] / weight + extraPerLevel;
    return top;
}

int TwGroup::RowLevelTop(int level) const
{
    return LevelTop(level, m_grid->RowHeight(), 0);
}

int TwGroup::RowLevelHeight(int level) const
{
    const int end = level + 1 < m_levels ? RowLevelTop(level + 1) : m_grid->RowHeight();
    return end - RowLevelTop(level);
}

int TwGroup::TitleHeight() const
{
    if (!m_title->Visible())
        return 0;
    return m_noColTitles ? m_grid->Headers()->Height() : m_title->Height();
}

int TwGroup::HeaderLevelTop(int level) const
{
    const int title = TitleHeight();
    return title + LevelTop(level, m_grid->Headers()->Height() - title, 0);
}

int TwGroup::HeaderLevelHeight(int level) const
{
    const int end = level + 1 < m_levels ? HeaderLevelTop(level + 1) : m_grid->Headers()->Height();
    return end - HeaderLevelTop(level);
}

int TwGroup::FooterLevelTop(int level, int footerHeight) const
{
    return LevelTop(level, footerHeight, 1);
}

int TwGroup::ColumnLeft(const TwColumn* column) const
{
    int left = 0;
    for (const TwColumn* c : m_levelColumns[size_t(column->m_level)]) {
        if (c == column)
            break;
        left += c->m_grpWidth;
    }
    return left;
}

int TwGroup::ColumnWidth(const TwColumn* column) const
{
    const std::vector<TwColumn*>& level = m_levelColumns[size_t(column->m_level)];
    return !level.empty() && level.back() == column ? m_width - ColumnLeft(column) : column->m_grpWidth;
}

void TwGroup::Join(TwColumn* column, int level, int position)
{
    const int l = qBound(0, level, m_levels - 1);
    std::vector<TwColumn*>& columns = m_levelColumns[size_t(l)];
    const int p = qBound(0, position, int(columns.size()));
    columns.insert(columns.begin() + p, column);
    column->m_level = l;
    Renumber(l);
    if (columns.size() == 1) {
        column->m_grpWidth = m_width;
        return;
    }
    TwColumn* neighbour = size_t(p) + 1 < columns.size() ? columns[size_t(p) + 1] : columns[size_t(p) - 1];
    if (neighbour->m_grpWidth < 8) {
        const int extra = 8 - neighbour->m_grpWidth;
        m_width += extra;
        neighbour->m_grpWidth = 4;
        column->m_grpWidth = 4;
        GiveExtraToLastColumns(l);
        return;
    }
    column->m_grpWidth = neighbour->m_grpWidth / 2;
    neighbour->m_grpWidth -= column->m_grpWidth;
}

// The other levels keep filling the group after it grew.
void TwGroup::GiveExtraToLastColumns(int skipLevel)
{
    for (int k = 0; k < m_levels; ++k) {
        std::vector<TwColumn*>& columns = m_levelColumns[size_t(k)];
        if (k == skipLevel || columns.empty())
            continue;
        int used = 0;
        for (size_t i = 0; i + 1 < columns.size(); ++i)
            used += columns[i]->m_grpWidth;
        columns.back()->m_grpWidth = m_width - used;
    }
}

void TwGroup::Leave(TwColumn* column)
{
    std::vector<TwColumn*>& columns = m_levelColumns[size_t(column->m_level)];
    const auto it = std::find(columns.begin(), columns.end(), column);
    if (it == columns.end())
        return;
    columns.erase(it);
    Renumber(column->m_level);
    const int count = int(columns.size());
    if (count == 0)
        return;
    int sum = 0;
    for (const TwColumn* c : columns)
        sum += c->m_grpWidth;
    int used = 0;
    for (int i = 0; i + 1 < count; ++i) {
        columns[size_t(i)]->m_grpWidth += (m_width - sum) / count;
        used += columns[size_t(i)]->m_grpWidth;
    }
    columns.back()->m_grpWidth = m_width - used;
}

void TwGroup::MoveInLevel(TwColumn* column, int position)
{
    std::vector<TwColumn*>& columns = m_levelColumns[size_t(column->m_level)];
    const auto it = std::find(columns.begin(), columns.end(), column);
    if (it == columns.end())
        return;
    columns.erase(it);
    const int p = qBound(0, position, int(columns.size()));
    columns.insert(columns.begin() + p, column);
    Renumber(column->m_level);
}

void TwGroup::AttachLoaded(TwColumn* column)
{
    for (const auto& level : m_levelColumns)
        if (std::find(level.begin(), level.end(), column) != level.end())
            return;
    const int l = qBound(0, column->m_level, m_levels - 1);
    column->m_level = l;
    m_levelColumns[size_t(l)].push_back(column);
    Renumber(l);
}

void TwGroup::Renumber(int level)
{
    std::vector<TwColumn*>& columns = m_levelColumns[size_t(level)];
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i]->m_levelIndex = int(i);
}
