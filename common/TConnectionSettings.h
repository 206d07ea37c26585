#pragma once

#include <QString>

// Where the shared connection goes. Driver "SQLITE" (the embedded default) opens
// the file Path; "ORACLE" and "ODBC" pass the statements unchanged through Qt's
// QOCI/QODBC driver when it is installed; "POSTGRES" reaches the shared server
// at Host:Port, Database, as User with Password (Qt's QPSQL driver). Any other
// value is taken as the name of a Qt SQL driver that receives the statements
// unchanged.
struct TConnectionSettings
{
    QString Driver = QStringLiteral("SQLITE");
    QString Path;
    QString Host;
    int Port = 0;
    QString Database;
    QString User;
    QString Password;
    int BusyTimeoutMs = 5000; // how long to wait for a file locked by another client

    static TConnectionSettings Sqlite(const QString& path)
    {
        TConnectionSettings s;
        s.Path = path;
        return s;
    }
};
