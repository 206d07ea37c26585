#include "common/TSqliteFunctions.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>
#include <sqlite3.h>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TValueConversion.h"

namespace {

const QString kDefaultDateFormat = QStringLiteral("YYYYMMDD");

// ---- reading and writing SQL values ----

bool IsNullValue(sqlite3_value* v)
{
    const int type = sqlite3_value_type(v);
    return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_value_bytes(v) == 0);
}

bool IsNumericValue(sqlite3_value* v)
{
    const int type = sqlite3_value_type(v);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QString TextOf(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT)
        return TValueConversion::NumberText(sqlite3_value_double(v));
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

std::optional<double> NumberOf(sqlite3_value* v)
{
    if (IsNumericValue(v))
        return sqlite3_value_double(v);
    bool ok = false;
    const double d = TextOf(v).trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

void ResultText(sqlite3_context* ctx, const QString& text)
{
    if (text.isEmpty()) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(ctx, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

// A whole-number argument, kept within a range no text or number reaches.
qint64 WholeArgument(sqlite3_value* v, qint64 limit)
{
    const double d = std::trunc(sqlite3_value_double(v));
    if (!std::isfinite(d))
        return 0;
    return static_cast<qint64>(std::clamp(d, static_cast<double>(-limit), static_cast<double>(limit)));
}

void ResultError(sqlite3_context* ctx, const QString& message)
{
    const QByteArray bytes = message.toUtf8();
    sqlite3_result_error(ctx, bytes.constData(), static_cast<int>(bytes.size()));
}

// ---- date formats: YYYY YY MM DD HH24 HH MI SS and punctuation ----

struct TFormatPart
{
    QString Element; // empty for a literal
    QString Literal;
};

std::optional<std::vector<TFormatPart>> ParseFormat(const QString& format)
{
    static const QStringList elements = {QStringLiteral("YYYY"), QStringLiteral("HH24"),
                                         QStringLiteral("YY"),   QStringLiteral("MM"),
                                         QStringLiteral("DD"),   QStringLiteral("HH"),
                                         QStringLiteral("MI"),   QStringLiteral("SS")};
    std::vector<TFormatPart> parts;
    const QString upper = format.toUpper();
    int i = 0;
    while (i < upper.size()) {
        bool matched = false;
        for (const QString& e : elements) {
            if (upper.mid(i, e.size()) == e) {
                parts.push_back({e, QString()});
                i += static_cast<int>(e.size());
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        if (upper[i].isLetterOrNumber())
            return std::nullopt;
        parts.push_back({QString(), QString(upper[i])});
        ++i;
    }
    return parts;
}

bool HasDateElement(const std::vector<TFormatPart>& parts)
{
    for (const TFormatPart& p : parts)
        if (!p.Element.isEmpty())
            return true;
    return false;
}

int ElementWidth(const QString& e) { return e == QLatin1String("YYYY") ? 4 : 2; }

// Text -> day number; an error text when the text does not fit the format.
std::optional<double> ParseDate(const QString& text, const QString& format, QString* error)
{
    const auto parts = ParseFormat(format);
    if (!parts || !HasDateElement(*parts)) {
        *error = QStringLiteral("TO_DATE: date format '%1' is not supported").arg(format);
        return std::nullopt;
    }
    int year = TBusinessClock::Today().year(), month = TBusinessClock::Today().month(), day = 1;
    int hour = 0, minute = 0, second = 0;
    int pos = 0;
    const QString bad = QStringLiteral("TO_DATE: '%1' does not match the date format %2").arg(text, format);
    for (const TFormatPart& p : *parts) {
        if (p.Element.isEmpty()) {
            if (pos >= text.size() || text[pos] != p.Literal[0]) {
                *error = bad;
                return std::nullopt;
            }
            ++pos;
            continue;
        }
        const int width = ElementWidth(p.Element);
        const QString digits = text.mid(pos, width);
        bool ok = digits.size() == width;
        for (QChar c : digits)
            ok = ok && c.isDigit();
        if (!ok) {
            *error = bad;
            return std::nullopt;
        }
        pos += width;
        const int n = digits.toInt();
        if (p.Element == QLatin1String("YYYY")) year = n;
        else if (p.Element == QLatin1String("YY")) year = 2000 + n;
        else if (p.Element == QLatin1String("MM")) month = n;
        else if (p.Element == QLatin1String("DD")) day = n;
        else if (p.Element == QLatin1String("MI")) minute = n;
        else if (p.Element == QLatin1String("SS")) second = n;
        else hour = n;
    }
    const QDate date(year, month, day);
    if (pos != text.size() || !date.isValid() || hour > 23 || minute > 59 || second > 59) {
        *error = pos != text.size() ? bad
                                    : QStringLiteral("TO_DATE: '%1' is not a valid date").arg(text);
        return std::nullopt;
    }
    return static_cast<double>(date.toJulianDay()) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

QString FormatDate(double dayNumber, const std::vector<TFormatPart>& parts)
{
    double whole = std::floor(dayNumber);
    qint64 seconds = std::llround((dayNumber - whole) * 86400.0);
    if (seconds >= 86400) {
        whole += 1;
        seconds -= 86400;
    }
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(whole));
    const int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);
    QString out;
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    for (const TFormatPart& p : parts) {
        if (p.Element.isEmpty()) out += p.Literal;
        else if (p.Element == QLatin1String("YYYY")) out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        else if (p.Element == QLatin1String("YY")) out += two(date.year() % 100);
        else if (p.Element == QLatin1String("MM")) out += two(date.month());
        else if (p.Element == QLatin1String("DD")) out += two(date.day());
        else if (p.Element == QLatin1String("HH24")) out += two(hour);
        else if (p.Element == QLatin1String("HH")) out += two(hour % 12 == 0 ? 12 : hour % 12);
        else if (p.Element == QLatin1String("MI")) out += two(minute);
        else out += two(second);
    }
    return out;
}

// A date argument: a day number, or text in the default format.
std::optional<double> DateArgument(sqlite3_context* ctx, sqlite3_value* v, const char* function)
{
    if (IsNumericValue(v)) {
        const double day = sqlite3_value_double(v);
        if (day >= 1.0 && day < 1e8) // Julian days from 4713 BC to far beyond any contract
            return day;
        ResultError(ctx, QStringLiteral("%1: %2 is not a date").arg(QLatin1String(function), TextOf(v)));
        return std::nullopt;
    }
    QString error;
    const auto day = ParseDate(TextOf(v), kDefaultDateFormat, &error);
    if (!day)
        ResultError(ctx, error.replace(QLatin1String("TO_DATE"), QLatin1String(function)));
    return day;
}

// ---- the functions ----

void Nvl(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_value(ctx, IsNullValue(argv[0]) ? argv[1] : argv[0]);
}

bool ValuesMatch(sqlite3_value* a, sqlite3_value* b)
{
    const bool nullA = IsNullValue(a), nullB = IsNullValue(b);
    if (nullA || nullB)
        return nullA && nullB;
    if (IsNumericValue(a) || IsNumericValue(b)) {
        const auto x = NumberOf(a), y = NumberOf(b);
        if (x && y)
            return *x == *y;
    }
    return TextOf(a) == TextOf(b);
}

void Decode(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc < 3) {
        ResultError(ctx, QStringLiteral("DECODE: not enough arguments"));
        return;
    }
    int i = 1;
    for (; i + 1 < argc; i += 2) {
        if (ValuesMatch(argv[0], argv[i])) {
            sqlite3_result_value(ctx, argv[i + 1]);
            return;
        }
    }
    if (i < argc)
        sqlite3_result_value(ctx, argv[i]);
    else
        sqlite3_result_null(ctx);
}

void Extreme(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool greatest, const char* name)
{
    if (argc < 1) {
        ResultError(ctx, QStringLiteral("%1: not enough arguments").arg(QLatin1String(name)));
        return;
    }
    for (int i = 0; i < argc; ++i) {
        if (IsNullValue(argv[i])) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    int best = 0;
    if (IsNumericValue(argv[0])) {
        double bestValue = sqlite3_value_double(argv[0]);
        for (int i = 1; i < argc; ++i) {
            const auto v = NumberOf(argv[i]);
            if (!v) {
                ResultError(ctx, QStringLiteral("%1: '%2' is not a number").arg(QLatin1String(name), TextOf(argv[i])));
                return;
            }
            if (greatest ? *v > bestValue : *v < bestValue) {
                bestValue = *v;
                best = i;
            }
        }
        if (!IsNumericValue(argv[best])) {
            sqlite3_result_double(ctx, bestValue);
            return;
        }
    } else {
        QString bestText = TextOf(argv[0]);
        for (int i = 1; i < argc; ++i) {
            const QString t = TextOf(argv[i]);
            if (greatest ? t > bestText : t < bestText) {
                bestText = t;
                best = i;
            }
        }
    }
    sqlite3_result_value(ctx, argv[best]);
}

void Greatest(sqlite3_context* ctx, int argc, sqlite3_value** argv) { Extreme(ctx, argc, argv, true, "GREATEST"); }
void Least(sqlite3_context* ctx, int argc, sqlite3_value** argv) { Extreme(ctx, argc, argv, false, "LEAST"); }

void Substr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (IsNullValue(argv[i])) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const QString text = TextOf(argv[0]);
    qint64 start = WholeArgument(argv[1], 1LL << 40);
    if (start == 0)
        start = 1;
    if (start < 0)
        start = text.size() + start + 1;
    qint64 length = argc > 2 ? WholeArgument(argv[2], 1LL << 40) : text.size();
    if (start < 1 || length < 1) {
        sqlite3_result_null(ctx);
        return;
    }
    ResultText(ctx, text.mid(start - 1, length));
}

// Truncates toward zero at 10^-digits. A value within rounding noise of the
// next step counts as that step, so 1,000,000 x 12% / 12 is 10,000, not 9,990.
double TruncateNumber(double x, int digits)
{
    const double scale = std::pow(10.0, std::abs(digits));
    double y = digits >= 0 ? x * scale : x / scale;
    const double nearest = std::round(y);
    if (std::fabs(y - nearest) <= 1e-12 * std::max(1.0, std::fabs(y)))
        y = nearest;
    y = std::trunc(y);
    return digits >= 0 ? y / scale : y * scale;
}

void Trunc(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (IsNullValue(argv[0]) || (argc > 1 && IsNullValue(argv[1]))) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto x = NumberOf(argv[0]);
    if (!x) {
        ResultError(ctx, QStringLiteral("TRUNC: '%1' is not a number").arg(TextOf(argv[0])));
        return;
    }
    const int digits = argc > 1 ? static_cast<int>(WholeArgument(argv[1], 30)) : 0;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && digits >= 0) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    sqlite3_result_double(ctx, TruncateNumber(*x, digits));
}

void ToNumber(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (IsNullValue(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (IsNumericValue(argv[0])) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    const QString text = TextOf(argv[0]).trimmed();
    bool ok = false;
    const qint64 whole = text.toLongLong(&ok);
    if (ok) {
        sqlite3_result_int64(ctx, whole);
        return;
    }
    const double d = text.toDouble(&ok);
    if (!ok) {
        ResultError(ctx, QStringLiteral("TO_NUMBER: '%1' is not a number").arg(text));
        return;
    }
    sqlite3_result_double(ctx, d);
}

void ToDate(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (IsNullValue(argv[0]) || (argc > 1 && IsNullValue(argv[1]))) {
        sqlite3_result_null(ctx);
        return;
    }
    QString error;
    const QString format = argc > 1 ? TextOf(argv[1]) : kDefaultDateFormat;
    const auto day = ParseDate(TextOf(argv[0]), format, &error);
    if (!day) {
        ResultError(ctx, error);
        return;
    }
    sqlite3_result_double(ctx, *day);
}

// Number pictures: 9 a digit (blank when leading), 0 a digit always shown,
// "," a group separator, one "." and an optional FM prefix (no padding). A
// number too wide for the picture gives '#' marks, as the server does.
std::optional<QString> FormatNumber(double value, QString picture)
{
    const bool fill = !picture.startsWith(QLatin1String("FM"), Qt::CaseInsensitive);
    if (!fill)
        picture = picture.mid(2);
    if (picture.isEmpty() || picture.count(u'.') > 1)
        return std::nullopt;
    for (QChar c : picture)
        if (c != u'9' && c != u'0' && c != u',' && c != u'.')
            return std::nullopt;
    const qsizetype point = picture.indexOf(u'.');
    const QString whole = point < 0 ? picture : picture.left(point);
    const QString fraction = point < 0 ? QString() : picture.mid(point + 1).remove(u',');
    const QString digits = QString::number(std::fabs(value), 'f', static_cast<int>(fraction.size()));
    QString number = digits.section(u'.', 0, 0);
    if (number == QLatin1String("0") && !fraction.isEmpty() && !whole.contains(u'0'))
        number.clear();
    if (number.size() > whole.count(u'9') + whole.count(u'0'))
        return QString(picture.size() + 1, u'#');
    const qsizetype firstZero = whole.indexOf(u'0');
    QString out;
    qsizetype k = 0; // digit place, 0 = units
    for (qsizetype i = whole.size() - 1; i >= 0; --i) {
        const bool forced = firstZero >= 0 && i >= firstZero;
        if (whole[i] == u',') {
            out.prepend(k < number.size() || (firstZero >= 0 && i > firstZero) ? u',' : u' ');
            continue;
        }
        out.prepend(k < number.size() ? number[number.size() - 1 - k] : forced ? u'0' : u' ');
        ++k;
    }
    if (!fraction.isEmpty())
        out += u'.' + digits.section(u'.', 1, 1);
    const bool negative = value < 0 && digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    const QString body = out.trimmed();
    if (!fill)
        return (negative ? QStringLiteral("-") : QString()) + body;
    const qsizetype lead = out.indexOf(body);
    return QString(lead, u' ') + (negative ? u'-' : u' ') + body;
}

void ToChar(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (IsNullValue(argv[0]) || (argc > 1 && IsNullValue(argv[1]))) {
        sqlite3_result_null(ctx);
        return;
    }
    if (argc == 1) {
        ResultText(ctx, TextOf(argv[0]));
        return;
    }
    const QString format = TextOf(argv[1]);
    if (IsNumericValue(argv[0])) {
        if (const auto text = FormatNumber(sqlite3_value_double(argv[0]), format)) {
            ResultText(ctx, *text);
            return;
        }
    }
    const auto parts = ParseFormat(format);
    if (!parts || !HasDateElement(*parts)) {
        ResultError(ctx, QStringLiteral("TO_CHAR: format '%1' is not supported").arg(format));
        return;
    }
    const auto day = DateArgument(ctx, argv[0], "TO_CHAR");
    if (day)
        ResultText(ctx, FormatDate(*day, *parts));
}

void AddMonths(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (IsNullValue(argv[0]) || IsNullValue(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto day = DateArgument(ctx, argv[0], "ADD_MONTHS");
    if (!day)
        return;
    const auto months = NumberOf(argv[1]);
    if (!months) {
        ResultError(ctx, QStringLiteral("ADD_MONTHS: '%1' is not a number").arg(TextOf(argv[1])));
        return;
    }
    const double whole = std::floor(*day);
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(whole));
    const QDate firstOfTarget = QDate(date.year(), date.month(), 1).addMonths(static_cast<int>(std::clamp(std::trunc(*months), -120000.0, 120000.0)));
    const int lastDay = firstOfTarget.daysInMonth();
    const bool wasLastDay = date.day() == date.daysInMonth();
    const int targetDay = (wasLastDay || date.day() > lastDay) ? lastDay : date.day();
    const QDate target(firstOfTarget.year(), firstOfTarget.month(), targetDay);
    sqlite3_result_double(ctx, static_cast<double>(target.toJulianDay()) + (*day - whole));
}

void LastDay(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (IsNullValue(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto day = DateArgument(ctx, argv[0], "LAST_DAY");
    if (!day)
        return;
    const double whole = std::floor(*day);
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(whole));
    const QDate last(date.year(), date.month(), date.daysInMonth());
    sqlite3_result_double(ctx, static_cast<double>(last.toJulianDay()) + (*day - whole));
}

void Sysdate(sqlite3_context* ctx, int, sqlite3_value**)
{
    const QDateTime now = TBusinessClock::Now();
    sqlite3_result_double(ctx, static_cast<double>(now.date().toJulianDay())
                                   + now.time().msecsSinceStartOfDay() / 86400000.0);
}

using TScalar = void (*)(sqlite3_context*, int, sqlite3_value**);

void Add(sqlite3* handle, const char* name, int argc, TScalar fn, bool deterministic = true)
{
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    const int rc = sqlite3_create_function_v2(handle, name, argc, flags, nullptr, fn, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
}

} // namespace

void TSqliteFunctions::Register(sqlite3* handle)
{
    Add(handle, "NVL", 2, Nvl);
    Add(handle, "DECODE", -1, Decode);
    Add(handle, "GREATEST", -1, Greatest);
    Add(handle, "LEAST", -1, Least);
    Add(handle, "SUBSTR", 2, Substr);
    Add(handle, "SUBSTR", 3, Substr);
    Add(handle, "TRUNC", 1, Trunc);
    Add(handle, "TRUNC", 2, Trunc);
    Add(handle, "TO_NUMBER", 1, ToNumber);
    Add(handle, "TO_DATE", 1, ToDate);
    Add(handle, "TO_DATE", 2, ToDate);
    Add(handle, "TO_CHAR", 1, ToChar);
    Add(handle, "TO_CHAR", 2, ToChar);
    Add(handle, "ADD_MONTHS", 2, AddMonths);
    Add(handle, "LAST_DAY", 1, LastDay);
    Add(handle, "SYSDATE", 0, Sysdate, false);
}
