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

struct Paid
{
    double amount = 0, delay = 0;
    QString lastDate;
};

// Days from the due date to the last receipt, at least 0.
int DelayDays(const QString& dueDate, const QString& lastReceipt)
{
    if (lastReceipt.isEmpty())
        return 0;
    const qint64 days = TServerInput::ToDate(dueDate).daysTo(TServerInput::ToDate(lastReceipt));
    return static_cast<int>(std::max<qint64>(days, 0));
}
} // namespace

std::vector<TMonthClosing::Row> TMonthClosing::Close(const QString& month,
                                                      const std::vector<ScheduleLine>& lines,
                                                      const std::vector<Row>& previous,
                                                      const std::vector<Receipt>& receipts,
                                                      const QSet<QString>& arrearsContracts)
{
    QHash<QString, Paid> paid;
    for (const Receipt& r : receipts) {
        if (r.month != month)
            continue;
        Paid& p = paid[Key(r.contCode, r.amtCode)];
        (r.gubun == QLatin1String("2") ? p.delay : p.amount) += r.amount;
        p.lastDate = std::max(p.lastDate, r.ipgumDate);
    }
    QHash<QString, const Row*> last;
    for (const Row& row : previous)
        last.insert(Key(row.contCode, row.amtCode), &row);

    std::vector<Row> rows;
    auto close = [&](Row row) {
        const Row* before = last.value(Key(row.contCode, row.amtCode), nullptr);
        const Paid p = paid.value(Key(row.contCode, row.amtCode));
        TClosingFormula::Input in;
        in.billed = row.billed;
        in.lastUnpaid = row.lastUnpaid = before ? before->carriedUnpaid : 0;
        in.lastDelay = row.lastDelay = before ? before->carriedDelay : 0;
        in.paidAmount = row.paidAmount = p.amount;
        in.paidDelay = row.paidDelay = p.delay;
        in.delayRate = row.delayRate;
        in.delayDays = DelayDays(row.napipDate, p.lastDate);
        const auto result = TClosingFormula::Compute(in);
        row.carriedUnpaid = result.carriedUnpaid;
        row.carriedDelay = result.carriedDelay;
        rows.push_back(row);
    };

    QSet<QString> scheduled;
    for (const ScheduleLine& line : lines) {
        if (line.month != month)
            continue;
        scheduled.insert(Key(line.contCode, line.amtCode));
        Row row;
        row.contCode = line.contCode;
        row.amtCode = line.amtCode;
        row.month = month;
        row.napipDate = line.dueDate;
        row.billed = line.amount;
        row.delayRate = line.delayRate;
        close(row);
    }
    for (const Row& before : previous) {
        const bool open = before.carriedUnpaid > 0 || before.carriedDelay > 0;
        if (!open || scheduled.contains(Key(before.contCode, before.amtCode))
            || !arrearsContracts.contains(before.contCode))
            continue;
        Row row;
        row.contCode = before.contCode;
        row.amtCode = before.amtCode;
        row.month = month;
        row.napipDate = ArrearsDueDate(month);
        row.delayRate = before.delayRate;
        close(row);
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.contCode != b.contCode ? a.contCode < b.contCode : a.amtCode < b.amtCode;
    });
    return rows;
}
