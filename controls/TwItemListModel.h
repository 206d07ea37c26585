#pragma once

#include <QStringList>

#include "controls/TwItemListOption.h"

class TwColumn;

// The lines and columns of a value list. `Values` are what is stored; when
// `Items` pairs with them (present, `Values` not empty, at least as many
// lines), each `Items` line is split at the separator into columns and the
// value may be shown as an extra column at `ValuesIndex`; otherwise the list
// has one column of values.
class TwItemListModel
{
public:
    TwItemListModel() = default;
    TwItemListModel(const QStringList& items, const QStringList& values, const TwItemListOption& option)
        : m_items(items), m_values(values), m_option(option)
    {
    }

    // The value list of a grid column with the column's own list look, or
    // shown with the given look.
    static TwItemListModel ForColumn(const TwColumn& column);
    static TwItemListModel ForColumn(const TwColumn& column, const TwListoption& look);

    const QStringList& Items() const { return m_items; }
    void SetItems(const QStringList& value) { m_items = value; }
    const QStringList& Values() const { return m_values; }
    void SetValues(const QStringList& value) { m_values = value; }
    TwItemListOption& Option() { return m_option; }
    const TwItemListOption& Option() const { return m_option; }

    bool Paired() const;
    int LineCount() const { return m_values.size(); }
    int ColumnCount() const;
    QString CellText(int line, int column) const;
    // A line as the editor and a grid cell show it: its first column.
    QString DisplayText(int line) const { return CellText(line, 0); }
    // The shown text of a stored value (the value itself when not listed).
    QString DisplayTextOf(const QString& value) const;
    // The title of a displayed column (empty when none).
    QString Title(int column) const;
    // First line whose searched text (values for a one-column list, the
    // `Items` line otherwise) starts with `text`; -1 when none.
    int Find(const QString& text) const;

private:
    int ValuesColumn() const;

    QStringList m_items;
    QStringList m_values;
    TwItemListOption m_option;
};
