#pragma once

#include <QString>
#include <functional>

class TXlsTableSource;

// Hands a screen's results to a spreadsheet: into a new workbook of the
// spreadsheet application, or straight into a binary worksheet file.

// The save dialog of SaveGridAsXls: gets the default name and the filter,
// gives the chosen file name or an empty text when cancelled. Tests
// replace it; an empty function restores the real dialog.
using TXlsSaveDialog = std::function<QString(const QString& defaultName, const QString& filter)>;
void SetXlsSaveDialog(const TXlsSaveDialog& dialog);

// The file name as written: any extension other than ".xls" is replaced by it.
QString XlsFileName(const QString& fileName);

// Writes a table to a binary worksheet file: asks for the name when told to,
// makes the extension ".xls", and gives the file's full name, or a message
// starting with "^" when nothing could be written.
QString SaveTableAsXls(const TXlsTableSource& table, const QString& title, bool askFileName,
                       const QString& defaultName);
