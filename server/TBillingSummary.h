#pragma once

#include <QString>
#include <vector>

#include "server/TMonthClosing.h"

// The billing line of a contract and month kept for the billing inquiry:
// the due date and amount of the deposit (1), rent (2) and management fee (3).
// A kind without a charge that month carries the date "99999999" and 0. A
// management-fee bill replaces the schedule's due date and amount by its own
// billing date and total.
class TBillingSummary
{
public:
    static const QString NoDemand; // "99999999"

    struct Row
    {
        QString contCode, month;
        QString demandDate[3];
        double demandMoney[3] = {0, 0, 0};
    };

    // lines: the schedule lines of this contract and month.
    static Row Of(const QString& contCode, const QString& month,
                  const std::vector<TMonthClosing::ScheduleLine>& lines,
                  const QString& billDate = QString(), double billTotal = 0);
    // Arrears of one amount kind after a closing: unpaid amount plus late fee, never below 0.
    static double Uncollected(double carriedUnpaid, double carriedDelay);
};
