#pragma once

#include <QString>

class TExcelWorkbook;

// Reads a binary worksheet file (.xls) into a workbook of the stand-in: files
// in the usual compound container through freexl, and bare record streams
// such as the client's own exports (text cells in code page 949 unless a
// CODEPAGE record says otherwise). freexl runs in a reader process of its
// own (selvar_xlsread, beside the executable) with memory and time limits,
// so a file that crashes or exhausts it ends that process, never the client.
// Throws EExcelError with a message.
class TXlsReader
{
public:
    static void Read(const QString& fileName, TExcelWorkbook& book);

    // Where the reader process is; tests point it into the build folder.
    static QString HelperPath();
    static void SetHelperPath(const QString& path);
    // How long the reader process may take for one file (60 s; 0 restores
    // that); tests shorten it.
    static void SetTimeLimit(int milliseconds);
};
