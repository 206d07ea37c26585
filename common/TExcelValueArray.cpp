#include "common/TExcelValueArray.h"

#include <QDateTime>
#include <QLocale>

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
    const double rounded = QString::number(value, 'g', 15).toDouble();
    return QLocale::c().toString(rounded, 'f', QLocale::FloatingPointShortest);
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
