#pragma once

#include <QString>
#include <QStringList>

// The argument string a report opens with: "/rp" followed by " [value]" for
// each value, values as typed ("/rp [201812] [4001]"; an empty value is "[]").
class TReportArguments
{
public:
    static QString Build(const QStringList& values);

    // The values in order. A "]" inside a value is kept when it is not
    // followed by the next "[" or the end. Throws ESelvarError on any other shape.
    static QStringList Parse(const QString& text);
};
