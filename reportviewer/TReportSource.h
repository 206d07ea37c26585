#pragma once

#include <QByteArray>
#include <QUrl>

// Reads a report definition from a file URL or from a report server over
// http(s). Every failure (no server, no answer within the timeout, no such
// file, a definition too large to be one) throws ESelvarError with a message
// for the user.
class TReportSource
{
public:
    static constexpr int DefaultTimeoutMs = 10000;
    static constexpr qint64 MaxBytes = qint64(4) << 20;

    static QByteArray Fetch(const QUrl& url, int timeoutMs = DefaultTimeoutMs);

private:
    static QByteArray FromFile(const QUrl& url);
    static QByteArray FromServer(const QUrl& url, int timeoutMs);
};
