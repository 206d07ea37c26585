#include "controls/TwColumns.h"

#include <QRegularExpression>
#include <algorithm>

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwCustomGrid.h"

TwColumns::TwColumns(TwCustomGrid* grid) : m_grid(grid) {}

TwColumns::~TwColumns() = default;

TwColumn* TwColumns::Add()
{
    const QString caption = NextCaption();
    m_items.push_back(m_grid->CreateColumn());
    TwColumn* column = m_items.back().get();
    column->m_index = Count() - 1;
    column->Title()->SetCaption(caption);
    if (!m_grid->Loading()) {
        column->m_rememberedVisibleIndex = VCount();
        m_visible.push_back(column);
        m_grid->ColumnShown(VCount() - 1);
        m_grid->UpdateExtents();
    }
    return column;
}

void TwColumns::Delete(int index)
{
    TwColumn* column = Items(index);
    if (column->Visible() && VIndexOf(column) >= 0)
        Hide(column);
    column->SetGroup(-1);
    m_items.erase(m_items.begin() + index);
    Renumber();
    m_grid->UpdateExtents();
}

void TwColumns::Clear()
{
    while (Count() > 0)
        Delete(Count() - 1);
}

TwColumn* TwColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw ESelvarError(QStringLiteral("TwColumns Bounds Error in GetItems(%1)").arg(index));
    return m_items[size_t(index)].get();
}

TwColumn* TwColumns::VItems(int index) const
{
    if (index < 0 || index >= VCount())
        throw ESelvarError(QStringLiteral("TwColumns Bounds Error in GetVItems(%1)").arg(index));
    return m_visible[size_t(index)];
}

int TwColumns::VIndexOf(const TwColumn* column) const
{
    const auto it = std::find(m_visible.begin(), m_visible.end(), column);
    return it == m_visible.end() ? -1 : int(it - m_visible.begin());
}

void TwColumns::Show(TwColumn* column)
{
    if (VIndexOf(column) >= 0)
        return;
    const int position = qBound(0, column->m_rememberedVisibleIndex, VCount());
    m_visible.insert(m_visible.begin() + position, column);
    m_grid->ColumnShown(position);
    m_grid->UpdateExtents();
}

void TwColumns::Hide(TwColumn* column)
{
    const int position = VIndexOf(column);
    if (position < 0)
        return;
    column->m_rememberedVisibleIndex = position;
    m_visible.erase(m_visible.begin() + position);
    m_grid->ColumnHidden(position);
    m_grid->UpdateExtents();
}

void TwColumns::MoveVisible(TwColumn* column, int position)
{
    const int from = VIndexOf(column);
    if (from < 0)
        return;
    TwColumn* current = m_grid->CurrentColumn();
    m_visible.erase(m_visible.begin() + from);
    const int to = qBound(0, position, VCount());
    m_visible.insert(m_visible.begin() + to, column);
    column->m_rememberedVisibleIndex = to;
    m_grid->ColumnMoved(current);
}

void TwColumns::RebuildVisible()
{
    m_visible.clear();
    for (const auto& column : m_items)
        if (column->Visible()) {
            column->m_rememberedVisibleIndex = VCount();
            m_visible.push_back(column.get());
        }
}

// "Column" + one more than the largest number found after the word in the
// other captions (upper case comparison); "Column0" when there is none.
QString TwColumns::NextCaption() const
{
    static const QRegularExpression re(QStringLiteral("COLUMN(\\d+)"));
    int next = 0;
    for (const auto& column : m_items) {
        auto it = re.globalMatch(column->Title()->Caption().toUpper());
        while (it.hasNext())
            next = qMax(next, it.next().captured(1).toInt() + 1);
    }
    return QStringLiteral("Column%1").arg(next);
}

void TwColumns::Renumber()
{
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->m_index = int(i);
}
