#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "common/TDatabase.h"
#include "common/TQuery.h"

// A fresh embedded database file in a temporary folder, open for the test.
class TTempDatabase
{
public:
    TTempDatabase() : m_db(TConnectionSettings::Sqlite(m_dir.filePath(QStringLiteral("test.db"))))
    {
        m_db.Open();
    }

    TDatabase& Db() { return m_db; }
    QString Path() const { return m_db.Settings().Path; }
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
    TDatabase m_db;
};
