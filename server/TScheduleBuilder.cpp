#include "server/TScheduleBuilder.h"

#include <QDate>
#include <algorithm>

#include "server/TServerInput.h"

std::vector<QString> TScheduleBuilder::Months(const QString& startDate, const QString& endDate)
{
    std::vector<QString> months;
    const QString last = endDate.left(6);
    for (QString month = startDate.left(6); month <= last; month = TServerInput::MonthAfter(month, 1))
        months.push_back(month);
    return months;
}

QString TScheduleBuilder::DueDate(const QString& month, const QString& startDate)
{
    const QDate first = TServerInput::ToDate(month + QStringLiteral("01"));
    const int day = std::min(startDate.mid(6, 2).toInt(), first.daysInMonth());
    return TServerInput::FromDate(QDate(first.year(), first.month(), std::max(day, 1)));
}

namespace {
void SortLines(std::vector<TScheduleBuilder::Line>& lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
        return a.month != b.month ? a.month < b.month : a.amtCode < b.amtCode;
    });
}

void AddDeposit(std::vector<TScheduleBuilder::Line>& lines, const TScheduleBuilder::Terms& t)
{
    if (t.deposit <= 0)
        return;
    const bool split = t.firstDeposit > 0 && t.lastDeposit > 0 && !t.contDate.isEmpty()
                       && !t.balanceDate.isEmpty()
                       && t.contDate.left(6) != t.balanceDate.left(6);
    if (split) {
        lines.push_back({"01", t.contDate.left(6), t.contDate, t.firstDeposit, t.delayRate});
        lines.push_back({"01", t.balanceDate.left(6), t.balanceDate, t.deposit - t.firstDeposit,
                         t.delayRate});
        return;
    }
    const QString due = !t.balanceDate.isEmpty() ? t.balanceDate : t.startDate;
    lines.push_back({"01", due.left(6), due, t.deposit, t.delayRate});
}
} // namespace

std::vector<TScheduleBuilder::Line> TScheduleBuilder::Lines(const Terms& terms)
{
    std::vector<Line> lines;
    AddDeposit(lines, terms);
    for (const QString& month : Months(terms.startDate, terms.endDate)) {
        const QString due = DueDate(month, terms.startDate);
        if (terms.rent > 0)
            lines.push_back({"02", month, due, terms.rent, terms.delayRate});
        lines.push_back({"03", month, due, terms.fee, terms.delayRate});
    }
    SortLines(lines);
    return lines;
}

std::vector<TScheduleBuilder::Line> TScheduleBuilder::Lines(const std::vector<Terms>& terms)
{
    std::vector<Line> lines;
    QString charged; // the last month an earlier term charges
    for (const Terms& term : terms) {
        for (const Line& line : Lines(term))
            if (line.amtCode == QLatin1String("01") || line.month > charged)
                lines.push_back(line);
        charged = std::max(charged, term.endDate.left(6));
    }
    SortLines(lines);
    return lines;
}
