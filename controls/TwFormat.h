#pragma once

#include <QDateTime>
#include <QString>

// Text conversions of the grids: number and date texts, the serial day count
// used for dates, numeric and date pictures, edit-mask merging. Parse failures
// raise EConvertError.
//
// Texts follow the client's locale defaults: dates "yyyy-MM-dd", times
// "hh:mm:ss" (24 hours), "." as decimal point and "," for thousands.
class TwFormat
{
public:
    // General float text: up to 15 significant digits, exponent as "1E20".
    static QString FloatText(double value);

    static int ParseInteger(const QString& text);
    static double ParseFloat(const QString& text);
    static double ParseDate(const QString& text);      // date only
    static double ParseTime(const QString& text);      // time of day only
    static double ParseDateTime(const QString& text);  // date, time, or both

    // Serial: whole days since 1899-12-30 plus the fraction of the day.
    static double ToSerial(const QDateTime& value);
    static QDateTime FromSerial(double serial);

    static QString DateText(double serial);
    static QString TimeText(double serial);
    static QString DateTimeText(double serial); // time left out at midnight

    // Numeric picture: "0" digit, "#" optional digit, "," thousands, "."
    // decimal point, quoted literals, up to three ";"-separated sections
    // (positive; negative; zero).
    static QString FormatNumber(const QString& picture, double value);
    // Date picture: yyyy yy m mm mmm mmmm d dd ddd dddd h hh n nn s ss z zzz
    // am/pm ampm, "/" and ":" separators, quoted literals.
    static QString FormatDateTime(const QString& picture, double serial);
    // Merges a value into an edit mask such as "9999-99;0;".
    static QString FormatMask(const QString& mask, const QString& value);
    // Applies a text format with "%s" standing for the value ("%%" is "%").
    static QString FormatString(const QString& format, const QString& value);
};
