#include <QFile>
#include <QThread>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <thread>

#include "common/EDatabaseError.h"
#include "common/TPostgresDialect.h"
#include "common/TSqlDialect.h"
#include "tests/common/DatabaseTestSupport.h"

// A save whose COMMIT is in flight when its server connection ends: by the
// end of the server process (pg_terminate_backend) or of the whole server
// (SIGKILL of the postmaster, then a restart while other clients commit).
// The commit is held where the test wants it: before its commit record by a
// deferred trigger that sleeps, or after it, waiting for a standby that never
// answers. A save is reported saved only when its rows are there, and one
// that did commit is reported once and not sent again.
namespace {

enum class THold { BeforeCommitRecord, AfterCommitRecord };

// A connection of the test's own, outside the client under test (libpq at
// first hand: it runs on a thread of its own).
class TWatcher
{
public:
    TWatcher()
    {
        const TConnectionSettings s = TTestEngine::Server();
        const QByteArray info = QStringLiteral("host=%1 port=%2 dbname=postgres user=postgres")
                                    .arg(s.Host).arg(s.Port).toUtf8();
        m_conn = PQconnectdb(info.constData());
    }
    ~TWatcher() { PQfinish(m_conn); }

    QByteArray Value(const QByteArray& sql)
    {
        PGresult* r = PQexec(m_conn, sql.constData());
        const QByteArray value = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0 ? PQgetvalue(r, 0, 0) : "";
        PQclear(r);
        return value;
    }

    // Waits (up to 20 s) until the backend waits on the event.
    bool WaitFor(qint64 pid, const char* waitEvent)
    {
        const QByteArray sql = "SELECT wait_event FROM pg_stat_activity WHERE pid = " + QByteArray::number(pid);
        for (int i = 0; i < 2000; ++i) {
            if (Value(sql) == waitEvent)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

private:
    PGconn* m_conn = nullptr;
};

const char* WaitEventOf(THold hold) { return hold == THold::BeforeCommitRecord ? "PgSleep" : "SyncRep"; }

// The server process's parent is the postmaster of the test server.
qint64 PostmasterOf(qint64 backend)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(backend));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
}

class PostgresCrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.Exec("CREATE TABLE T (K VARCHAR(20) PRIMARY KEY, V INTEGER)");
        Direct("CREATE FUNCTION hold_commit() RETURNS trigger LANGUAGE plpgsql AS $f$BEGIN "
               "IF current_setting('selvar_test.hold', true) = 'on' THEN PERFORM pg_sleep(60); END IF; "
               "RETURN NULL; END$f$");
        Direct("CREATE CONSTRAINT TRIGGER hold_commit AFTER INSERT ON T DEFERRABLE INITIALLY DEFERRED "
               "FOR EACH ROW EXECUTE FUNCTION hold_commit()");
        // A standby that never answers: only a transaction that asks for it
        // waits for it, after its commit record is written.
        Direct("ALTER SYSTEM SET synchronous_standby_names = 'selvar_never'");
        Direct("ALTER SYSTEM SET synchronous_commit = 'local'");
        Reload("selvar_never");
    }

    void TearDown() override
    {
        Direct("ALTER SYSTEM RESET synchronous_standby_names");
        Direct("ALTER SYSTEM RESET synchronous_commit");
        Reload("");
    }

    void Direct(const QString& sql) { t.Db().Dialect().ExecuteDirect(sql); }

    // The server's settings read again; waits until this session sees them.
    void Reload(const QString& standby)
    {
        Direct("SELECT pg_reload_conf()");
        for (int i = 0; i < 200 && t.Scalar("SHOW synchronous_standby_names") != standby; ++i)
            QThread::msleep(10);
    }

    QString Count(const QString& key)
    {
        TDatabase other(t.Settings());
        other.Open();
        TQuery q(other);
        q.SQL() << "SELECT COUNT(*) FROM T WHERE K = '" + key + "'";
        q.Open();
        return q.Fields(0).AsString();
    }

    // Begins the save of key and holds its COMMIT; the error of Commit, with
    // end() run on another thread once the commit is held.
    QString CommitHeld(const QString& key, THold hold, const std::function<void(qint64 backend)>& end)
    {
        const qint64 backend = t.Scalar("SELECT pg_backend_pid()").toLongLong();
        t.Db().StartTransaction();
        t.Exec("INSERT INTO T VALUES ('" + key + "', 1)");
        Direct(hold == THold::BeforeCommitRecord ? "SET LOCAL selvar_test.hold = 'on'"
                                                 : "SET LOCAL synchronous_commit = on");
        bool held = false;
        std::thread ender([&] {
            TWatcher watcher;
            held = watcher.WaitFor(backend, WaitEventOf(hold));
            end(backend);
        });
        const QString error = DatabaseErrorOf([&] { t.Db().Commit(); });
        ender.join();
        EXPECT_TRUE(held) << "the commit was never held";
        if (!error.isEmpty())
            t.Db().Rollback();
        return error;
    }

    // Three other clients' saves, each in a transaction of its own.
    void OthersCommit(const QString& prefix)
    {
        TDatabase other(t.Settings());
        other.Open();
        for (int i = 0; i < 3; ++i) {
            other.StartTransaction();
            TQuery q(other);
            q.SQL() << QStringLiteral("INSERT INTO T VALUES ('%1%2', 2)").arg(prefix).arg(i);
            q.ExecSQL();
            other.Commit();
        }
    }

    TTempDatabase t;
};

