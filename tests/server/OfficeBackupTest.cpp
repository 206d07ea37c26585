#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "server/TOfficeBackup.h"
#include "server/TServerProcedures.h"
#include "tests/server/ServerTestSupport.h"
#include "tests/support/TTestEngine.h"

namespace {

const char* const BookerDb = "SELVAR_BOOKER_DB";

QString Encode(const TConnectionSettings& s)
{
    return QStringList{s.Driver, s.Path, s.Host, QString::number(s.Port), s.Database, s.User, s.Password}.join('\t');
}

TConnectionSettings Decode(const QString& text)
{
    const QStringList f = text.split('\t');
    TConnectionSettings s;
    s.Driver = f.value(0);
    s.Path = f.value(1);
    s.Host = f.value(2);
    s.Port = f.value(3).toInt();
    s.Database = f.value(4);
    s.User = f.value(5);
    s.Password = f.value(6);
    return s;
}

QString Receipts(TDatabase& db)
{
    TQuery q(db);
    q.SQL() << "SELECT COUNT(*) FROM NB020MS";
    q.Open();
    return q.Fields(0).AsString();
}

// A database with one contract whose schedule takes receipts of 1 won.
class OfficeBackupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.AddContract("000001", "4001", "20250110", "20251209");
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    }

    // Another client books receipts in a loop; the backup is taken once it
    // has reported twenty. Returns how many it reported before the backup began.
    int BackupWhileBooking(const QString& file)
    {
        QProcess booker;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(BookerDb, Encode(t.Settings()));
        env.insert("SELVAR_BOOKER_STOP", dir.filePath("stop"));
        booker.setProcessEnvironment(env);
        booker.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=BackupBooker.*"});
        EXPECT_TRUE(booker.waitForStarted());
        int reported = 0;
        while (reported < 20 && booker.waitForReadyRead(20000))
            while (booker.canReadLine())
                if (booker.readLine().startsWith("committed"))
                    ++reported;
        EXPECT_GE(reported, 20) << booker.readAllStandardError().toStdString();
        while (booker.canReadLine())
            if (booker.readLine().startsWith("committed"))
                ++reported;
        backup.Backup(t.Settings(), file);
        QFile stop(dir.filePath("stop"));
        stop.open(QIODevice::WriteOnly);
        stop.close();
        EXPECT_TRUE(booker.waitForFinished(30000));
        return reported;
    }

    // The backup passes its check and holds every receipt reported before it began.
    void ExpectVerified(const QString& file, int reported)
    {
        const TOfficeBackup::TReport report = backup.Verify(file);
        EXPECT_GE(report.schemaVersion, 1);
        bool sawReceipts = false;
        for (const auto& table : report.tables)
            if (table.table == "NB020MS") {
                sawReceipts = true;
                EXPECT_GE(table.rows, reported);
            }
        EXPECT_TRUE(sawReceipts);
    }

    static void ExpectRefused(const std::function<void()>& call, const QString& start)
    {
        try {
            call();
            ADD_FAILURE() << "not refused";
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(e.Message().startsWith(start)) << e.Message().toStdString();
        }
    }

    QTemporaryDir dir;
    TServerTestDb t;
    TOfficeBackup backup;
};

} // namespace

