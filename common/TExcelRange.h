#pragma once

#include <QVariant>

class TExcelValueArray;
class TExcelWorksheet;

// A block of cells of a live sheet, from (Row, Column) to (LastRow, LastColumn),
// all counted from 1. It refers to its sheet and is valid as long as the sheet.
class TExcelRange
{
public:
    struct TCount
    {
        int value;
        int Count() const { return value; }
    };

    TExcelRange(TExcelWorksheet* sheet, int row, int col, int lastRow, int lastCol);

    int Row() const { return m_row; }
    int Column() const { return m_col; }
    int LastRow() const { return m_lastRow; }
    int LastColumn() const { return m_lastCol; }
    TCount Rows() const { return {m_row == 0 ? 0 : m_lastRow - m_row + 1}; }
    TCount Columns() const { return {m_col == 0 ? 0 : m_lastCol - m_col + 1}; }

    // One cell: its value (null when empty). Several cells: a TExcelValueArray.
    QVariant Value() const;
    // Puts the value into every cell of the range.
    void SetValue(const QVariant& value);
    // The values of the range as a two-dimensional array indexed from 1.
    TExcelValueArray Values() const;

private:
    TExcelWorksheet* m_sheet;
    int m_row, m_col, m_lastRow, m_lastCol;
};
