#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <ostream>

// Readable failure messages for Qt values in test assertions; included into
// every test source by the build.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << "QByteArray(" << b.toHex(' ').toStdString() << ')';
}

inline void PrintTo(const QVariant& v, std::ostream* os)
{
    if (!v.isValid())
        *os << "QVariant(Null)";
    else
        *os << "QVariant(" << v.typeName() << ", \"" << v.toString().toStdString() << "\")";
}
