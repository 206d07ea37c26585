#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "screens/ScreenRegistry.h"
#include "server/TMenuData.h"
#include "shell/TConnectionFile.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"

namespace {
void Exec(TDatabase& db, const QString& sql)
{
    TQuery query(db);
    query.SQL() << sql;
    query.ExecSQL();
}

// Menus and rights of a small project: E1 has level A, with exceptions.
void FillMenuFixture(TDatabase& db)
{
    for (const char* table : {"ZX010MS", "ZA040MS", "ZA050MS", "ZA130MS", "ZA140MS", "ZA150MS"})
        Exec(db, QString("DELETE FROM %1").arg(table));
    const QStringList rows = {
        "INSERT INTO ZX010MS VALUES ('Z9999', 'SELVAR', '데모 리조트')",
        "INSERT INTO ZA040MS VALUES ('SELVAR_N', 'M1', '계약관리', 1)",
        "INSERT INTO ZA040MS VALUES ('SELVAR_N', 'M2', '청구관리', 2)",
        "INSERT INTO ZA040MS VALUES ('SELVAR_N', 'M3', '숨은메뉴', 0)",
        "INSERT INTO ZA040MS VALUES ('SELVAR_N', 'M4', '제외메뉴', 3)",
        "INSERT INTO ZA040MS VALUES ('SELVAR_N', 'M5', '비순번메뉴', 4)",
        "INSERT INTO ZA040MS VALUES ('OTHER', 'M1', '다른 프로젝트', 1)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M1', 'NAI010', '업장 등록', 2)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M1', 'NAI020', '계약 등록(&C)', 1)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M1', 'NAI030', '계약 변경', 3)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M1', 'NAI040', '요율 설정', 4)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M1', 'NAS050', '계약 현황', 5)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M2', 'NBI010', '영수 등록', 1)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M2', 'NBI020', '납입 계획', 0)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M3', 'NBI030', '청구 등록', 1)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M4', 'NBI040', '관리비 반입', 1)",
        "INSERT INTO ZA050MS VALUES ('SELVAR_N', 'M5', 'NBI050', '기초 반입', 0)",
        "INSERT INTO ZA050MS VALUES ('OTHER', 'M1', 'NAI010', '다른 업장', 1)",
        "INSERT INTO ZA130MS VALUES ('E1', 'SELVAR_N', 'A')",
        "INSERT INTO ZA130MS VALUES ('E1', 'OTHER', 'A')",
    };
    for (const QString& row : rows)
        Exec(db, row);
    for (const char* id : {"NAI010", "NAI020", "NAI030", "NAS050", "NBI010", "NBI020", "NBI030",
                           "NBI040", "NBI050"})
        Exec(db, QString("INSERT INTO ZA140MS VALUES ('SELVAR_N', 'A', '%1')").arg(id));
    Exec(db, "INSERT INTO ZA140MS VALUES ('SELVAR_N', 'B', 'NAI040')");
    Exec(db, "INSERT INTO ZA140MS VALUES ('OTHER', 'A', 'NAI010')");
    for (const char* row : {"'NAI030', 'N'", "'NAI040', 'Y'", "'NAS050', 'Y'", "'NAS050', 'N'",
                            "'NBI040', 'N'"})
        Exec(db, QString("INSERT INTO ZA150MS VALUES ('E1', 'SELVAR_N', %1)").arg(row));
    Exec(db, "INSERT INTO ZA150MS VALUES ('E2', 'SELVAR_N', 'NBI030', 'Y')");
}

struct MenuEntry
{
    QString caption;
    QStringList programs; // "caption=ID"
    bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& m, std::ostream* os)
{
    *os << m.caption.toStdString() << " [" << m.programs.join(", ").toStdString() << "]";
}

QList<MenuEntry> BusinessMenus(TfrmZZMain& window)
{
    QList<MenuEntry> menus;
    for (QAction* top : window.menuBar()->actions()) {
        if (top->menu() == window.WindowMenu())
            break;
        MenuEntry entry{top->text(), {}};
        for (QAction* program : top->menu()->actions())
            entry.programs << program->text() + "=" + program->data().toString();
        menus << entry;
    }
    return menus;
}
} // namespace

class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }

    std::unique_ptr<TfrmZZD000> Start(const QString& empNo, bool fixture = true)
    {
        auto dataModule = std::make_unique<TfrmZZD000>(QStringList{"DEMO", "selvar", empNo, "홍길동"},
                                                       folder.Path("selvar_n"));
        if (dataModule->Connected() && fixture)
            FillMenuFixture(dataModule->dbsDB);
        return dataModule;
    }

    ProgramFolder folder;
};

