#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TPasswordHash.h"
#include "common/TQuery.h"
#include "controls/TwMemGrid.h"
#include "screens/ScreenRegistry.h"
#include "screens/zz/TfrmZZA010.h"
#include "server/TNewOffice.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"

// The users and rights program on a new office, opened from the
// administrator's menu; the employees' menus are read as their next start
// builds them.
class UserRightsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        RegisterServerProcedures();
        RegisterScreens();
        folder.SetIni("Databases.ini", "OFFICE/Path", "office.db");
        {
            TDatabase db(TConnectionSettings::Sqlite(folder.Path("office.db")));
            db.Open();
            TNewOffice::Create(db, "OFFICE", {"SELVAR", "설악 사무소", "A0000001", "한관리", "secret12"});
        }
        dataModule = std::make_unique<TfrmZZD000>(QStringList{"OFFICE", "SELVAR", "A0000001", "한관리"},
                                                  folder.Path("selvar_n"));
        ASSERT_TRUE(dataModule->Connected());
        window = std::make_unique<TfrmN0Main>(dataModule.get());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->OpenProgram("사용자 권한 관리", "ZZA010"));
        screen = window->findChild<TfrmZZA010*>("frmZZA010");
        ASSERT_NE(screen, nullptr);
        screen->bbtClose->setFocus(); // edits go through the rows, as from a panel
    }

    void TearDown() override
    {
        window.reset();
        dataModule.reset();
    }

    TwMemGrid* Grid() const { return screen->rgrGrid; }

    void Show(TfrmZZA010::TView view)
    {
        if (!screen->SearchMode())
            screen->bbtCancelClick();
        screen->cbxView->setCurrentIndex(view);
        screen->bbtSearchClick();
    }

    void AddRow(const QStringList& cells)
    {
        Grid()->Insert(true);
        const int row = Grid()->Row();
        for (int c = 0; c < cells.size(); ++c)
            Grid()->Cells(c, row).SetAsString(cells[c]);
        Grid()->Post();
    }

    void DeleteRow(int row)
    {
        ASSERT_GE(row, 0);
        MessageBoxSeam::QueueAnswer(true); // the grid asks first
        Grid()->SetRow(row);
        const int rows = Grid()->RowCount();
        Grid()->Delete();
        ASSERT_EQ(Grid()->RowCount(), rows - 1);
    }

    // The first row whose first columns hold these texts.
    int FindRow(const QStringList& texts) const
    {
        for (int r = 0; r < Grid()->RowCount(); ++r) {
            bool match = true;
            for (int c = 0; c < texts.size(); ++c)
                match = match && Grid()->Cells(c, r).AsString() == texts[c];
            if (match)
                return r;
        }
        return -1;
    }

    // The save's outcome: empty when saved, else the error shown.
    QString Save()
    {
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(true);
        try {
            screen->bbtSaveClick();
        } catch (const std::exception&) {
        }
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == MessageBoxSeam::mbError)
                return box.text;
        return {};
    }

    // The program IDs of an employee's menu at the next start.
    QStringList MenuOf(const QString& empNo)
    {
        SessionContext::SetUser(empNo, "");
        TfrmN0Main next(dataModule.get());
        SessionContext::SetUser("A0000001", "한관리");
        QStringList ids;
        for (QAction* top : next.menuBar()->actions())
            if (top->menu() && top->menu() != next.WindowMenu())
                for (QAction* program : top->menu()->actions())
                    ids << program->data().toString();
        return ids;
    }

    QString Value(const QString& sql)
    {
        TQuery q(dataModule->dbsDB);
        q.SQL() << sql;
        q.Open();
        return q.Eof() ? QString() : q.Fields(0).AsString();
    }

    // Two clerks of level 수납 with receipts and the suspense inquiry.
    void AddClerks()
    {
        Show(TfrmZZA010::vwEmployees);
        for (const char* empNo : {"C0000002", "C0000003"}) {
            AddRow({empNo, QString("수납") + empNo[7], "Y", "수납"});
            ASSERT_TRUE(screen->SetNewPassword("clerk123"));
            Grid()->Post();
        }
        ASSERT_EQ(Save(), "");
        Show(TfrmZZA010::vwGrants);
        AddRow({"수납", "NBI010"});
        AddRow({"수납", "nbs060"});
        ASSERT_EQ(Save(), "");
    }

    ProgramFolder folder;
    std::unique_ptr<TfrmZZD000> dataModule;
    std::unique_ptr<TfrmN0Main> window;
    TfrmZZA010* screen = nullptr;
};

