#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "tests/support/TTestEngine.h"

// A fresh database open for the test: an embedded file in a temporary folder,
// or a new database on the PostgreSQL test server (TTestEngine).
class TTempDatabase
{
public:
    TTempDatabase() : m_fresh(m_dir.filePath(QStringLiteral("test.db"))), m_db(m_fresh.Settings())
    {
        m_db.Open();
    }

    TDatabase& Db() { return m_db; }
    QString Path() const { return m_db.Settings().Path; }
    const TConnectionSettings& Settings() const { return m_fresh.Settings(); }
    QString Dir() const { return m_dir.path(); }

    // Runs one statement without parameters.
    void Exec(const QString& sql)
    {
        TQuery q(m_db);
        q.SQL() << sql;
        q.ExecSQL();
    }

    // The first column of the first row, as text.
    QString Scalar(const QString& sql)
    {
        TQuery q(m_db);
        q.SQL() << sql;
        q.Open();
        return q.Fields(0).AsString();
    }

private:
    QTemporaryDir m_dir;
    TTestEngine::TFreshDatabase m_fresh;
    TDatabase m_db;
};

// The database error f raises, or empty when it raises none.
inline QString DatabaseErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return QString();
}
