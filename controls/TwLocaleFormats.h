#pragma once

#include <QLocale>
#include <QString>

// The locale's date and time layouts and separators, as the editors need
// them. Separators are read from the locale's short formats.
class TwLocaleFormats
{
public:
    static QString DateSeparator(const QLocale& locale);
    static QString TimeSeparator(const QLocale& locale);

private:
    static QString FirstSeparator(const QString& format, const QString& fallback);
};
