#include "screens/nb/TArrearsAging.h"

#include <QDate>
#include <algorithm>

const char* const TArrearsAging::Captions[abCount] = {"미도래", "1~30일", "31~60일", "61~90일", "91~180일",
                                                      "181일 이상"};

double TArrearsAging::Result::Total() const
{
    double total = 0;
    for (double amount : buckets)
        total += amount;
    return total;
}

TArrearsAging::Result& TArrearsAging::Result::operator+=(const Result& other)
{
    for (int b = 0; b < abCount; ++b)
        buckets[b] += other.buckets[b];
    longestDays = std::max(longestDays, other.longestDays);
    return *this;
}

TArrearsAging::TBucket TArrearsAging::BucketOf(int days)
{
    if (days <= 0)
        return abNotDue;
    if (days <= 30)
        return ab1To30;
    if (days <= 60)
        return ab31To60;
    if (days <= 90)
        return ab61To90;
    return days <= 180 ? ab91To180 : abOver180;
}

int TArrearsAging::DaysLate(const QString& dueDate, const QString& refDate)
{
    const QDate due = QDate::fromString(dueDate, QStringLiteral("yyyyMMdd"));
    const QDate ref = QDate::fromString(refDate, QStringLiteral("yyyyMMdd"));
    return due.isValid() && ref.isValid() ? static_cast<int>(due.daysTo(ref)) : 0;
}

TArrearsAging::TArrearsAging(double amount, double lateFee, const QString& lateFeeDate, const QString& refDate)
    : m_refDate(refDate), m_rest(amount), m_lateFee(lateFee), m_lateFeeDate(lateFeeDate)
{
    const double total = amount + lateFee;
    if (total <= 0) {
        if (total < 0)
            Place(QString(), total, false);
        m_rest = m_lateFee = 0;
    } else if (amount < 0) {
        m_rest = 0;
        m_lateFee = total;
    } else if (lateFee < 0) {
        m_rest = total;
        m_lateFee = 0;
    }
}

// A share without a due date (a credit) is not yet due.
void TArrearsAging::Place(const QString& dueDate, double share, bool lateFee)
{
    const int days = dueDate.isEmpty() ? 0 : DaysLate(dueDate, m_refDate);
    m_result.buckets[BucketOf(days)] += share;
    if (days > 0)
        m_result.longestDays = std::max(m_result.longestDays, days);
    m_shares.push_back({dueDate, share, lateFee});
}

void TArrearsAging::Take(const QString& dueDate, double amount)
{
    if (m_rest <= 0 || amount <= 0)
        return;
    const double share = std::min(m_rest, amount);
    Place(dueDate, share, false);
    m_rest -= share;
    m_oldest = dueDate;
}

TArrearsAging::Result TArrearsAging::Finish()
{
    const QString oldest = m_oldest.isEmpty() ? m_lateFeeDate : m_oldest;
    for (auto [amount, lateFee] : {std::pair{m_rest, false}, std::pair{m_lateFee, true}}) {
        if (amount <= 0)
            continue;
        if (oldest.isEmpty()) {
            m_result.buckets[abOver180] += amount;
            m_shares.push_back({QString(), amount, lateFee});
        } else {
            Place(oldest, amount, lateFee);
        }
    }
    m_rest = m_lateFee = 0;
    return m_result;
}
