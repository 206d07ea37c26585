#pragma once

#include <QString>

class TExcelWorkbook;

// Writes a workbook of the stand-in as a .xlsx file: numbers as numbers, texts
// as texts, Booleans and dates in their own kinds. Rows stream to disk one at
// a time, so memory stays small for large sheets. Throws EExcelError.
class TXlsxWriter
{
public:
    static void Write(TExcelWorkbook& book, const QString& fileName);
};
