#include "controls/TwFormat.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "controls/EConvertError.h"

namespace {
constexpr qint64 kMsPerDay = 86400000;
const QDate kSerialBase(1899, 12, 30);

QLocale StrictCLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
}

// Splits "yyyy-MM-dd[ hh:mm[:ss]]", "yyyyMMdd" or "hh:mm[:ss]" into a date and
// a time; the parts not present stay invalid. Returns false on other text.
bool SplitDateTime(const QString& text, QDate& date, QTime& time, bool& hasTime)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:(\d{4})[-/.]?(\d{1,2})[-/.]?(\d{1,2}))?\s*(?:(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch() || text.trimmed().isEmpty())
        return false;
    hasTime = m.hasCaptured(4);
    if (m.hasCaptured(1)) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!date.isValid())
            return false;
    }
    if (hasTime) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.hasCaptured(6) ? m.captured(6).toInt() : 0);
        if (!time.isValid())
            return false;
    }
    return true;
}

double SerialOf(const QDate& date, const QTime& time)
{
    const qint64 days = date.isValid() ? kSerialBase.daysTo(date) : 0;
    const double frac = time.isValid() ? time.msecsSinceStartOfDay() / double(kMsPerDay) : 0.0;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

// Quoted literals ("..." or '...') are copied without their quotes.
int CopyQuoted(const QString& picture, int i, QString& out)
{
    const QChar quote = picture.at(i);
    int j = i + 1;
    while (j < picture.size() && picture.at(j) != quote)
        out += picture.at(j++);
    return j + 1;
}

QStringList SplitSections(const QString& picture)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar ch : picture) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == u'"' || ch == u'\'') {
            quote = ch;
        } else if (ch == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += ch;
    }
    sections << current;
    return sections;
}

QString GroupThousands(const QString& digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return out;
}

// Formats a non-negative value with one picture section (no sign handling).
QString FormatSection(const QString& section, double value)
{
    // Literals before the first placeholder lead, those after the last trail.
    QString prefix, suffix, pattern;
    bool inPattern = false;
    for (int i = 0; i < section.size();) {
        const QChar ch = section.at(i);
        if (ch == u'"' || ch == u'\'') {
            i = CopyQuoted(section, i, inPattern ? suffix : prefix);
            continue;
        }
        const bool placeholder = ch == u'0' || ch == u'#' || ch == u'.' || (inPattern && ch == u',');
        if (placeholder && suffix.isEmpty()) {
            inPattern = true;
            pattern += ch;
        } else {
            (inPattern ? suffix : prefix) += ch;
        }
        ++i;
    }
    const int dot = pattern.indexOf(u'.');
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    const bool thousands = intPart.contains(u',');
    const int firstZero = intPart.indexOf(u'0');
    int minInt = 0;
    for (int i = qMax(firstZero, 0); firstZero >= 0 && i < intPart.size(); ++i)
        minInt += intPart.at(i) != u',';
    int fracMax = 0, fracMin = 0;
    for (const QChar ch : fracPart) {
        if (ch == u'0' || ch == u'#')
            ++fracMax;
        if (ch == u'0')
            fracMin = fracMax;
    }
    const QString fixed = QString::number(value, 'f', fracMax);
    const int fixedDot = fixed.indexOf(u'.');
    QString intDigits = fixedDot < 0 ? fixed : fixed.left(fixedDot);
    QString fracDigits = fixedDot < 0 ? QString() : fixed.mid(fixedDot + 1);
    while (fracDigits.size() > fracMin && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);
    if (intDigits == QLatin1String("0") && minInt == 0)
        intDigits.clear();
    while (intDigits.size() < minInt)
        intDigits.prepend(u'0');
    QString number = thousands ? GroupThousands(intDigits) : intDigits;
    if (!fracDigits.isEmpty())
        number += u'.' + fracDigits;
    return prefix + number + suffix;
}

