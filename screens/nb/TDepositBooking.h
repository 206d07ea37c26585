#pragma once

#include <QHash>
#include <QString>
#include <vector>

#include "common/TStoredProc.h"
#include "screens/nb/TBankStatement.h"

class TDatabase;

// Books the deposit lines of one bank statement: a line put on a contract
// becomes a receipt of its month's total line through the receipts' booking
// procedure (PR_NBI010_01, amount code "T"), up to what the month has open;
// what is left over goes to the next month when the clerk said so and that
// month has it open, and the rest becomes a suspense voucher line. A line on
// no contract is a suspense voucher line in full. Every line is recorded
// (PR_NBI060_01), so that the same statement read again books nothing.
//
// Runs inside the caller's transaction and stops at the first refusal, which
// the caller rolls back as a whole.
class TDepositBooking
{
public:
    struct Decision
    {
        TBankLine line;
        QString contCode;       // empty: suspense
        bool toNextMonth = false;
        bool remember = false;  // keep the depositor name for the contract
    };
    struct Result
    {
        int receipts = 0;       // lines booked (at least partly) on a contract
        int suspense = 0;       // suspense voucher lines written
        double receiptAmount = 0;
        double suspenseAmount = 0;
    };

    TDepositBooking(TDatabase& db, const QString& empNo, const QString& ip);

    Result Book(const QString& account, const std::vector<Decision>& decisions);
    // Keeps the column mapping of the account's files, with the titles it was made for.
    void RememberColumns(const QString& account, const QString& columns, const QString& titles);
    // The mapping kept for the account and its titles; both empty when none is.
    static std::pair<QString, QString> RememberedColumns(TDatabase& db, const QString& account);

    // The lines already recorded for the account between two dates: their
    // keys (TBankLine::Key) and the contract each went to (empty: suspense).
    static QHash<QString, QString> Recorded(TDatabase& db, const QString& account, const QString& fromDate,
                                  const QString& toDate);
    // The remark a booked receipt carries.
    static QString Remark(const TBankLine& line, bool nextMonth);

private:
    double BookReceipt(const QString& contCode, const QString& month, const QString& date, double amount,
                       const QString& remark);
    bool Closed(const QString& month);
    void Bind(TStoredProc& proc, std::initializer_list<std::pair<const char*, QString>> values);

    TDatabase& m_db;
    QString m_empNo, m_ip;
    TStoredProc m_receipt, m_line, m_name, m_columns;
};
