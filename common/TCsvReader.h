#pragma once

#include <QString>

class TExcelWorkbook;

// Reads a comma-separated file into a one-sheet workbook of the stand-in.
// The bytes are UTF-8 when they carry its byte order mark or are valid
// UTF-8, and code page 949 otherwise. Fields keep the text the file holds:
// nothing is turned into a number or date, so codes such as "0101" keep
// their leading zeros. Throws EExcelError with a message.
class TCsvReader
{
public:
    static void Read(const QString& fileName, TExcelWorkbook& book);
};
