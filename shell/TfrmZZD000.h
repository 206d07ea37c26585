#pragma once

#include <QObject>
#include <QStringList>

#include "common/TDatabase.h"
#include "common/TQuery.h"

// The data module: fixes the session context from the command line and the
// host, resolves the password and opens the one connection every screen shares.
// It lives for the whole run; its destruction closes the connection.
class TfrmZZD000 : public QObject
{
    Q_OBJECT

public:
    // arguments are the launcher's (without the program name); executablePath
    // locates AppDir and the program's INI file.
    TfrmZZD000(const QStringList& arguments, const QString& executablePath,
               QObject* parent = nullptr);
    ~TfrmZZD000() override;

    static QString RefusalMessage();
    static QString GetLocalIP();
    // The box text for a failed connection, by the engine's error text.
    static QString ConnectFailureMessage(const QString& errorText);

    // Opens dbsDB unless it is open; false after the failure has been shown.
    bool ConnectDatabase();
    void DisconnectDatabase();

    bool Connected() const { return dbsDB.Connected(); }
    bool TerminationRequested() const { return m_terminate; }
    QString DatabaseName() const { return m_databaseName; }
    QString DatabaseUser() const { return m_databaseUser; }

    TDatabase dbsDB;
    TQuery qryQuery{dbsDB};
    TQuery qryQuery2{dbsDB};

private:
    void DataModuleCreate(const QStringList& arguments, const QString& executablePath);
    static void FillTraceSettings();
    void OpenConnection();

    QString m_databaseName;
    QString m_databaseUser;
    QString m_password;
    bool m_terminate = false;
};
