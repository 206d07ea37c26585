#pragma once

#include <QSet>
#include <QString>
#include <vector>

// The closing of one payment month, computed from what the month holds: one
// row per schedule line of the month, plus one row for every balance left
// unpaid at the previous closing that has no schedule line this month, when
// its contract keeps its arrears under management (MINAP_CHK 'Y').
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
        QString contCode, amtCode, month, gubun, ipgumDate;
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

    // lines: the month's schedule lines; previous: the previous month's rows;
    // receipts: the receipts booked against the month (any date).
    static std::vector<Row> Close(const QString& month, const std::vector<ScheduleLine>& lines,
                                  const std::vector<Row>& previous,
                                  const std::vector<Receipt>& receipts,
                                  const QSet<QString>& arrearsContracts);

    // The due date of a month without a schedule line: its first day.
    static QString ArrearsDueDate(const QString& month) { return month + QStringLiteral("01"); }
};
