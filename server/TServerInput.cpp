#include "server/TServerInput.h"

#include <QLocale>
#include <QRegularExpression>

#include "common/EDatabaseError.h"

namespace {
// The subject or topic particle that fits the last syllable of a word.
QString WithParticle(const QString& word, const char* afterConsonant, const char* afterVowel)
{
    const QChar last = word.isEmpty() ? QChar() : word.back();
    const bool hangul = last.unicode() >= 0xAC00 && last.unicode() <= 0xD7A3;
    const bool consonant = hangul ? (last.unicode() - 0xAC00) % 28 != 0 : false;
    return word + QString::fromUtf8(consonant ? afterConsonant : afterVowel);
}

bool AllDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

QString TServerInput::Subject(const QString& word)
{
    return WithParticle(word, "이", "가");
}

QString TServerInput::Topic(const QString& word)
{
    return WithParticle(word, "은", "는");
}

QString TServerInput::Quoted(const QString& word, const QString& value)
{
    const QString topic = Topic(word);
    return word + QStringLiteral("(") + value + QStringLiteral(")") + topic.mid(word.size());
}

QString TServerInput::QuotedSubject(const QString& word, const QString& value)
{
    const QString subject = Subject(word);
    return word + QStringLiteral("(") + value + QStringLiteral(")") + subject.mid(word.size());
}

void TServerInput::Refuse(const QString& message)
{
    throw EDatabaseError(message);
}

QDate TServerInput::ToDate(const QString& dateText)
{
    return QDate::fromString(dateText, QStringLiteral("yyyyMMdd"));
}

QString TServerInput::FromDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QString TServerInput::MonthAfter(const QString& month, int months)
{
    const QDate first = ToDate(month + QStringLiteral("01")).addMonths(months);
    return first.toString(QStringLiteral("yyyyMM"));
}

QString TServerInput::Date(const QString& text, const QString& what)
{
    const QString value = text.trimmed();
    if (value.isEmpty())
        Refuse(QStringLiteral("%1 입력되지 않았습니다.").arg(Subject(what)));
    if (value.size() != 8 || !AllDigits(value) || !ToDate(value).isValid())
        Refuse(QStringLiteral("%1 올바른 날짜가 아닙니다.").arg(Quoted(what, value)));
    return value;
}

QString TServerInput::OptionalDate(const QString& text, const QString& what)
{
    return text.trimmed().isEmpty() ? QString() : Date(text, what);
}

QString TServerInput::Month(const QString& text, const QString& what)
{
    QString value = text.trimmed();
    if (value.isEmpty())
        Refuse(QStringLiteral("%1 입력되지 않았습니다.").arg(Subject(what)));
    if (value.size() == 8 && value.endsWith(QStringLiteral("01")))
        value.chop(2);
    if (value.size() != 6 || !AllDigits(value) || !ToDate(value + QStringLiteral("01")).isValid())
        Refuse(QStringLiteral("%1 올바른 년월이 아닙니다.").arg(Quoted(what, text.trimmed())));
    return value;
}

double TServerInput::Amount(const QString& text, const QString& what)
{
    const QString value = text.trimmed();
    if (value.isEmpty())
        return 0.0;
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(value).hasMatch())
        Refuse(QStringLiteral("%1 숫자가 아닙니다.").arg(Quoted(what, value)));
    const double amount = value.toDouble();
    if (amount < 0)
        Refuse(QStringLiteral("%1 0보다 작을 수 없습니다.").arg(Topic(what)));
    if (amount >= 1e13)
        Refuse(QStringLiteral("%1 너무 큽니다.").arg(Quoted(what, value)));
    return amount;
}

double TServerInput::PositiveAmount(const QString& text, const QString& what)
{
    const double amount = Amount(text, what);
    if (amount <= 0)
        Refuse(QStringLiteral("%1 입력되지 않았습니다.").arg(Subject(what)));
    return amount;
}

double TServerInput::Rate(const QString& text, const QString& what)
{
    const double rate = Amount(text, what);
    if (rate > 100)
        Refuse(QStringLiteral("%1 100을 넘을 수 없습니다.").arg(Topic(what)));
    return rate;
}

QString TServerInput::Choice(const QString& text, const QStringList& allowed,
                             const QString& defaultValue, const QString& what)
{
    const QString value = text.trimmed();
    if (value.isEmpty() && !defaultValue.isNull())
        return defaultValue;
    if (value.isEmpty())
        Refuse(QStringLiteral("%1 입력되지 않았습니다.").arg(Subject(what)));
    if (!allowed.contains(value))
        Refuse(QStringLiteral("%1 올바르지 않습니다.").arg(Quoted(what, value)));
    return value;
}

QString TServerInput::Required(const QString& text, const QString& what)
{
    const QString value = text.trimmed();
    if (value.isEmpty())
        Refuse(QStringLiteral("%1 입력되지 않았습니다.").arg(Subject(what)));
    return value;
}

QString TServerInput::Limited(const QString& text, int maxLength, const QString& what)
{
    if (text.size() > maxLength)
        Refuse(QStringLiteral("%1 %2자까지 입력할 수 있습니다.").arg(Topic(what)).arg(maxLength));
    return text;
}

void TServerInput::Period(const QString& start, const QString& end, const QString& what)
{
    if (end < start)
        Refuse(QStringLiteral("%1의 종료(%2)가 시작(%3)보다 앞설 수 없습니다.").arg(what, end, start));
}

QString TServerInput::Won(double amount)
{
    return QLocale(QLocale::English).toString(amount, 'f', 0);
}

QString TServerInput::AmountCode(const QString& amtCode)
{
    static const QStringList names = {QStringLiteral("보증금"), QStringLiteral("임대료"), QStringLiteral("관리비")};
    const int kind = amtCode.toInt() - 1;
    return kind >= 0 && kind < names.size() ? QStringLiteral("%1(%2)").arg(names[kind], amtCode) : amtCode;
}
