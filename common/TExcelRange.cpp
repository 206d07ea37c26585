#include "common/TExcelRange.h"

#include "common/TExcelValueArray.h"
#include "common/TExcelWorksheet.h"

TExcelRange::TExcelRange(TExcelWorksheet* sheet, int row, int col, int lastRow, int lastCol)
    : m_sheet(sheet), m_row(row), m_col(col), m_lastRow(lastRow), m_lastCol(lastCol)
{
}

QVariant TExcelRange::Value() const
{
    if (m_row == m_lastRow && m_col == m_lastCol)
        return m_sheet->Value(m_row, m_col);
    return QVariant::fromValue(Values());
}

void TExcelRange::SetValue(const QVariant& value)
{
    for (int row = m_row; row <= m_lastRow; ++row)
        for (int col = m_col; col <= m_lastCol; ++col)
            m_sheet->SetValue(row, col, value);
}

TExcelValueArray TExcelRange::Values() const
{
    return TExcelValueArray(*m_sheet, m_row, m_col, Rows().Count(), Columns().Count());
}
