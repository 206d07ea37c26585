#pragma once

#include <QString>
#include <vector>

// The payment schedule a contract's terms give: one deposit line (or two when
// the down payment and the balance fall due in different months), and one
// rent and one management-fee line for every month of the lease period.
class TScheduleBuilder
{
public:
    struct Terms
    {
        QString startDate;      // YYYYMMDD
        QString endDate;        // YYYYMMDD
        QString contDate;       // signing date, may be empty
        QString balanceDate;    // due date of the deposit balance, may be empty
        double deposit = 0;
        double firstDeposit = 0;
        double lastDeposit = 0;
        double rent = 0;
        double fee = 0;
        double delayRate = 0;
    };
    struct Line
    {
        QString amtCode;        // "01" deposit, "02" rent, "03" management fee
        QString month;          // YYYYMM
        QString dueDate;        // YYYYMMDD
        double amount = 0;
        double delayRate = 0;
    };

    // Every line of the terms, ordered by month and amount code.
    static std::vector<Line> Lines(const Terms& terms);
    // Every line of a contract's terms, earliest term first: a month shared by
    // two terms (one ends and the next begins in it) is charged by the earlier.
    static std::vector<Line> Lines(const std::vector<Terms>& terms);
    // The rent and fee months of the lease period, first to last.
    static std::vector<QString> Months(const QString& startDate, const QString& endDate);
    // The due date of a month: the start date's day, or the month's last day
    // when the month is shorter.
    static QString DueDate(const QString& month, const QString& startDate);
};