QString TwoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// Length of the run of the same letter (case-insensitive) starting at i.
int RunLength(const QString& s, int i)
{
    int j = i;
    while (j < s.size() && s.at(j).toLower() == s.at(i).toLower())
        ++j;
    return j - i;
}
} // namespace

QString TwFormat::FloatText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    QString text = QString::fromLatin1(buf);
    const int e = text.indexOf(u'e');
    if (e < 0)
        return text;
    const QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(u'-');
    exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(u'0'))
        exponent.remove(0, 1);
    return mantissa + u'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
}

int TwFormat::ParseInteger(const QString& text)
{
    bool ok = false;
    const int value = StrictCLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        throw EConvertError::InvalidInteger(text);
    return value;
}

double TwFormat::ParseFloat(const QString& text)
{
    bool ok = false;
    const double value = StrictCLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw EConvertError::InvalidFloat(text);
    return value;
}

double TwFormat::ParseDate(const QString& text)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (!SplitDateTime(text, date, time, hasTime) || !date.isValid() || hasTime)
        throw EConvertError::InvalidDate(text);
    return SerialOf(date, QTime());
}

double TwFormat::ParseTime(const QString& text)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (!SplitDateTime(text, date, time, hasTime) || date.isValid() || !hasTime)
        throw EConvertError::InvalidDate(text);
    return SerialOf(QDate(), time);
}

double TwFormat::ParseDateTime(const QString& text)
{
    QDate date;
    QTime time;
    bool hasTime = false;
    if (!SplitDateTime(text, date, time, hasTime))
        throw EConvertError::InvalidDate(text);
    return SerialOf(date, time);
}

double TwFormat::ToSerial(const QDateTime& value)
{
    return SerialOf(value.date(), value.time());
}

QDateTime TwFormat::FromSerial(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > 3e6)
        return QDateTime(kSerialBase, QTime(0, 0));
    qint64 days = qint64(std::trunc(serial));
    qint64 ms = std::llround(std::fabs(serial - double(days)) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        days += serial < 0 ? -1 : 1;
    }
    return QDateTime(kSerialBase.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QString TwFormat::DateText(double serial)
{
    return FromSerial(serial).date().toString(QStringLiteral("yyyy-MM-dd"));
}

QString TwFormat::TimeText(double serial)
{
    return FromSerial(serial).time().toString(QStringLiteral("hh:mm:ss"));
}

QString TwFormat::DateTimeText(double serial)
{
    const QDateTime dt = FromSerial(serial);
    if (dt.time().msecsSinceStartOfDay() == 0)
        return DateText(serial);
    return DateText(serial) + u' ' + TimeText(serial);
}

QString TwFormat::FormatNumber(const QString& picture, double value)
{
    if (picture.isEmpty())
        return FloatText(value);
    const QStringList sections = SplitSections(picture);
    if (value == 0 && sections.size() >= 3 && !sections.at(2).isEmpty())
        return FormatSection(sections.at(2), 0);
    if (value < 0 && sections.size() >= 2 && !sections.at(1).isEmpty())
        return FormatSection(sections.at(1), -value);
    const QString text = FormatSection(sections.at(0), std::fabs(value));
    const bool showsNonZero =
        std::any_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'1' && ch <= u'9'; });
    return value < 0 && showsNonZero ? u'-' + text : text;
}

