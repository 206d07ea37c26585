#pragma once

#include <QString>
#include <QUrl>

// Where report definitions come from. An office that runs a report server
// names its host in the program's INI file (section "Report", key "Server");
// the port and the folder on it are fixed. Without a server the client opens
// the definitions it ships, from its own share folder.
class TReportLocation
{
public:
    static constexpr int ServerPort = 8080;
    static QString ServerFolder(); // "/REPORT/임대업장관리/"

    // <executable folder>/../share/selvar_n/reports
    static QString ShippedFolder();

    // The configured host, trimmed; empty when none is configured.
    static QString ServerHost();

    // http://host:8080/REPORT/임대업장관리/<file>, or the shipped file's URL.
    static QUrl Url(const QString& fileName);
    static QUrl ServerUrl(const QString& host, const QString& fileName);
};
