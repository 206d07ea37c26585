#include "common/TExcelValueArray.h"

#include <QDateTime>
#include <QLocale>
#include <charconv>
#include <cmath>

namespace {

// The system's short date, widened to four-digit years so that no century
// is lost on the way to the database.
QString SystemDateFormat()
{
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// A spreadsheet keeps 15 significant digits; binary noise beyond them
// (0.1 + 0.2) does not show, and no exponent is used.
QString PlainNumber(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    char buffer[400];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

} // namespace

TExcelValueArray::TExcelValueArray(const TExcelWorksheet& snapshot, int row, int col,
                                   int rowCount, int colCount)
    : m_snapshot(snapshot), m_row(row), m_col(col), m_rowCount(rowCount), m_colCount(colCount)
{
}

QVariant TExcelValueArray::Value(int row, int col) const
{
    if (row < 1 || row > m_rowCount || col < 1 || col > m_colCount)
        return {};
    return m_snapshot.Value(m_row + row - 1, m_col + col - 1);
}

QString TExcelValueArray::Text(int row, int col) const
{
    return ToText(Value(row, col));
}

QString TExcelValueArray::ToText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::Double:
        return PlainNumber(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QDate:
        return QLocale::system().toString(value.toDate(), SystemDateFormat());
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return QLocale::system().toString(dateTime.date(), SystemDateFormat()) + u' '
               + dateTime.time().toString(QStringLiteral("HH:mm:ss"));
    }
    default:
        return value.toString();
    }
}
