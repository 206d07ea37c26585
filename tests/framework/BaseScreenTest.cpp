#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "framework/EAbort.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TStatusBar.h"
#include "framework/TfrmZZI000.h"
#include "tests/common/DatabaseTestSupport.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

class BaseScreen : public TfrmZZI000
{
public:
    explicit BaseScreen(const QString& formName = QStringLiteral("frmNBS060"))
    {
        setObjectName(formName);
        edtData = new QLineEdit(panMain);
        edtData->setObjectName(QStringLiteral("edtData"));
        CreateForm();
    }

    using TfrmZZI000::FormCloseQuery;
    QLineEdit* edtData;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class BaseScreenTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }
    ProgramFolder folder;
};

} // namespace

TEST_F(BaseScreenTest, StatusBarShowsProgramUserAndRoleAndGivesTheMessagePanelTheRest)
{
    struct Case
    {
        QVariant type;
        QVariant name;
        QString shown;
    };
    const Case cases[] = {
        {1, "리조트 사업장", "사업장 - 리조트 사업장"},
        {2, "영업팀", "팀 - 영업팀"},
        {3, "스파", "영업장 - 스파"},
        {4, "스파", ""},
        {2, "", ""},
        {"abc", "스파", ""},
    };
    for (const Case& c : cases) {
        folder.SetRole(c.type, c.name);
        BaseScreen screen;
        const TStatusBar* bar = screen.stbMessage;
        EXPECT_EQ(bar->PanelText(0), "NBS060");
        EXPECT_EQ(bar->PanelText(2), "사용자 : 김관리");
        EXPECT_EQ(bar->PanelText(3), c.shown) << c.type.toString().toStdString();
        const QFontMetrics metrics(screen.font());
        EXPECT_EQ(bar->PanelWidth(0), metrics.horizontalAdvance("NBS060") + 20);
        EXPECT_EQ(bar->PanelWidth(3), c.shown.isEmpty() ? 0 : metrics.horizontalAdvance(c.shown) + 20);
        EXPECT_EQ(bar->PanelWidth(0) + bar->PanelWidth(1) + bar->PanelWidth(2) + bar->PanelWidth(3),
                  screen.width());
    }
}

TEST_F(BaseScreenTest, PageResizeSetsTheSizeAndTheMessagePanelGrowsByTheSameAmount)
{
    BaseScreen screen;
    WindowMessage::Send(&screen, WindowMessage::WM_PAGE_RESIZE, 1000, 600);
    const int before = screen.stbMessage->PanelWidth(1);
    WindowMessage::Send(&screen, WindowMessage::WM_PAGE_RESIZE, 1250, 700);
    EXPECT_EQ(screen.size(), QSize(1250, 700));
    EXPECT_EQ(screen.stbMessage->PanelWidth(1), before + 250);
}

TEST_F(BaseScreenTest, StatusTextRepaintsAtOnceOnlyWhenItChanges)
{
    ScreenHost host;
    auto* screen = host.Embed(new BaseScreen());
    host.ShowActive();
    PaintCounter counter;
    screen->stbMessage->installEventFilter(&counter);
    screen->SetStatusText("자료를 저장했습니다.");
    EXPECT_GE(counter.paints, 1); // synchronously, before any event loop runs
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    counter.paints = 0;
    screen->SetStatusText("자료를 저장했습니다.");
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(BaseScreenTest, F12OrTheCloseButtonInATabAsksTheMainWindowToCloseTheScreen)
{
    TTempDatabase db;
    SharedConnection::SetDatabase(&db.Db());
    ScreenHost host;
    QPointer<BaseScreen> screen = host.Embed(new BaseScreen());
    host.ShowActive();
    screen->qryQuery.SQL() << "SELECT 1 AS X";
    screen->qryQuery.Open();

    screen->edtData->setFocus();
    QTest::keyClick(screen->edtData, Qt::Key_F12);
    EXPECT_EQ(host.closeKeys, 1);
    EXPECT_EQ(host.closeRequests, 1);
    ASSERT_FALSE(screen.isNull()); // the shell destroys it once its handling returned
    EXPECT_FALSE(screen->qryQuery.Active());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());

    screen = host.Embed(new BaseScreen());
    screen->bbtClose->click();
    EXPECT_EQ(host.closeKeys, 2);
    EXPECT_EQ(host.closeRequests, 2);
    SharedConnection::SetDatabase(nullptr);
}

TEST_F(BaseScreenTest, AHiddenCloseButtonEndsTheCloseCommandSilently)
{
    ScreenHost host;
    auto* screen = host.Embed(new BaseScreen());
    host.ShowActive();
    screen->SetStatusText("이전 메시지");
    screen->bbtClose->hide();
    EXPECT_THROW(screen->bbtCloseClick(), EAbort);
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_EQ(host.closeKeys, 0);
    EXPECT_EQ(host.closeRequests, 0);
}

TEST_F(BaseScreenTest, AFreeStandingScreenClosesAndReleasesItselfOrReturnsFromShowModal)
{
    QPointer<BaseScreen> screen = new BaseScreen();
    screen->show();
    QTest::qWaitForWindowActive(screen);
    EXPECT_TRUE(screen->FreeStanding());
    screen->edtData->setFocus();
    QTest::keyClick(screen->edtData, Qt::Key_F12);
    EXPECT_FALSE(screen->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());

    auto modal = std::make_unique<BaseScreen>();
    QTimer::singleShot(0, modal.get(), [&] { modal->bbtClose->click(); });
    modal->ShowModal(); // returns once closed; the caller frees it
    EXPECT_FALSE(modal->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(BaseScreenTest, OpenOtherProgramReachesTheMainWindowBeforeItReturns)
{
    ScreenHost host;
    auto* screen = host.Embed(new BaseScreen());
    screen->OpenOtherProgram("계약 등록(&C)", "NAI020");
    EXPECT_EQ(host.openRequests, QStringList({"계약 등록(&C)/NAI020"}));

    auto dialog = std::make_unique<BaseScreen>("frmNIH001");
    dialog->OpenOtherProgram("업장 등록", "NAI010"); // a dialog finds the application's main window
    EXPECT_EQ(host.openRequests.size(), 2);
}
