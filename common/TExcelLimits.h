#pragma once

#include <QtGlobal>

// Bounds on what the spreadsheet stand-in reads from a file, so that a damaged
// or hostile file ends with a message instead of exhausting memory or time.
// Tests lower them to exercise the checks with small files.
struct TExcelLimits
{
    static inline qint64 MaxPartBytes = qint64(256) << 20;  // one decompressed part of a .xlsx
    static inline qint64 MaxTotalBytes = qint64(512) << 20; // all parts of a .xlsx together
    static inline qint64 MaxFileBytes = qint64(32) << 20;   // a .xls or .csv file
    static inline qint64 MaxCells = 4'000'000;              // non-empty cells of a workbook
    static inline qint64 MaxTextChars = 32'000'000;         // characters of all texts kept
};