TEST_F(MenuTest, LevelGrantsPlusAdditionsMinusRemovalsInDisplayOrder)
{
    auto dataModule = Start("E1");
    ASSERT_TRUE(dataModule->Connected());
    TfrmN0Main window(dataModule.get());
    EXPECT_TRUE(window.CanShow());
    EXPECT_EQ(window.windowTitle(), "임대업장 관리(데모 리조트)");
    const QList<MenuEntry> expected = {
        {"계약관리", {"계약 등록(&C)=NAI020", "업장 등록=NAI010", "요율 설정=NAI040"}},
        {"청구관리", {"영수 등록=NBI010"}},
    };
    EXPECT_EQ(BusinessMenus(window), expected);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(MenuTest, AnEmployeeWithoutALevelSeesOnlyAdditions)
{
    auto dataModule = Start("E2");
    TfrmN0Main window(dataModule.get());
    // NBI030's menu is hidden by its own DISPLAY_SEQ, so nothing remains.
    EXPECT_TRUE(BusinessMenus(window).isEmpty());
    Exec(dataModule->dbsDB, "UPDATE ZA040MS SET DISPLAY_SEQ = 5 WHERE MENU_ID = 'M3'");
    TfrmN0Main again(dataModule.get());
    EXPECT_EQ(BusinessMenus(again), QList<MenuEntry>({{"숨은메뉴", {"청구 등록=NBI030"}}}));
}

TEST_F(MenuTest, ChoosingAMenuEntryOpensItsProgram)
{
    ScreenRegistry::Register("NAI020", [] { return new TestScreen(); });
    auto dataModule = Start("E1");
    TfrmN0Main window(dataModule.get());
    window.menuBar()->actions()[0]->menu()->actions()[0]->trigger();
    ASSERT_EQ(window.Tabs()->count(), 1);
    EXPECT_EQ(window.Tabs()->tabText(0), "계약 등록");
    EXPECT_EQ(window.Tabs()->tabToolTip(0), "NAI020");
    ScreenRegistry::Unregister("NAI020");
}

TEST_F(MenuTest, AMissingTitleRowLeavesEmptyParenthesesAndMenuErrorsAreShown)
{
    auto dataModule = Start("E1");
    Exec(dataModule->dbsDB, "DELETE FROM ZX010MS");
    Exec(dataModule->dbsDB, "DROP TABLE ZA130MS");
    TfrmN0Main window(dataModule.get());
    EXPECT_EQ(window.windowTitle(), "임대업장 관리()");
    EXPECT_TRUE(window.CanShow());
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::Last().text.contains("ZA130MS"));
    EXPECT_TRUE(BusinessMenus(window).isEmpty());
}

TEST_F(MenuTest, WithoutAConnectionTheWindowNeverShows)
{
    TfrmZZD000 dataModule({"DEMO", "selvar", "E1"}, folder.Path("selvar_n"));
    TfrmN0Main window(&dataModule);
    EXPECT_FALSE(window.CanShow());
    EXPECT_TRUE(window.TerminationRequested());
    EXPECT_EQ(MessageBoxSeam::Shown().size(), 1); // only the refusal
    EXPECT_FALSE(QDir(TConnectionFile::DemoFolder()).exists()); // no database was touched
}

TEST_F(MenuTest, TheDemoAdministratorSeesEveryProgramAndOthersTheirShare)
{
    auto admin = Start("10000001", false);
    TfrmN0Main window(admin.get());
    EXPECT_EQ(window.windowTitle(), "임대업장 관리(데모 리조트)");
    QStringList captions;
    QStringList ids;
    for (const MenuEntry& menu : BusinessMenus(window)) {
        captions << menu.caption;
        for (const QString& program : menu.programs)
            ids << program.section('=', 1);
    }
    EXPECT_EQ(captions,
              QStringList({"기준정보(&A)", "청구관리(&B)", "입금관리(&I)", "마감(&M)", "보고서(&R)", "관리(&Z)"}));
    ids.sort();
    QStringList all;
    for (const auto& program : TMenuData::AllPrograms())
        all << program.programId;
    all.sort();
    EXPECT_EQ(ids, all);

    SessionContext::SetUser("10000004", "최수납"); // reports removed, NBI050 added and removed
    TfrmN0Main clerk(admin.get());
    const QList<MenuEntry> menus = BusinessMenus(clerk);
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[3].caption, "마감(&M)");
    EXPECT_FALSE(menus[1].programs.join(",").contains("NBI050"));
}
