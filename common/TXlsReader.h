#pragma once

#include <QString>

class TExcelWorkbook;

// Reads a binary worksheet file (.xls) into a workbook of the stand-in: files
// in the usual compound container through freexl, and bare record streams
// such as the client's own exports (text cells in code page 949 unless a
// CODEPAGE record says otherwise). Throws EExcelError with a message.
class TXlsReader
{
public:
    static void Read(const QString& fileName, TExcelWorkbook& book);
};
