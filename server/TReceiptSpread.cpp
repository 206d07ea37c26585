#include "server/TReceiptSpread.h"

#include <algorithm>

double TReceiptSpread::TotalOpen(const std::vector<OpenLine>& lines)
{
    double total = 0;
    for (const OpenLine& line : lines)
        total += std::max(0.0, line.openDelay) + std::max(0.0, line.openAmount);
    return total;
}

std::vector<TReceiptSpread::Part> TReceiptSpread::Spread(double receipt,
                                                         const std::vector<OpenLine>& lines)
{
    std::vector<Part> parts;
    double rest = receipt;
    auto take = [&](const QString& code, const QString& gubun, double open) {
        const double share = std::min(rest, std::max(0.0, open));
        if (share <= 0)
            return;
        parts.push_back({code, gubun, share});
        rest -= share;
    };
    for (const OpenLine& line : lines)
        take(line.amtCode, QStringLiteral("2"), line.openDelay);
    for (const OpenLine& line : lines)
        take(line.amtCode, QStringLiteral("1"), line.openAmount);
    return parts;
}
