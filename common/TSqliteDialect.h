#pragma once

#include <QHash>
#include <QList>
#include <QSet>

#include "common/TFieldType.h"
#include "common/TSqlDialect.h"

struct sqlite3;
struct sqlite3_stmt;
class TSqliteCursor;

// The embedded engine. Runs statements on the native handle of Qt's SQLite
// connection, keeps the most recent prepared statements, and rewrites only what
// the engine reads differently from the server:
//   MINUS -> EXCEPT; a bare SYSDATE -> SYSDATE(); "UPDATE t A SET" -> "UPDATE t AS A SET";
//   an integer literal next to "/" gets ".0" (the server never divides in whole numbers);
//   the literal '' -> NULL (the server has no empty text); ":NAME" -> "?n";
//   a || b -> NULLIF(COALESCE(a,'') || COALESCE(b,''),'') (NULL joins as empty text);
//   a derived table with scalar subqueries, not filtered from outside, gets
//   "LIMIT -1 OFFSET 0" so the engine reads it once instead of merging it.
// DUAL is a temporary view; the server functions come from TSqliteFunctions.
class TSqliteDialect : public TSqlDialect
{
public:
    TSqliteDialect() = default;
    ~TSqliteDialect() override;

    QString Name() const override { return QStringLiteral("SQLITE"); }
    void Attach(QSqlDatabase& db, const TConnectionSettings& settings) override;
    void Detach() override;
    void Begin() override;
    void Commit() override;
    void Rollback() override;
    QString Translate(const TSqlStatement& statement) const override;
    void Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                 TResultSet& result, bool wantRows) override;
    std::unique_ptr<TSqlCursor> OpenCursor(const TSqlStatement& statement, const std::vector<QVariant>& values,
                                           TResultSet& header) override;
    void ExecuteDirect(const QString& nativeSql) override;
    bool RunsProceduresLocally() const override { return true; }

    sqlite3* Handle() const { return m_handle; }

private:
    friend class TSqliteCursor;

    sqlite3_stmt* Compile(const TSqlStatement& statement);
    sqlite3_stmt* Prepared(const TSqlStatement& statement);
    void Bind(sqlite3_stmt* stmt, const std::vector<QVariant>& values);
    std::vector<TFieldType> ReadHeader(sqlite3_stmt* stmt, const TSqlStatement& statement, TResultSet& header);
    [[noreturn]] void Fail() const;

    sqlite3* m_handle = nullptr;
    QHash<QString, sqlite3_stmt*> m_cache; // by the statement's own text
    QList<QString> m_cacheOrder;           // oldest first
    // Cells of a cached statement's last result: a search run again gets its
    // room at once instead of growing into it.
    QHash<sqlite3_stmt*, size_t> m_lastCells;
    QSet<TSqliteCursor*> m_cursors;        // open cursors, each with its own statement
};
