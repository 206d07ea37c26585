#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/EDatabaseError.h"
#include "tests/common/DatabaseTestSupport.h"

namespace {

QString OpenError(const TConnectionSettings& settings)
{
    TDatabase db(settings);
    try {
        db.Open();
    } catch (const EDatabaseError& e) {
        EXPECT_FALSE(db.Connected());
        return e.Message();
    }
    return QString();
}

TEST(Database, OpensTheEmbeddedFileInWalModeWithFullSync)
{
    TTempDatabase t;
    EXPECT_TRUE(t.Db().Connected());
    EXPECT_EQ(t.Scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(t.Scalar("PRAGMA synchronous"), "2");
    t.Db().SetConnected(false);
    EXPECT_FALSE(t.Db().Connected());
    EXPECT_THROW(t.Scalar("SELECT 1 FROM DUAL"), EDatabaseError);
    t.Db().SetConnected(true);
    EXPECT_EQ(t.Scalar("SELECT 'X' FROM DUAL"), "X");
}

TEST(Database, ConnectionFailuresCarryTheEngineText)
{
    QTemporaryDir dir;
    EXPECT_EQ(OpenError(TConnectionSettings::Sqlite(dir.filePath("missing/sub/x.db"))),
              "unable to open database file");

    const QString garbage = dir.filePath("garbage.db");
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'z'));
    f.close();
    EXPECT_EQ(OpenError(TConnectionSettings::Sqlite(garbage)), "file is not a database");
    EXPECT_FALSE(OpenError(TConnectionSettings::Sqlite(QString())).isEmpty());
    TConnectionSettings postgres;
    postgres.Driver = "POSTGRES";
    EXPECT_FALSE(OpenError(postgres).isEmpty());
}

// Root writes to any file, so the read-only case runs as an unprivileged child.
TEST(Database, ReadOnlyFileIsRefused)
{
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString path = dir.filePath("ro.db");
    {
        TDatabase db(TConnectionSettings::Sqlite(path));
        db.Open();
        TQuery q(db);
        q.SQL() << "CREATE TABLE T (A INTEGER)";
        q.ExecSQL();
        q.SQL().clear();
        q.SQL() << "PRAGMA journal_mode=DELETE";
        q.ExecSQL();
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        _exit(OpenError(TConnectionSettings::Sqlite(path)) == "attempt to write a readonly database" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Database, FailedStatementInsideTransactionThenRollbackLeavesFileUnchanged)
{
    TTempDatabase t;
    t.Exec("CREATE TABLE T (K VARCHAR(2) PRIMARY KEY, V DOUBLE PRECISION)");
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    t.Db().StartTransaction(7);
    EXPECT_TRUE(t.Db().InTransaction());
    EXPECT_EQ(t.Db().TransactionId(), 7);
    EXPECT_THROW(t.Db().StartTransaction(8), EDatabaseError); // one at a time
    t.Exec("UPDATE T SET V = 2");
    t.Exec("INSERT INTO T VALUES ('b', 3)");
    try {
        t.Exec("INSERT INTO T VALUES ('a', 4)");
        FAIL() << "duplicate key accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "UNIQUE constraint failed: T.K");
    }
    t.Db().Rollback();
    EXPECT_FALSE(t.Db().InTransaction());

    TDatabase other(TConnectionSettings::Sqlite(t.Path()));
    other.Open();
    TQuery q(other);
    q.SQL() << "SELECT K, V FROM T ORDER BY K";
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("V").AsFloat(), 1.0);
}

TEST(Database, CommittedWorkIsSeenByAnotherConnection)
{
    TTempDatabase t;
    t.Exec("CREATE TABLE T (V INTEGER)");
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES (1)");
    TDatabase other(TConnectionSettings::Sqlite(t.Path()));
    other.Open();
    TQuery q(other);
    q.SQL() << "SELECT COUNT(*) FROM T";
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 0); // not committed yet
    t.Db().Commit();
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 1);
    EXPECT_THROW(t.Db().Commit(), EDatabaseError);
}

TEST(Database, FileLockedByAnotherClientWaitsThenFails)
{
    TTempDatabase t;
    t.Exec("CREATE TABLE T (V INTEGER)");
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES (1)");

    TConnectionSettings settings = TConnectionSettings::Sqlite(t.Path());
    settings.BusyTimeoutMs = 150;
    TDatabase other(settings);
    other.Open();
    try {
        other.StartTransaction();
        FAIL() << "the lock was not noticed";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "database is locked");
    }
    EXPECT_FALSE(other.InTransaction());
    t.Db().Commit();
    other.StartTransaction();
    other.Commit();
}

TEST(Database, CloseRollsBackAnOpenTransaction)
{
    TTempDatabase t;
    t.Exec("CREATE TABLE T (V INTEGER)");
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES (1)");
    t.Db().Close();
    t.Db().Open();
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T"), "0");
}

} // namespace
