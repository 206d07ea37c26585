#include "common/TExcelWorkbook.h"

#include "common/EExcelError.h"

TExcelWorkbook::TExcelWorkbook(const QString& fullName) : m_fullName(fullName)
{
}

TExcelWorksheet& TExcelWorkbook::Sheet(int index)
{
    if (index < 0 || index >= SheetCount())
        throw EExcelError(QStringLiteral("시트가 없습니다: %1").arg(index + 1));
    return *m_sheets[size_t(index)];
}

TExcelWorksheet& TExcelWorkbook::AddSheet(const QString& name)
{
    m_sheets.push_back(std::make_unique<TExcelWorksheet>(name));
    return *m_sheets.back();
}

TExcelWorksheet& TExcelWorkbook::ActiveSheet()
{
    if (m_sheets.empty())
        AddSheet(QStringLiteral("Sheet1"));
    return Sheet(m_active);
}

void TExcelWorkbook::SetActiveSheetIndex(int index)
{
    m_active = index >= 0 && index < SheetCount() ? index : 0;
}
