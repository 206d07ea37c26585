#include "common/TValueConversion.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

#include "controls/EConvertError.h"

bool TValueConversion::IsNull(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return static_cast<const QString*>(value.constData())->isEmpty();
    return !value.isValid() || value.isNull();
}

QString TValueConversion::NumberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString TValueConversion::ToString(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return *static_cast<const QString*>(value.constData());
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::Double:
    case QMetaType::Float:
        return NumberText(value.toDouble());
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyyMMdd"));
    default:
        return value.toString();
    }
}

double TValueConversion::ToFloat(const QVariant& value)
{
    if (IsNull(value))
        return 0.0;
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw EConvertError::InvalidFloat(value.toString());
        return d;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        throw EConvertError::InvalidFloat(ToString(value));
    return d;
}

qint64 TValueConversion::ToInteger(const QVariant& value)
{
    if (IsNull(value))
        return 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return std::llround(value.toDouble());
    case QMetaType::QString: {
        bool ok = false;
        const qint64 n = value.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw EConvertError::InvalidInteger(value.toString());
        return n;
    }
    default: {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok)
            throw EConvertError::InvalidInteger(ToString(value));
        return n;
    }
    }
}

TFieldType TValueConversion::TypeOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return ftFloat;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return ftInteger;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return ftDateTime;
    case QMetaType::QByteArray:
        return ftBlob;
    case QMetaType::QString:
        return ftString;
    default:
        return ftUnknown;
    }
}
