#include "common/TBusinessClock.h"

namespace {
QDate FromEnvironment()
{
    const QByteArray text = qgetenv("SELVAR_TODAY").trimmed();
    // A malformed value is ignored rather than guessed at.
    return text.size() == 8 ? QDate::fromString(QString::fromLatin1(text), QStringLiteral("yyyyMMdd")) : QDate();
}
} // namespace

QDate& TBusinessClock::Fixed()
{
    static QDate fixed = FromEnvironment();
    return fixed;
}

QDate TBusinessClock::Today()
{
    const QDate fixed = Fixed();
    return fixed.isValid() ? fixed : QDate::currentDate();
}

QDateTime TBusinessClock::Now()
{
    return QDateTime(Today(), QTime::currentTime());
}

QString TBusinessClock::TodayText() { return Today().toString(QStringLiteral("yyyyMMdd")); }

QString TBusinessClock::ThisMonth() { return Today().toString(QStringLiteral("yyyyMM")); }

void TBusinessClock::Set(const QDate& day) { Fixed() = day; }

void TBusinessClock::Reset() { Fixed() = FromEnvironment(); }

TBusinessClock::TScoped::TScoped(const QDate& day) : m_before(Fixed()) { Fixed() = day; }

TBusinessClock::TScoped::~TScoped() { Fixed() = m_before; }
