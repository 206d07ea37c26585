#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "common/TDatabase.h"
#include "tests/support/TTestEngine.h"

// A fresh lease database (a temporary file, or a database of the PostgreSQL
// test server: TTestEngine) with the server's procedures
// registered, the code and menu data, and a few sites and partners.
class TServerTestDb
{
public:
    TServerTestDb();

    TDatabase& Db() { return m_db; }
    const TConnectionSettings& Settings() const { return m_fresh.Settings(); }
    void Exec(const QString& sql);
    QString Scalar(const QString& sql); // first column of the first row as text

    // Runs one procedure call in its own transaction; empty on success,
    // otherwise the refusal's text (the transaction is then rolled back).
    QString Call(const QString& procedure, const QMap<QString, QString>& params);
    // The same call inside a transaction that is already open; throws on refusal.
    void CallIn(const QString& procedure, const QMap<QString, QString>& params);
    // The same on any connection to the database (another client).
    static void CallOn(TDatabase& db, const QString& procedure, const QMap<QString, QString>& params);
    // Call's save on any connection: empty on success, otherwise the message.
    static QString SaveOn(TDatabase& db, const QString& procedure, const QMap<QString, QString>& params);

    // Every row of every table, sorted, as text: equal dumps mean equal databases.
    QString Dump();

    // Inserts a contract row directly (no procedure), active from start to end.
    void AddContract(const QString& code, const QString& shop, const QString& start, const QString& end,
                     double rent = 1'000'000, double fee = 200'000, double rate = 12);

    // A statement the screens run, by its name in tests/data/screen_statements.sql.
    static QString ScreenStatement(const QString& name);

    static QString Month(int offset);      // the current month moved by offset
    static QString Day(int monthOffset, int day); // a day of that month

private:
    QTemporaryDir m_dir;
    TTestEngine::TFreshDatabase m_fresh;
    TDatabase m_db;
};
