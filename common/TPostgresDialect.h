#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>

#include "common/TSqlDialect.h"

class TPostgresStatement;
struct pg_conn;
struct pg_result;

// The shared server for many clients. Runs statements on the native handle of
// Qt's PostgreSQL connection (TPostgresStatement gives them the server's
// meaning, TPostgresFunctions the server's functions); the stored procedures
// run in this client like on the embedded engine.
//
// Many clients: every transaction is serializable, so two clients that save
// the same rows, or read what the other one writes (a new code from the
// highest one, a month's closing, a month's receipts), never both succeed: the
// later one is refused with a message to save again, and nothing of it stays.
//
// A dropped connection fails the running statement and the transaction with a
// message; the work of that transaction is gone on the server. The next
// statement outside a transaction, or the next transaction, connects again.
// When the connection drops during COMMIT the outcome is decided by the
// transaction's save token (TPostgresSaveToken), asked of the server at once
// and, when it cannot answer, on reconnecting before anything else is sent.
class TPostgresDialect : public TSqlDialect
{
public:
    TPostgresDialect() = default;

    QString Name() const override { return QStringLiteral("POSTGRES"); }
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
    void TakeWorkLock(bool exclusive) override;

    // The messages a client shows (also for tests).
    static QString RetryMessage();
    static QString ConnectionLostMessage();
    static QString SavedBeforeMessage();
    static QString OutcomeUnknownMessage();
    static QString CommitRefusedMessage();
    static QString WorkLockTimeoutMessage();

private:
    using TResult = std::unique_ptr<pg_result, void (*)(pg_result*)>;
    enum class TOutcome { Committed, Absent, Unknown };

    TResult Run(const QString& sql, const std::vector<QVariant>& values = {});
    TResult RunReconnecting(const TPostgresStatement& native);
    [[noreturn]] void Fail(pg_result* result);
    void PrepareSession();
    void InstallFunctions();
    void EnsureConnected();
    void OpenTransaction();
    void CommitTransaction();
    TOutcome AskOutcome();
    void ResolveUnanswered();
    void PruneTokens();

    pg_conn* m_conn = nullptr;
    std::shared_ptr<int> m_session; // lives while attached; cursors watch it
    bool m_inTransaction = false;
    QString m_implicitSavepoint; // a savepoint that opened the transaction itself
    QByteArray m_unanswered;     // token of a transaction whose COMMIT got no answer
    QDateTime m_pruned;          // when this session last removed old tokens
};
