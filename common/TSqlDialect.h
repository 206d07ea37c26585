#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "common/TConnectionSettings.h"

class QSqlDatabase;
class TParam;
class TSqlStatement;
struct TResultSet;

// Rows of a running statement, read one at a time.
class TSqlCursor
{
public:
    virtual ~TSqlCursor() = default;
    // Replaces row with the next row's values; false after the last row.
    virtual bool Fetch(std::vector<QVariant>& row) = 0;
};

// The engine-specific part of the connection: session set-up, transactions,
// turning a statement of the server's dialect into the engine's own text, and
// running it. Every failure is an EDatabaseError with the engine's text.
class TSqlDialect
{
public:
    virtual ~TSqlDialect() = default;

    virtual QString Name() const = 0;
    // Called once the Qt connection is open; prepares the session.
    virtual void Attach(QSqlDatabase& db, const TConnectionSettings& settings) = 0;
    // Called before the Qt connection closes; releases engine resources.
    virtual void Detach() = 0;

    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;

    // The engine's text for a statement (parameters become the engine's markers).
    virtual QString Translate(const TSqlStatement& statement) const = 0;
    // Runs a statement with one value per parameter name (in ParamNames() order).
    // With wantRows, a statement that yields no result set is refused before it runs.
    virtual void Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                         TResultSet& result, bool wantRows) = 0;
    // Starts a statement whose rows are read one at a time; header receives the
    // field names and declared types. This version reads them all at once.
    virtual std::unique_ptr<TSqlCursor> OpenCursor(const TSqlStatement& statement,
                                                   const std::vector<QVariant>& values, TResultSet& header);
    // Runs engine text without parameters (session and savepoint commands).
    virtual void ExecuteDirect(const QString& nativeSql) = 0;

    // The database's work lock, for the rest of the transaction: any number of
    // transactions hold it shared, one alone holds it exclusive, and a waiting
    // exclusive request goes before shared ones asked for after it. Taken as
    // the first thing of a transaction, before it reads, so that what it then
    // reads is what the holders before it committed. This version does
    // nothing: an engine whose transactions take the write lock at their start
    // already runs them one after the other.
    virtual void TakeWorkLock(bool exclusive) { (void)exclusive; }

    // True when stored procedures run in this client (TProcedureRegistry);
    // false when the server has them and CallProcedure reaches them.
    virtual bool RunsProceduresLocally() const = 0;
    virtual void CallProcedure(const QString& name, const std::vector<TParam>& params);
};
