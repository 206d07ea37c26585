#include "server/TClosingFormula.h"

#include <cmath>

double TClosingFormula::LateFee(double unpaid, double ratePercent, long long numerator,
                                long long denominator)
{
    // Whole won times rate in hundredths of a percent: exact in 128 bits.
    const __int128 won = std::llround(unpaid);
    const __int128 rateHundredths = std::llround(ratePercent * 100.0);
    const __int128 product = won * rateHundredths * numerator;
    const __int128 divisor = static_cast<__int128>(denominator) * 10000 * 10;
    const __int128 tens = product / divisor; // C++ division truncates towards zero
    return static_cast<double>(tens * 10);
}

TClosingFormula::Result TClosingFormula::Compute(const Input& in)
{
    Result r;
    r.carriedUnpaid = in.billed + in.lastUnpaid - in.paidAmount;
    const double fee = in.paidAmount == 0
        ? LateFee(r.carriedUnpaid, in.delayRate, 1, 12)
        : LateFee(r.carriedUnpaid, in.delayRate, in.delayDays, 365);
    const double delay = in.lastDelay - in.paidDelay + fee;
    r.carriedDelay = delay > 0 ? delay : 0;
    return r;
}
