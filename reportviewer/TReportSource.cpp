#include "reportviewer/TReportSource.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

#include "controls/ESelvarError.h"

namespace {
QString Shown(const QUrl& url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
}

[[noreturn]] void TooLarge(const QUrl& url)
{
    throw ESelvarError(QStringLiteral("보고서 정의가 너무 큽니다.\r") + Shown(url));
}

QString ServerFailure(const QNetworkReply& reply, const QUrl& url, bool timedOut)
{
    const QString server = url.host() + QLatin1Char(':') + QString::number(url.port(80));
    if (timedOut || reply.error() == QNetworkReply::TimeoutError || reply.error() == QNetworkReply::OperationCanceledError)
        return QStringLiteral("보고서 서버가 응답하지 않습니다.\r") + server;
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("보고서 서버에 연결할 수 없습니다.\r") + server;
    case QNetworkReply::ContentNotFoundError:
        return QStringLiteral("보고서 서버에 보고서 정의가 없습니다.\r") + Shown(url);
    default:
        return QStringLiteral("보고서 정의를 받지 못했습니다.\r") + Shown(url) + QLatin1Char('\r') + reply.errorString();
    }
}
} // namespace

QByteArray TReportSource::Fetch(const QUrl& url, int timeoutMs)
{
    if (url.isLocalFile())
        return FromFile(url);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")))
        return FromServer(url, timeoutMs);
    throw ESelvarError(QStringLiteral("보고서 주소가 올바르지 않습니다.\r") + url.toDisplayString());
}

QByteArray TReportSource::FromFile(const QUrl& url)
{
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile())
        throw ESelvarError(QStringLiteral("보고서 정의 파일이 없습니다.\r") + path);
    if (info.size() > MaxBytes)
        TooLarge(url);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ESelvarError(QStringLiteral("보고서 정의 파일을 읽지 못했습니다.\r") + path);
    return file.readAll();
}

QByteArray TReportSource::FromServer(const QUrl& url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    bool timedOut = false;
    bool tooLarge = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received <= MaxBytes)
            return;
        tooLarge = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const std::unique_ptr<QNetworkReply> owned(reply);
    if (tooLarge || reply->bytesAvailable() > MaxBytes)
        TooLarge(url);
    if (reply->error() != QNetworkReply::NoError)
        throw ESelvarError(ServerFailure(*reply, url, timedOut));
    return reply->readAll();
}