// The other process of the tests below (started by them only).
TEST(BackupBooker, BooksUntilStopped)
{
    if (qEnvironmentVariableIsEmpty(BookerDb))
        GTEST_SKIP() << "started by the backup tests";
    RegisterServerProcedures();
    TDatabase db(Decode(qEnvironmentVariable(BookerDb)));
    db.Open();
    const QString stop = qEnvironmentVariable("SELVAR_BOOKER_STOP");
    for (int i = 0; i < 5000 && !QFile::exists(stop); ++i) {
        db.StartTransaction();
        TServerTestDb::CallOn(db, "PR_NBI010_01",
                              {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                               {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250212"}, {"AIPGUM_AMT", "1"}});
        db.Commit();
        std::printf("committed %d\n", i + 1);
        std::fflush(stdout);
    }
}

TEST_F(OfficeBackupTest, AnEmbeddedFileIsCopiedWhileAnotherClientBooksAndRestoresOnlyIntoANewFile)
{
    const QString file = dir.filePath("office-backup.db");
    const int reported = BackupWhileBooking(file);
    EXPECT_FALSE(QFile::exists(file + ".part"));
    ExpectVerified(file, reported);

    const TConnectionSettings target = TConnectionSettings::Sqlite(dir.filePath("restored.db"));
    backup.Restore(file, target);
    TDatabase restored(target);
    restored.Open();
    EXPECT_GE(Receipts(restored).toInt(), reported);
    const QString count = Receipts(restored);
    restored.Close();

    // A second restore finds tables and changes nothing.
    ExpectRefused([&] { backup.Restore(file, target); }, "'" + target.Path + "' 데이터베이스에 이미 테이블이 있습니다.");
    restored.Open();
    EXPECT_EQ(Receipts(restored), count);
}

TEST_F(OfficeBackupTest, ADamagedOrForeignFileFailsVerification)
{
    const QString file = dir.filePath("copy.db");
    backup.Backup(t.Settings(), file);
    EXPECT_GE(backup.Verify(file).schemaVersion, 1);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() / 2);
    f.write(QByteArray(8192, '\x5a'));
    f.close();
    EXPECT_THROW(backup.Verify(file), EDatabaseError);

    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a backup");
    text.close();
    ExpectRefused([&] { backup.Verify(text.fileName()); }, "임대업장 관리의 백업 파일이 아닙니다");
}

using PostgresBackup = OfficeBackupTest;

TEST_F(PostgresBackup, ADumpIsTakenWhileAnotherClientBooksAndRestoresOnlyIntoAnEmptyDatabase)
{
    const QString file = dir.filePath("office.dump");
    const int reported = BackupWhileBooking(file);
    ExpectVerified(file, reported);

    TTestEngine::TFreshDatabase empty(dir.filePath("unused.db"));
    {
        // Empty as a new office's database is: without the tests' own helpers,
        // which the dump brings along.
        TDatabase helpers(empty.Settings());
        helpers.Open();
        QSqlQuery q(helpers.SqlDatabase());
        for (const char* drop : {"DROP AGGREGATE public.group_concat(text, text)", "DROP AGGREGATE public.group_concat(text)",
                                 "DROP FUNCTION public.test_join(text, text)",
                                 "DROP FUNCTION public.test_join(text, text, text)"})
            ASSERT_TRUE(q.exec(drop)) << drop;
    }
    backup.Restore(file, empty.Settings());
    TDatabase restored(empty.Settings());
    restored.Open();
    EXPECT_GE(Receipts(restored).toInt(), reported);
    const QString count = Receipts(restored);
    ExpectRefused([&] { backup.Restore(file, empty.Settings()); },
                  "'" + empty.Settings().Database + "' 데이터베이스에 이미 테이블이 있습니다.");
    EXPECT_EQ(Receipts(restored), count);
    // A dump goes to a server only.
    ExpectRefused([&] { backup.Restore(file, TConnectionSettings::Sqlite(dir.filePath("x.db"))); },
                  "PostgreSQL 백업은 PostgreSQL 데이터베이스에만");
}

TEST_F(PostgresBackup, AMissingOrOlderDumpProgramIsNamed)
{
    backup.pgDump = dir.filePath("no-such-pg_dump");
    ExpectRefused([&] { backup.Backup(t.Settings(), dir.filePath("a.dump")); }, "pg_dump가 설치되어 있지 않습니다");
    QFile old(dir.filePath("old-pg_dump"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("#!/bin/sh\necho 'pg_dump (PostgreSQL) 9.6.24'\n");
    old.close();
    old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    backup.pgDump = old.fileName();
    ExpectRefused([&] { backup.Backup(t.Settings(), dir.filePath("a.dump")); }, "pg_dump의 버전(9)이 서버의 버전(");
    EXPECT_FALSE(QFile::exists(dir.filePath("a.dump")));
}