QString TwFormat::FormatDateTime(const QString& picture, double serial)
{
    const QDateTime dt = FromSerial(serial);
    const QDate d = dt.date();
    const QTime t = dt.time();
    const QLocale locale;
    QString out;
    bool afterHour = false;
    // With an am/pm marker the hour counts 1 to 12, as the date editor shows it.
    const bool twelveHour = picture.contains(QLatin1String("am/pm"), Qt::CaseInsensitive)
                            || picture.contains(QLatin1String("ampm"), Qt::CaseInsensitive);
    const int hour = !twelveHour ? t.hour() : t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    for (int i = 0; i < picture.size();) {
        const QChar ch = picture.at(i);
        const QChar lower = ch.toLower();
        const int run = RunLength(picture, i);
        if (ch == u'"' || ch == u'\'') {
            i = CopyQuoted(picture, i, out);
            continue;
        }
        if (picture.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        if (picture.mid(i, 4).compare(QLatin1String("ampm"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? locale.amText() : locale.pmText();
            i += 4;
            continue;
        }
        if (lower == u'y') {
            out += run <= 2 ? TwoDigits(d.year() % 100) : QString::number(d.year());
        } else if (lower == u'm' && afterHour && run <= 2) {
            out += run == 1 ? QString::number(t.minute()) : TwoDigits(t.minute());
        } else if (lower == u'm') {
            out += run == 1   ? QString::number(d.month())
                   : run == 2 ? TwoDigits(d.month())
                   : run == 3 ? locale.monthName(d.month(), QLocale::ShortFormat)
                              : locale.monthName(d.month(), QLocale::LongFormat);
        } else if (lower == u'd') {
            out += run == 1   ? QString::number(d.day())
                   : run == 2 ? TwoDigits(d.day())
                   : run == 3 ? locale.dayName(d.dayOfWeek(), QLocale::ShortFormat)
                              : locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
        } else if (lower == u'h') {
            out += run == 1 ? QString::number(hour) : TwoDigits(hour);
        } else if (lower == u'n') {
            out += run == 1 ? QString::number(t.minute()) : TwoDigits(t.minute());
        } else if (lower == u's') {
            out += run == 1 ? QString::number(t.second()) : TwoDigits(t.second());
        } else if (lower == u'z') {
            out += run == 1 ? QString::number(t.msec())
                            : QStringLiteral("%1").arg(t.msec(), 3, 10, QLatin1Char('0'));
        } else if (ch == u'/') {
            out += u'-';
        } else {
            out += QString(run, ch);
        }
        if (lower.isLetter())
            afterHour = lower == u'h';
        i += run;
    }
    return out;
}

QString TwFormat::FormatMask(const QString& mask, const QString& value)
{
    QString body = mask;
    bool literalsStored = true;
    QChar blank = u' ';
    const QStringList fields = mask.split(u';');
    if (fields.size() >= 3) {
        body = fields.mid(0, fields.size() - 2).join(u';');
        literalsStored = fields.at(fields.size() - 2) != QLatin1String("0");
        if (!fields.last().isEmpty())
            blank = fields.last().at(0);
    }
    static const QString positions = QStringLiteral("LlAaCc09#");
    QString out;
    int next = 0;
    int caseMode = 0; // 1 upper, -1 lower
    for (int i = 0; i < body.size(); ++i) {
        const QChar ch = body.at(i);
        if (ch == u'!')
            continue;
        if (ch == u'<' && i + 1 < body.size() && body.at(i + 1) == u'>') {
            caseMode = 0;
            ++i;
            continue;
        }
        if (ch == u'>' || ch == u'<') {
            caseMode = ch == u'>' ? 1 : -1;
            continue;
        }
        const bool escaped = ch == u'\\' && i + 1 < body.size();
        const QChar maskChar = escaped ? body.at(++i) : ch;
        if (escaped || !positions.contains(maskChar)) {
            out += maskChar;
            next += literalsStored ? 1 : 0;
            continue;
        }
        QChar v = next < value.size() ? value.at(next) : blank;
        ++next;
        out += caseMode > 0 ? v.toUpper() : caseMode < 0 ? v.toLower() : v;
    }
    return out;
}

QString TwFormat::FormatString(const QString& format, const QString& value)
{
    QString out;
    for (int i = 0; i < format.size(); ++i) {
        if (format.at(i) == u'%' && i + 1 < format.size()) {
            const QChar spec = format.at(i + 1);
            if (spec == u's' || spec == u'S' || spec == u'%') {
                out += spec == u'%' ? QString(u'%') : value;
                ++i;
                continue;
            }
        }
        out += format.at(i);
    }
    return out;
}
