#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "common/TExcelWorkbook.h"

// The open workbooks of the spreadsheet stand-in; the one added or opened
// last is the active one.
class TExcelWorkbooks
{
public:
    // A new workbook with one empty sheet.
    TExcelWorkbook& Add();
    // Reads a .xlsx, .xls or .csv file into a new active workbook. Throws
    // EExcelError with a message for the user when the file cannot be read.
    TExcelWorkbook& Open(const QString& fileName);
    // Closes every workbook without saving.
    void Close();

    int Count() const { return int(m_books.size()); }
    TExcelWorkbook& Item(int index);
    TExcelWorkbook* Active();

private:
    std::vector<std::unique_ptr<TExcelWorkbook>> m_books;
    int m_added = 0;
};
