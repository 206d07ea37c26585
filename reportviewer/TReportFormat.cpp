#include "reportviewer/TReportFormat.h"

#include <algorithm>
#include <cmath>

namespace TReportFormat {

QString Grouped(double value)
{
    QString digits = QString::number(qRound64(value));
    const qsizetype start = digits.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (qsizetype i = digits.size() - 3; i > start; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

QString Apply(const QVariant& value, const QString& format)
{
    const QString text = value.isValid() && !value.isNull() ? value.toString() : QString();
    bool number = false;
    const double amount = text.toDouble(&number);
    if (format == QLatin1String("amount"))
        return text.isEmpty() ? QString() : Grouped(number ? amount : 0);
    if (format == QLatin1String("int"))
        return number ? QString::number(qRound64(amount)) : text;
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (format == QLatin1String("date") && digits && text.size() == 8)
        return text.left(4) + QLatin1Char('-') + text.mid(4, 2) + QLatin1Char('-') + text.mid(6, 2);
    if (format == QLatin1String("month") && digits && text.size() >= 6)
        return text.left(4) + QLatin1Char('-') + text.mid(4, 2);
    if (value.typeId() == QMetaType::Double && number && amount == std::floor(amount) && std::abs(amount) < 1e15)
        return QString::number(qint64(amount));
    return text;
}

} // namespace TReportFormat
