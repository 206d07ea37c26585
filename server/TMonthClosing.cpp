#include "server/TMonthClosing.h"

#include <QHash>
#include <algorithm>

#include "server/TClosingFormula.h"
#include "server/TServerInput.h"

namespace {
QString Key(const QString& cont, const QString& amt)
{
    return cont + QLatin1Char('|') + amt;
}

// Days from the due date to the last receipt, at least 0.
int DelayDays(const QString& dueDate, const QString& lastReceipt)
{
    if (lastReceipt.isEmpty())
        return 0;
    const qint64 days = TServerInput::ToDate(dueDate).daysTo(TServerInput::ToDate(lastReceipt));
    return static_cast<int>(std::max<qint64>(days, 0));
}
} // namespace

std::vector<TMonthClosing::Row> TMonthClosing::Close(const QString& month, const std::vector<ScheduleLine>& lines,
                                                      const std::vector<Row>& previous,
                                                      const std::vector<Receipt>& receipts, TSplit split)
{
    QHash<QString, const Row*> last;
    for (const Row& row : previous)
        last.insert(Key(row.contCode, row.amtCode), &row);
    QHash<QString, std::vector<const Receipt*>> byLine;
    for (const Receipt& r : receipts)
        byLine[Key(r.contCode, r.amtCode)].push_back(&r);

    std::vector<Row> rows;
    for (const ScheduleLine& line : lines) {
        if (line.month != month)
            continue;
        Row row;
        row.contCode = line.contCode;
        row.amtCode = line.amtCode;
        row.month = month;
        row.napipDate = line.dueDate;
        row.billed = line.amount;
        row.delayRate = line.delayRate;
        const Row* before = last.value(Key(line.contCode, line.amtCode), nullptr);
        row.lastUnpaid = before ? before->carriedUnpaid : 0;
        row.lastDelay = before ? before->carriedDelay : 0;

        double onAmount = 0, onDelay = 0;
        QString lastDate;
        for (const Receipt* r : byLine.value(Key(line.contCode, line.amtCode))) {
            if (r->napipDate.left(6) != line.dueDate.left(6))
                continue;
            (r->gubun == QLatin1String("2") ? onDelay : onAmount) += r->amount;
            if (r->month == month && r->napipDate == line.dueDate)
                lastDate = std::max(lastDate, r->ipgumDate);
        }
        if (split == spLateFeeFirst) {
            // Only what the previous late fee asks for, never more than was paid.
            const double fee = std::max(0.0, std::min(row.lastDelay, onAmount));
            row.paidDelay = fee;
            row.paidAmount = onAmount - fee;
        } else {
            row.paidDelay = onDelay;
            row.paidAmount = onAmount;
        }
        TClosingFormula::Input in;
        in.billed = row.billed;
        in.lastUnpaid = row.lastUnpaid;
        in.lastDelay = row.lastDelay;
        in.paidAmount = row.paidAmount;
        in.paidDelay = row.paidDelay;
        in.delayRate = row.delayRate;
        in.delayDays = DelayDays(row.napipDate, lastDate);
        const auto result = TClosingFormula::Compute(in);
        row.carriedUnpaid = result.carriedUnpaid;
        row.carriedDelay = result.carriedDelay;
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.contCode != b.contCode ? a.contCode < b.contCode : a.amtCode < b.amtCode;
    });
    return rows;
}

std::vector<TMonthClosing::ScheduleLine> TMonthClosing::ArrearsLines(const QString& month,
                                                                     const std::vector<ScheduleLine>& lines,
                                                                     const std::vector<Row>& previous,
                                                                     const QSet<QString>& arrearsContracts)
{
    QSet<QString> scheduled;
    for (const ScheduleLine& line : lines)
        if (line.month == month)
            scheduled.insert(Key(line.contCode, line.amtCode));
    std::vector<ScheduleLine> added;
    for (const Row& before : previous) {
        const bool open = before.carriedUnpaid != 0 || before.carriedDelay != 0;
        if (!open || scheduled.contains(Key(before.contCode, before.amtCode))
            || !arrearsContracts.contains(before.contCode))
            continue;
        scheduled.insert(Key(before.contCode, before.amtCode));
        added.push_back({before.contCode, before.amtCode, month, ArrearsDueDate(month), 0, before.delayRate});
    }
    return added;
}
