#include "controls/TwItemListModel.h"

#include "controls/TwColumn.h"

TwItemListModel TwItemListModel::ForColumn(const TwColumn& column)
{
    return TwItemListModel(column.Items(), column.Values(), column.ListOption());
}

TwItemListModel TwItemListModel::ForColumn(const TwColumn& column, const TwListoption& look)
{
    TwItemListOption option;
    static_cast<TwListoption&>(option) = look;
    option.SetSeparator(column.ListOption().Separator());
    option.SetValuesIndex(column.ListOption().ValuesIndex());
    return TwItemListModel(column.Items(), column.Values(), option);
}

bool TwItemListModel::Paired() const
{
    return !m_items.isEmpty() && !m_values.isEmpty() && m_items.size() >= m_values.size();
}

int TwItemListModel::ColumnCount() const
{
    if (!Paired())
        return 1;
    const int fields = m_items.first().count(m_option.Separator()) + 1;
    return fields + (m_option.ValuesIndex() >= 0 ? 1 : 0);
}

int TwItemListModel::ValuesColumn() const
{
    // A position past the fields puts the values last.
    return m_option.ValuesIndex() < 0 ? -1 : qMin(m_option.ValuesIndex(), ColumnCount() - 1);
}

QString TwItemListModel::CellText(int line, int column) const
{
    if (line < 0 || line >= m_values.size())
        return {};
    if (!Paired())
        return column == 0 ? m_values[line] : QString();
    const int valuesColumn = ValuesColumn();
    if (column == valuesColumn)
        return m_values[line];
    const int field = valuesColumn >= 0 && column > valuesColumn ? column - 1 : column;
    return m_items[line].section(m_option.Separator(), field, field);
}

QString TwItemListModel::DisplayTextOf(const QString& value) const
{
    const int line = m_values.indexOf(value);
    return line < 0 ? value : DisplayText(line);
}

QString TwItemListModel::Title(int column) const
{
    if (m_option.Titles().isEmpty())
        return {};
    return m_option.Titles().section(m_option.Separator(), column, column);
}

int TwItemListModel::Find(const QString& text) const
{
    const Qt::CaseSensitivity cs = m_option.CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringList& searched = Paired() ? m_items : m_values;
    for (int line = 0; line < LineCount(); ++line)
        if (searched[line].startsWith(text, cs))
            return line;
    return -1;
}
