#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "server/TSchema.h"
#include "shell/TConnectionFile.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TTestEngine.h"

class ConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }

    ProgramFolder folder;
};

TEST_F(ConnectionTest, AnUnlistedNameIsADemoDatabaseCreatedWithTheSchema)
{
    {
        TfrmZZD000 dataModule({"DEMO", "selvar", "E1", "홍길동"}, folder.Path("selvar_n"));
        ASSERT_TRUE(dataModule.Connected()) << MessageBoxSeam::Last().text.toStdString();
        EXPECT_EQ(TSchema::CurrentVersion(dataModule.dbsDB), TSchema::LatestVersion());
        EXPECT_TRUE(dataModule.ConnectDatabase()); // already open
    }
    EXPECT_TRUE(QFile::exists(folder.Path("data/test_shell/DEMO.db")));
}

TEST_F(ConnectionTest, AMistypedNameIsRefusedInsteadOfOpeningNewDemonstrationData)
{
    for (const char* name : {"NOSUCHDB", "../x/y"}) {
        MessageBoxSeam::Reset();
        TfrmZZD000 dataModule({name, "selvar", "E1", "홍길동"}, folder.Path("selvar_n"));
        EXPECT_FALSE(dataModule.Connected());
        ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
        const QString text = MessageBoxSeam::Last().text;
        EXPECT_TRUE(text.startsWith("데이터베이스와 연결할 수 없습니다.\r\r에러내용:\r")) << text.toStdString();
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
        EXPECT_TRUE(text.contains("Databases.ini")) << text.toStdString();
    }
    EXPECT_TRUE(QDir(folder.Path("data/test_shell")).entryList(QDir::Files).isEmpty());
}

TEST_F(ConnectionTest, ListedDatabasesUseTheirDriverAndSettings)
{
    folder.SetIni("Databases.ini", "SITE/Driver", "SQLITE");
    folder.SetIni("Databases.ini", "SITE/Path", "site.db");
    folder.SetIni("Databases.ini", "SHARED/Driver", "POSTGRES");
    folder.SetIni("Databases.ini", "SHARED/Host", "db.example");
    folder.SetIni("Databases.ini", "SHARED/Port", 5433);
    folder.SetIni("Databases.ini", "SHARED/Database", "lease");
    const auto site = TConnectionFile::Resolve(SessionContext::AppDir(), "SITE");
    EXPECT_FALSE(site.demo);
    EXPECT_EQ(site.settings.Path, folder.Path("site.db"));
    const auto shared = TConnectionFile::Resolve(SessionContext::AppDir(), "SHARED");
    EXPECT_EQ(shared.settings.Driver, "POSTGRES");
    EXPECT_EQ(shared.settings.Host, "db.example");
    EXPECT_EQ(shared.settings.Port, 5433);
    EXPECT_EQ(shared.settings.Database, "lease");
}

TEST_F(ConnectionTest, AListedFileThatIsMissingIsNotCreatedAndTheErrorIsShown)
{
    folder.SetIni("Databases.ini", "SITE/Path", "missing.db");
    TfrmZZD000 dataModule({"SITE", "selvar", "E1", "홍길동"}, folder.Path("selvar_n"));
    EXPECT_FALSE(dataModule.Connected());
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::Last().text.startsWith("데이터베이스와 연결할 수 없습니다.\r\r에러내용:\r"));
    EXPECT_TRUE(MessageBoxSeam::Last().text.contains("missing.db"));
    EXPECT_FALSE(QFile::exists(folder.Path("missing.db")));
}

TEST_F(ConnectionTest, TheConnectionClosesWithTheDataModule)
{
    auto* dataModule = new TfrmZZD000({"DEMO", "selvar", "E1", "홍길동"}, folder.Path("selvar_n"));
    TDatabase& db = dataModule->dbsDB;
    ASSERT_TRUE(db.Connected());
    dataModule->DisconnectDatabase();
    EXPECT_FALSE(db.Connected());
    EXPECT_TRUE(dataModule->ConnectDatabase());
    delete dataModule;
}

// On the shared server (SELVAR_TEST_ENGINE=POSTGRES only): a new database gets
// the schema from the first client, the next start finds it ready.
using PostgresStartupTest = ConnectionTest;

TEST_F(PostgresStartupTest, TheFirstClientOfANewSharedDatabaseCreatesTheSchema)
{
    const TTestEngine::TFreshDatabase fresh(folder.Path("unused.db"));
    folder.SetIni("Databases.ini", "SHARED/Driver", "POSTGRES");
    folder.SetIni("Databases.ini", "SHARED/Host", fresh.Settings().Host);
    folder.SetIni("Databases.ini", "SHARED/Port", fresh.Settings().Port);
    folder.SetIni("Databases.ini", "SHARED/Database", fresh.Settings().Database);
    for (int start = 0; start < 2; ++start) {
        TfrmZZD000 dataModule({"SHARED", fresh.Settings().User, "E1", "홍길동"}, folder.Path("selvar_n"));
        ASSERT_TRUE(dataModule.Connected()) << MessageBoxSeam::Last().text.toStdString();
        EXPECT_EQ(TSchema::CurrentVersion(dataModule.dbsDB), TSchema::LatestVersion());
        TQuery q(dataModule.dbsDB);
        q.SQL() << "SELECT COUNT(*) FROM SCHEMA_VERSION";
        q.Open();
        EXPECT_EQ(q.Fields(0).AsInteger(), TSchema::LatestVersion());
    }
}
