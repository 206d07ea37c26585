#pragma once

#include <QString>

class TExcelWorkbook;

// Reads a .xlsx file into a workbook of the stand-in: every sheet with its
// numbers, shared and inline texts, Booleans, error values and dates (cells
// whose number format shows a date), and which sheet is active. The file is
// never trusted: sizes, cell positions and cell counts are bounded
// (TExcelLimits), and damage ends in EExcelError with a message for the user.
class TXlsxReader
{
public:
    static void Read(const QString& fileName, TExcelWorkbook& book);
};
