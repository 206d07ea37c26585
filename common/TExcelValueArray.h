#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include "common/TExcelWorksheet.h"

// The values of a block of cells taken at one moment, indexed [row, column]
// from 1 like the spreadsheet's arrays. It shares the sheet's cells instead
// of copying them, so reading a whole sheet costs no second copy.
class TExcelValueArray
{
public:
    TExcelValueArray() = default;
    TExcelValueArray(const TExcelWorksheet& snapshot, int row, int col, int rowCount, int colCount);

    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_colCount; }
    // Null for an empty cell or an index outside the array.
    QVariant Value(int row, int col) const;
    // The element converted to text; an empty cell gives "".
    QString Text(int row, int col) const;

    // The standard value-to-text conversion: numbers in plain decimal form,
    // dates as the system's short date (with a four-digit year), Booleans as
    // TRUE/FALSE, null as "".
    static QString ToText(const QVariant& value);

private:
    TExcelWorksheet m_snapshot;
    int m_row = 1, m_col = 1, m_rowCount = 0, m_colCount = 0;
};

Q_DECLARE_METATYPE(TExcelValueArray)
