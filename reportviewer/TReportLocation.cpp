#include "reportviewer/TReportLocation.h"

#include <QCoreApplication>
#include <QDir>

#include "common/SessionContext.h"
#include "common/TConfigFile.h"

QString TReportLocation::ServerFolder()
{
    return QStringLiteral("/REPORT/임대업장관리/");
}

QString TReportLocation::ShippedFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/selvar_n/reports"));
}

QString TReportLocation::ServerHost()
{
    const TConfigFile ini(SessionContext::ProgramIniPath());
    return ini.Settings().value(QStringLiteral("Report/Server")).toString().trimmed();
}

QUrl TReportLocation::ServerUrl(const QString& host, const QString& fileName)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    url.setPort(ServerPort);
    url.setPath(ServerFolder() + fileName);
    return url;
}

QUrl TReportLocation::Url(const QString& fileName)
{
    const QString host = ServerHost();
    if (host.isEmpty())
        return QUrl::fromLocalFile(ShippedFolder() + QLatin1Char('/') + fileName);
    return ServerUrl(host, fileName);
}
