#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "server/TMenuData.h"
#include "server/TSchema.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/OfficeFolder.h"

namespace {
qint64 Count(TDatabase& db, const QString& table)
{
    TQuery q(db);
    q.SQL() << "SELECT COUNT(*) FROM " + table;
    q.Open();
    return q.Fields(0).AsInteger();
}

QStringList MenuProgramIds(TfrmZZMain& window)
{
    QStringList ids;
    for (QAction* top : window.menuBar()->actions())
        if (top->menu() && top->menu() != window.WindowMenu())
            for (QAction* program : top->menu()->actions())
                ids << program->data().toString();
    ids.sort();
    return ids;
}
} // namespace

// On the embedded file, and once more on the PostgreSQL test server.
class NewOfficeTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }

    OfficeFolder folder;
};

TEST_F(NewOfficeTest, TheAdministratorOfANewOfficeSeesEveryProgramAndNoBusinessData)
{
    const auto created = folder.Create();
    ASSERT_EQ(created.code, 0) << created.err.toStdString();
    EXPECT_TRUE(created.err.isEmpty());

    TfrmZZD000 dataModule({"OFFICE", folder.User(), "A0000001", "한관리"}, folder.Path("selvar_n"));
    ASSERT_TRUE(dataModule.Connected()) << MessageBoxSeam::Last().text.toStdString();
    TfrmN0Main window(&dataModule);
    EXPECT_EQ(window.windowTitle(), "임대업장 관리(설악 사무소)");
    QStringList all;
    for (const auto& p : TMenuData::AllPrograms())
        all << p.programId;
    all.sort();
    EXPECT_EQ(MenuProgramIds(window), all);
    EXPECT_TRUE(all.contains("ZZA010"));
    for (const char* table : {"JA010MS", "NA010MS", "NA020MS", "VA050MS", "NB010MS", "NB020MS", "NB030MS",
                              "NB010DT", "NB020DT", "NC010MS", "VB011MS", "VB011DT", "ZA150MS"})
        EXPECT_EQ(Count(dataModule.dbsDB, table), 0) << table;
    // The codes the screens pick from are there.
    TQuery codes(dataModule.dbsDB);
    codes.SQL() << "SELECT COUNT(DISTINCT HEAD) FROM ZX010MS WHERE HEAD IN ('NA001', 'NA002', 'NA003')";
    codes.Open();
    EXPECT_EQ(codes.Fields(0).AsInteger(), 3);
    // Only one salted hash is stored, never the password.
    const QString dump = folder.Dump().join('\n');
    EXPECT_FALSE(dump.contains("secret12"));
    EXPECT_TRUE(dump.contains("$argon2id$"));

    // The real client starts on it and ends after its first paint.
    const auto client = folder.Run("selvar_n", {"OFFICE", folder.User(), "A0000001", "한관리"},
                                   {"SELVAR_EXIT_AFTER_PAINT=1"});
    EXPECT_EQ(client.code, 0) << client.err.toStdString();
}

TEST_F(NewOfficeTest, ASecondCreateIsRefusedAndChangesNothing)
{
    ASSERT_EQ(folder.Create().code, 0);
    const QStringList before = folder.Dump();
    ASSERT_FALSE(before.isEmpty());
    const auto again = folder.Run("selvar_admin", {"create", "OFFICE", "--emp-no", "B0000002", "--name", "다른사람",
                                                   "--password-file", folder.Path("pw.txt")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains("'OFFICE'")) << again.err.toStdString();
    EXPECT_EQ(again.err.count('\n'), 1);
    EXPECT_EQ(folder.Dump(), before);
}

TEST_F(NewOfficeTest, ACreateThatFailsMidwayLeavesNoTableBehind)
{
    // A table of another program under the name of one of the client's
    // indexes: the schema fails after most of its tables were made.
    {
        TDatabase db(folder.Settings());
        db.Open();
        TQuery q(db);
        q.SQL() << "CREATE TABLE VB011DT_CONF (X INTEGER)";
        q.ExecSQL();
    }
    const auto created = folder.Create();
    EXPECT_EQ(created.code, 1);
    EXPECT_FALSE(created.err.isEmpty());
    TDatabase db(folder.Settings());
    db.Open();
    EXPECT_TRUE(TSchema::ClientTablesIn(db).isEmpty()) << TSchema::ClientTablesIn(db).join(",").toStdString();
    EXPECT_EQ(Count(db, "VB011DT_CONF"), 0); // the other program's table is untouched
}

TEST_F(NewOfficeTest, WrongUsageAndBadOptionsAreTold)
{
    EXPECT_EQ(folder.Run("selvar_admin", {}).code, 2);
    EXPECT_EQ(folder.Run("selvar_admin", {"drop", "OFFICE"}).code, 2);
    EXPECT_EQ(folder.Run("selvar_admin", {"create", "OFFICE", "--name", "이름"}).code, 2);
    const auto help = folder.Run("selvar_admin", {"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("사용법")) << help.out.toStdString();

    const auto demo = folder.Run("selvar_admin", {"create", "DEMO", "--emp-no", "1", "--name", "가"});
    EXPECT_EQ(demo.code, 1);
    const auto unlisted = folder.Run("selvar_admin", {"create", "NOSUCH", "--emp-no", "1", "--name", "가"});
    EXPECT_EQ(unlisted.code, 1);
    EXPECT_TRUE(unlisted.err.contains("NOSUCH"));
    EXPECT_EQ(folder.Create({"--emp-no", "123456789"}).code, 1); // longer than a number may be
    QFile short_(folder.Path("short.txt"));
    short_.open(QIODevice::WriteOnly);
    short_.write("abc\n");
    short_.close();
    const auto weak = folder.Run("selvar_admin", {"create", "OFFICE", "--emp-no", "1", "--name", "가",
                                                  "--password-file", folder.Path("short.txt")});
    EXPECT_EQ(weak.code, 1);
    TDatabase db(folder.Settings());
    db.Open();
    EXPECT_TRUE(TSchema::ClientTablesIn(db).isEmpty());
}

// Clients starting at the same moment on a new shared database all start:
// they take turns creating the schema.
using PostgresStartupTogether = NewOfficeTest;

TEST_F(PostgresStartupTogether, FourClientsOnANewDatabaseAllStart)
{
    QList<QProcess*> clients;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SELVAR_EXIT_AFTER_PAINT", "1");
    for (int i = 0; i < 4; ++i) {
        auto* p = new QProcess;
        p->setProcessEnvironment(env);
        clients << p;
    }
    for (QProcess* p : clients)
        p->start(folder.Path("selvar_n"), {"OFFICE", folder.User(), "E1", "홍길동"});
    for (QProcess* p : clients) {
        const bool ended = p->waitForFinished(60000);
        if (!ended)
            p->kill(); // a message box waits for an answer
        EXPECT_TRUE(ended && p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0)
            << p->readAllStandardError().toStdString();
    }
    qDeleteAll(clients);
    TDatabase db(folder.Settings());
    db.Open();
    EXPECT_EQ(TSchema::CurrentVersion(db), TSchema::LatestVersion());
}
