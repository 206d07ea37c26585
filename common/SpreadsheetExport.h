#pragma once

#include <QString>
#include <functional>

class TQuery;
class TwMemGrid;
class TXlsTableSource;

// Hands a screen's results to a spreadsheet: into a new workbook of the
// spreadsheet application, or straight into a binary worksheet file.

// True when the spreadsheet application can be created (it is released at
// once); otherwise shows "MS-EXCEL이 설치되어 있지 않습니다." and gives false.
bool CheckExcelInstalled();

// Fills a new workbook from a grid: a title placeholder in row 1, column 2,
// the date and time in row 2, column 3, and every cell of every column
// (hidden ones too) from row 4 on, each value in its own type; then shows
// the workbook. Errors go to the error box.
void ExportGridToExcel(TwMemGrid& grid);

// Fills a new workbook from an open query, from its first record to its end:
// the title (when given) in row 1, column 2; the field names as headings in
// row 3 with a title, row 1 without; text fields forced to stay text. Shows
// the workbook; true when it was filled and shown. Errors go to the error box.
bool ExportQueryToExcel(TQuery& query, const QString& title);

// The save dialog of SaveGridAsXls: gets the default name and the filter,
// gives the chosen file name or an empty text when cancelled. Tests
// replace it; an empty function restores the real dialog.
using TXlsSaveDialog = std::function<QString(const QString& defaultName, const QString& filter)>;
void SetXlsSaveDialog(const TXlsSaveDialog& dialog);

// The file name as written: any extension other than ".xls" is replaced by it.
QString XlsFileName(const QString& fileName);

// Writes a grid to a binary worksheet file: the title, the column captions
// in row 2 and the rows from row 3. Number columns (but those whose display
// format has a "-") hold numbers, all others texts. Gives the file's full
// name, or a message starting with "^".
QString SaveGridAsXls(TwMemGrid& grid, const QString& title, bool askFileName, const QString& defaultName);

// Writes a table to a binary worksheet file: asks for the name when told to,
// makes the extension ".xls", and gives the file's full name, or a message
// starting with "^" when nothing could be written.
QString SaveTableAsXls(const TXlsTableSource& table, const QString& title, bool askFileName,
                       const QString& defaultName);
