#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// A bank's download of an account's transactions, as the statement import
// reads it: the cells of the sheet, which column holds what (found from the
// title row, or set by the clerk), and the deposit lines.
//
// The table is the active sheet as values, row by row from sheet row 1;
// dates read from a worksheet come as QDate/QDateTime, everything else as the
// sheet holds it (numbers, texts).
using TBankTable = std::vector<std::vector<QVariant>>;

// Columns are counted from 0; -1 means the file has no such column.
struct TBankColumns
{
    int titleRow = -1; // table row of the column titles
    int date = -1;     // date, or date and time in one cell
    int time = -1;
    int deposit = -1;
    int withdrawal = -1;
    int balance = -1;
    int depositor = -1;
    int memo = -1;

    // Date and deposit known: enough to read the lines.
    bool Usable() const { return titleRow >= 0 && date >= 0 && deposit >= 0; }
    // "DATE=0;TIME=-1;..." and back, for remembering a mapping.
    QString ToText() const;
    static TBankColumns FromText(const QString& text);
    bool operator==(const TBankColumns&) const = default;
};

struct TBankLine
{
    int sheetRow = 0;   // 1-based, as the clerk sees it in the file
    QString date;       // YYYYMMDD
    QString time;       // HHMMSS ("000000" when the file gives no time)
    double deposit = 0;
    double balance = 0;
    QString depositor;
    QString memo;
    int occurrence = 1; // the n-th line of the file with the same key

    // What identifies the deposit on its account across files.
    QString Key(const QString& account) const;
};

struct TBankStatement
{
    QString account;    // from the lines above the titles, when the file names it
    std::vector<TBankLine> deposits;
    int withdrawals = 0; // lines with only a withdrawal, skipped
};

namespace BankStatement {

// The active sheet of a .xlsx, .xls or .csv file (through the client's sheet
// readers; .xls in their separate reader process). Throws EExcelError.
TBankTable ReadFile(const QString& fileName);

// The first of the top rows whose titles name a date and a deposit column;
// a result that is not Usable() when no row does.
TBankColumns Detect(const TBankTable& table);

// The account number written above the titles ("계좌번호 : 123-45-6789"), or "".
QString FindAccount(const TBankTable& table, int titleRow);

// Reads the lines below the title row. Bad input throws ESelvarError with a
// message that names the sheet row: an amount that is no number, a date that
// does not exist, a file without deposits.
TBankStatement Parse(const TBankTable& table, const TBankColumns& columns);

// The texts of a row, for showing titles in the mapping choices.
QStringList RowTexts(const TBankTable& table, int row);

} // namespace BankStatement
