#include "controls/TwLocaleFormats.h"

QString TwLocaleFormats::FirstSeparator(const QString& format, const QString& fallback)
{
    bool quoted = false;
    for (QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        else if (!quoted && !ch.isLetter() && !ch.isSpace())
            return QString(ch);
    }
    return fallback;
}

QString TwLocaleFormats::DateSeparator(const QLocale& locale)
{
    return FirstSeparator(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
}

QString TwLocaleFormats::TimeSeparator(const QLocale& locale)
{
    return FirstSeparator(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
}
