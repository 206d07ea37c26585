#pragma once

#include <QSqlDatabase>
#include <QString>
#include <memory>

#include "common/TConnectionSettings.h"

class TSqlDialect;

// The one connection that every query and stored procedure of the client shares.
// One transaction at a time; statements outside a transaction commit on their own.
// Every failure raises EDatabaseError with the engine's text.
class TDatabase
{
public:
    TDatabase();
    explicit TDatabase(const TConnectionSettings& settings);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    const TConnectionSettings& Settings() const { return m_settings; }
    void SetSettings(const TConnectionSettings& settings); // only while closed

    bool Connected() const { return m_dialect != nullptr; }
    void SetConnected(bool connected);
    void Open();
    void Close(); // rolls back an open transaction first

    void StartTransaction(int id = 1);
    void Commit();
    void Rollback(); // does nothing when no transaction is open
    bool InTransaction() const { return m_transactionId != 0; }
    int TransactionId() const { return m_transactionId; }

    // For the access layer itself: the Qt connection and the engine behind it.
    QSqlDatabase SqlDatabase() const { return m_db; }
    TSqlDialect& Dialect() const; // throws EDatabaseError when closed

private:
    std::unique_ptr<TSqlDialect> CreateDialect(QString* qtDriver) const;
    void ConfigureQtConnection();
    void Release();

    TConnectionSettings m_settings;
    QString m_connectionName;
    QSqlDatabase m_db;
    std::unique_ptr<TSqlDialect> m_dialect;
    int m_transactionId = 0;
};
