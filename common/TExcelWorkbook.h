#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "common/TExcelWorksheet.h"

// A workbook of the spreadsheet stand-in: its sheets and which one is active.
class TExcelWorkbook
{
public:
    explicit TExcelWorkbook(const QString& fullName);

    QString FullName() const { return m_fullName; }
    int SheetCount() const { return int(m_sheets.size()); }
    TExcelWorksheet& Sheet(int index);
    TExcelWorksheet& AddSheet(const QString& name);
    TExcelWorksheet& ActiveSheet();
    int ActiveSheetIndex() const { return m_active; }
    void SetActiveSheetIndex(int index);

    // Whether the workbook has been handed to the program that shows it.
    bool Shown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }

private:
    QString m_fullName;
    std::vector<std::unique_ptr<TExcelWorksheet>> m_sheets;
    int m_active = 0;
    bool m_shown = false;
};
