#include "server/TBillingSummary.h"

#include <algorithm>

const QString TBillingSummary::NoDemand = QStringLiteral("99999999");

TBillingSummary::Row TBillingSummary::Of(const QString& contCode, const QString& month,
                                         const std::vector<TMonthClosing::ScheduleLine>& lines,
                                         const QString& billDate, double billTotal)
{
    Row row;
    row.contCode = contCode;
    row.month = month;
    for (QString& date : row.demandDate)
        date = NoDemand;
    for (const auto& line : lines) {
        const int kind = line.amtCode.toInt() - 1;
        if (line.contCode != contCode || line.month != month || kind < 0 || kind > 2)
            continue;
        row.demandDate[kind] = line.dueDate;
        row.demandMoney[kind] = line.amount;
    }
    if (!billDate.isEmpty()) {
        row.demandDate[2] = billDate;
        row.demandMoney[2] = billTotal;
    }
    return row;
}

double TBillingSummary::Uncollected(double carriedUnpaid, double carriedDelay)
{
    return std::max(0.0, carriedUnpaid) + std::max(0.0, carriedDelay);
}