TEST_F(PostgresCrash, ACommitCutOffByTheEndOfItsServerProcessIsAskedAboutAtOnce)
{
    auto terminate = [](qint64 backend) {
        TWatcher().Value("SELECT pg_terminate_backend(" + QByteArray::number(backend) + ")");
    };
    // Cut off before the commit record: nothing is there, the clerk saves again.
    EXPECT_EQ(CommitHeld("lost", THold::BeforeCommitRecord, terminate), TPostgresDialect::ConnectionLostMessage());
    EXPECT_EQ(Count("lost"), "0");
    // Cut off after it: the save is there and the commit reports success.
    EXPECT_EQ(CommitHeld("kept", THold::AfterCommitRecord, terminate), "");
    EXPECT_EQ(Count("kept"), "1");
    t.Db().StartTransaction(); // nothing left to report
    t.Db().Rollback();
}

TEST_F(PostgresCrash, AKilledServerNeverTurnsALostSaveIntoASuccess)
{
    auto kill = [](qint64 backend) {
        const qint64 postmaster = PostmasterOf(backend);
        ASSERT_GT(postmaster, 1);
        ::kill(static_cast<pid_t>(postmaster), SIGKILL);
    };
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        const THold hold = run % 2 ? THold::AfterCommitRecord : THold::BeforeCommitRecord;
        const QString key = QStringLiteral("save%1").arg(run);
        // The server is gone before the client can ask: the outcome is open.
        ASSERT_EQ(CommitHeld(key, hold, kill), TPostgresDialect::OutcomeUnknownMessage());
        TTestEngine::RestartServer();
        // The restarted server gives out the numbers of lost transactions again.
        OthersCommit(key + "_");
        if (hold == THold::BeforeCommitRecord) {
            EXPECT_EQ(Count(key), "0");
            t.Db().StartTransaction(); // not reported as saved
            t.Exec("INSERT INTO T VALUES ('" + key + "', 1)");
            t.Db().Commit(); // saved again, once
        } else {
            EXPECT_EQ(DatabaseErrorOf([&] { t.Db().StartTransaction(); }), TPostgresDialect::SavedBeforeMessage());
            t.Db().StartTransaction(); // reported once
            t.Db().Rollback();
        }
        EXPECT_EQ(Count(key), "1");
        EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T WHERE K LIKE '" + key + "\\_%'"), "3");
    }
}

TEST_F(PostgresCrash, ACommitOfAFailedTransactionIsNoSuccess)
{
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    EXPECT_NE(DatabaseErrorOf([&] { t.Exec("INSERT INTO T VALUES ('a', 2)"); }), "");
    EXPECT_EQ(DatabaseErrorOf([&] { t.Db().Commit(); }), TPostgresDialect::CommitRefusedMessage());
    t.Db().Rollback();
    EXPECT_EQ(Count("a"), "0");
}

} // namespace
