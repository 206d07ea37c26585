#pragma once

// The carry-over of one schedule line at the monthly closing.
//   carried unpaid   = billed + previous unpaid - receipts on the amount
//   carried late fee = previous late fee - late-fee receipts
//                      + late fee on the carried unpaid amount, never below 0
// The late fee is unpaid x yearly rate x f, cut down to tens of won, where f is
// 1/12 when nothing was received on the amount in the month, otherwise the days
// from the due date to the last receipt over 365. Amounts are whole won and
// the rate has at most two decimals, so the arithmetic is exact.
class TClosingFormula
{
public:
    struct Input
    {
        double billed = 0;          // NAPIP_AMT of the month
        double lastUnpaid = 0;      // THIS_MINAPAMT of the previous month's closing
        double lastDelay = 0;       // THIS_MINAPDEALYAMT of the previous month's closing
        double paidAmount = 0;      // receipts of kind "1"
        double paidDelay = 0;       // receipts of kind "2"
        double delayRate = 0;       // yearly percent
        int delayDays = 0;          // due date to last receipt, at least 0
    };
    struct Result
    {
        double carriedUnpaid = 0;
        double carriedDelay = 0;
    };

    static Result Compute(const Input& in);
    // unpaid x rate/100 x numerator/denominator, truncated towards zero to tens.
    static double LateFee(double unpaid, double ratePercent, long long numerator, long long denominator);
};
