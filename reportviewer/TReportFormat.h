#pragma once

#include <QString>
#include <QVariant>

// How a report writes a value: "amount" whole and grouped by thousands (Null
// stays empty), "int" whole, "date" YYYY-MM-DD from eight digits, "month" YYYY-MM
// from six, anything else as it is.
namespace TReportFormat {
QString Apply(const QVariant& value, const QString& format);
QString Grouped(double value);
} // namespace TReportFormat