TEST_F(UserRightsTest, LevelsGrantsAndExceptionsShowInTheEmployeesNextMenu)
{
    AddClerks();
    EXPECT_EQ(MenuOf("C0000002"), QStringList({"NBI010", "NBS060"}));
    // A new employee's password is kept as a hash that must be changed.
    EXPECT_TRUE(TPasswordHash::Verify(Value("SELECT PASSWORD_HASH FROM ZA010MS WHERE EMP_NO = 'C0000002'"),
                                      "clerk123"));
    EXPECT_EQ(Value("SELECT PASSWORD_RESET_YN FROM ZA010MS WHERE EMP_NO = 'C0000002'"), "Y");

    // Taken from the level: out of both clerks' menus.
    Show(TfrmZZA010::vwGrants);
    DeleteRow(FindRow({"수납", "NBS060"}));
    ASSERT_EQ(Save(), "");
    EXPECT_EQ(MenuOf("C0000002"), QStringList({"NBI010"}));
    EXPECT_EQ(MenuOf("C0000003"), QStringList({"NBI010"}));

    // Added for one clerk only.
    Show(TfrmZZA010::vwExceptions);
    AddRow({"C0000002", "", "NBS060", "", "Y"});
    ASSERT_EQ(Save(), "");
    EXPECT_EQ(MenuOf("C0000002"), QStringList({"NBI010", "NBS060"}));
    EXPECT_EQ(MenuOf("C0000003"), QStringList({"NBI010"}));

    // A changed exception replaces the old one: the addition becomes a removal.
    Show(TfrmZZA010::vwExceptions);
    ASSERT_EQ(Grid()->RowCount(), 1);
    Grid()->SetRow(0);
    ASSERT_TRUE(Grid()->Edit());
    Grid()->Cells(2, 0).SetAsString("NBI010");
    Grid()->Cells(4, 0).SetAsString("N");
    Grid()->Post();
    ASSERT_EQ(Save(), "");
    EXPECT_TRUE(MenuOf("C0000002").isEmpty());
}

TEST_F(UserRightsTest, RemovingTheLastAdministratorIsRefusedAndNothingIsSaved)
{
    AddClerks();
    const QString before = Value("SELECT COUNT(*) FROM ZA140MS");

    // Out of service, in the same save as a harmless change.
    Show(TfrmZZA010::vwEmployees);
    const int admin = FindRow({"A0000001"});
    ASSERT_GE(admin, 0);
    Grid()->SetRow(FindRow({"C0000002"}));
    ASSERT_TRUE(Grid()->Edit());
    Grid()->Cells(TfrmZZA010::ecEmpName, Grid()->Row()).SetAsString("새이름");
    Grid()->Post();
    Grid()->SetRow(admin);
    ASSERT_TRUE(Grid()->Edit());
    Grid()->Cells(TfrmZZA010::ecUseYn, admin).SetAsString("N");
    Grid()->Post();
    QString refused = Save();
    EXPECT_TRUE(refused.contains("한 명은 남아야")) << refused.toStdString();
    EXPECT_EQ(Value("SELECT USE_YN FROM ZA010MS WHERE EMP_NO = 'A0000001'"), "Y");
    EXPECT_EQ(Value("SELECT EMP_NAME FROM ZA010MS WHERE EMP_NO = 'C0000002'"), "수납2");
    EXPECT_TRUE(screen->Modified);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 2); // still pending, not lost

    // Taking the program from the level is refused the same way.
    screen->Modified = false;
    Show(TfrmZZA010::vwGrants);
    DeleteRow(FindRow({"관리자", "ZZA010"}));
    refused = Save();
    EXPECT_TRUE(refused.contains("한 명은 남아야")) << refused.toStdString();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ZA140MS"), before);

    // Once another administrator exists, the first may go.
    screen->Modified = false;
    Show(TfrmZZA010::vwExceptions);
    AddRow({"C0000003", "", "ZZA010", "", "Y"});
    ASSERT_EQ(Save(), "");
    Show(TfrmZZA010::vwEmployees);
    Grid()->SetRow(FindRow({"A0000001"}));
    ASSERT_TRUE(Grid()->Edit());
    Grid()->Cells(TfrmZZA010::ecUseYn, Grid()->Row()).SetAsString("N");
    Grid()->Post();
    EXPECT_EQ(Save(), "");
    EXPECT_EQ(Value("SELECT USE_YN FROM ZA010MS WHERE EMP_NO = 'A0000001'"), "N");
}

TEST_F(UserRightsTest, BadRowsAreRefusedWithTheReason)
{
    Show(TfrmZZA010::vwEmployees);
    AddRow({"C0000009", "비번없음", "Y", "수납"});
    EXPECT_TRUE(Save().contains("비밀번호를 지정")) << MessageBoxSeam::Last().text.toStdString();
    screen->Modified = false;
    Show(TfrmZZA010::vwGrants);
    AddRow({"수납", "NOSUCH"});
    EXPECT_TRUE(Save().contains("등록되지 않은 프로그램")) << MessageBoxSeam::Last().text.toStdString();
    screen->Modified = false;
    Show(TfrmZZA010::vwEmployees);
    DeleteRow(0);
    EXPECT_TRUE(Save().contains("삭제할 수 없습니다")) << MessageBoxSeam::Last().text.toStdString();
}
