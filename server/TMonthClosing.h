#pragma once

#include <QSet>
#include <QString>
#include <vector>

// The closing of one payment month, computed from what the month holds: one
// row per schedule line of the month, with the closing screen's preview
// formulas. A balance carried from the previous closing that has no line this
// month gets a line of amount 0 first (ArrearsLines), so the preview shows it
// and the closing carries it on.
class TMonthClosing
{
public:
    struct ScheduleLine
    {
        QString contCode, amtCode, month, dueDate;
        double amount = 0;
        double delayRate = 0;
    };
    struct Receipt
    {
        QString contCode, amtCode, month, napipDate, gubun, ipgumDate;
        double amount = 0;
    };
    struct Row
    {
        QString contCode, amtCode, month, napipDate;
        double lastUnpaid = 0, lastDelay = 0;
        double billed = 0, paidAmount = 0, paidDelay = 0;
        double carriedUnpaid = 0, carriedDelay = 0;
        double delayRate = 0;
    };

    // How the month's receipts divide into late fee and amount.
    enum TSplit {
        spAsBooked,      // as booked: kind "1" on the amount, kind "2" on the late fee
        spLateFeeFirst,  // kind "1" pays the previous late fee first, the rest the amount
    };
    // The closing screen previews a month before the current one with the
    // late fee split off the receipts, the current month as booked.
    static TSplit SplitFor(const QString& month, const QString& currentMonth)
    {
        return month < currentMonth ? spLateFeeFirst : spAsBooked;
    }

    // lines: the month's schedule lines; previous: the previous month's rows;
    // receipts: any, those whose due date lies in a line's due month count.
    static std::vector<Row> Close(const QString& month, const std::vector<ScheduleLine>& lines,
                                  const std::vector<Row>& previous, const std::vector<Receipt>& receipts,
                                  TSplit split);

    // The lines of amount 0 that the month needs for balances carried from the
    // previous closing (contracts that keep arrears under management only).
    static std::vector<ScheduleLine> ArrearsLines(const QString& month, const std::vector<ScheduleLine>& lines,
                                                  const std::vector<Row>& previous,
                                                  const QSet<QString>& arrearsContracts);

    // The due date of a month's arrears line: its first day.
    static QString ArrearsDueDate(const QString& month) { return month + QStringLiteral("01"); }
};
