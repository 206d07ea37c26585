#pragma once

#include <QString>
#include <QVariant>

#include "common/TFieldType.h"

// The conversions that parameters and fields share. Null is an invalid QVariant;
// an empty text counts as Null, as it does on the database server.
class TValueConversion
{
public:
    static bool IsNull(const QVariant& value);
    static QString ToString(const QVariant& value);
    static double ToFloat(const QVariant& value);   // throws EConvertError
    static qint64 ToInteger(const QVariant& value); // throws EConvertError
    static TFieldType TypeOf(const QVariant& value);
    // Shortest text of a number: whole values without a decimal point.
    static QString NumberText(double value);
};
