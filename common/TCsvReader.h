#pragma once

#include <QString>

class TExcelWorkbook;

// Reads a comma-separated file into a one-sheet workbook of the stand-in.
// A byte order mark (UTF-8, UTF-16) decides the encoding; without one each
// line is UTF-8 when valid and code page 949 otherwise (DecodeTextFile). Fields keep the text the file holds:
// nothing is turned into a number or date, so codes such as "0101" keep
// their leading zeros. Throws EExcelError with a message.
class TCsvReader
{
public:
    static void Read(const QString& fileName, TExcelWorkbook& book);
};
