#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

#include "common/MessageBoxSeam.h"
#include "screens/ScreenRegistry.h"
#include "shell/TfrmN0Main.h"
#include "tests/shell/ShellTestSupport.h"

namespace {
const QStringList TestIds = {"NAI010", "NAI020", "NAI030", "NBI010"};
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        for (const QString& id : TestIds)
            ScreenRegistry::Register(id, [this] { return Track(new TestScreen()); });
    }

    void TearDown() override
    {
        for (const QString& id : TestIds)
            ScreenRegistry::Unregister(id);
    }

    QWidget* Track(TestScreen* screen)
    {
        screens.append(screen);
        return screen;
    }

    std::unique_ptr<TfrmN0Main> MakeWindow(int programCount = 10)
    {
        folder.SetIni("Main.ini", "MAIN/PROGRAM_COUNT", programCount);
        auto window = std::make_unique<TfrmN0Main>(nullptr);
        window->show();
        return window;
    }

    static QStringList TabCaptions(const TfrmZZMain& window)
    {
        QStringList captions;
        for (int i = 0; i < window.Tabs()->count(); ++i)
            captions << window.Tabs()->tabText(i);
        return captions;
    }

    static QStringList WindowEntries(const TfrmZZMain& window)
    {
        QStringList entries;
        for (QAction* action : window.WindowMenu()->actions())
            entries << action->text();
        return entries;
    }

    ProgramFolder folder;
    QList<QPointer<TestScreen>> screens;
};

TEST_F(MainWindowTest, OpensProgramsInTabsWithWindowMenuEntriesAndMarkers)
{
    auto window = MakeWindow();
    EXPECT_FALSE(window->Tabs()->isVisible());
    EXPECT_TRUE(window->OpenProgram("계약 등록 (&C)", "NAI020"));
    EXPECT_TRUE(window->OpenProgram("업장 등록", "NAI010"));
    EXPECT_TRUE(window->Tabs()->isVisible());
    EXPECT_EQ(TabCaptions(*window), QStringList({"계약 등록 ", "업장 등록"}));
    EXPECT_EQ(WindowEntries(*window), QStringList({"종료", "계약 등록 ", "업장 등록"}));
    EXPECT_EQ(window->Tabs()->currentIndex(), 1);
    EXPECT_EQ(window->TabScreen(1), screens[1].data());
    EXPECT_EQ(window->TabScreen(1)->parentWidget(), window->Tabs()->widget(1));
    EXPECT_TRUE(screens[1]->isVisible());

    const auto active = TfrmZZMain::MarkerImage(1).pixmap(16).toImage();
    const auto inactive = TfrmZZMain::MarkerImage(0).pixmap(16).toImage();
    EXPECT_EQ(window->Tabs()->tabIcon(1).pixmap(16).toImage(), active);
    EXPECT_EQ(window->Tabs()->tabIcon(0).pixmap(16).toImage(), inactive);
    EXPECT_EQ(window->WindowMenu()->actions()[2]->icon().pixmap(16).toImage(), active);
    EXPECT_EQ(window->WindowMenu()->actions()[1]->icon().pixmap(16).toImage(), inactive);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(MainWindowTest, UnknownOrUnregisteredIdsOpenNothingAndSayNothing)
{
    auto window = MakeWindow();
    EXPECT_FALSE(window->OpenProgram("없는 화면", "XXX999"));
    EXPECT_FALSE(window->OpenProgram("소문자", "nai010"));
    EXPECT_FALSE(window->OpenProgram("등록 전 화면", "NDI010")); // in the table, not registered
    EXPECT_EQ(window->Tabs()->count(), 0);
    EXPECT_FALSE(window->Tabs()->isVisible());
    EXPECT_EQ(WindowEntries(*window), QStringList({"종료"}));
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(MainWindowTest, TabLimitShowsTheConfiguredNumberButAnOpenProgramIsStillActivated)
{
    auto window = MakeWindow(2);
    ASSERT_TRUE(window->OpenProgram("A", "NAI010"));
    ASSERT_TRUE(window->OpenProgram("B", "NAI020"));
    EXPECT_FALSE(window->OpenProgram("C", "NAI030"));
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_EQ(MessageBoxSeam::Last().text, "최대 2개의 프로그램만 동시에 실행할 수 있습니다.");
    EXPECT_EQ(window->Tabs()->count(), 2);

    EXPECT_FALSE(window->OpenProgram("A", "NAI010"));
    EXPECT_EQ(window->Tabs()->currentIndex(), 0);
    EXPECT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(screens.size(), 2);
}

TEST_F(MainWindowTest, AMainIniSavedInUtf16ReadsTheSame)
{
    {
        QFile file(folder.Path("Main.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString text = QStringLiteral("[MAIN]\r\nPROGRAM_COUNT=1\r\n");
        file.write("\xFF\xFE");
        file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    auto window = std::make_unique<TfrmN0Main>(nullptr);
    window->show();
    ASSERT_TRUE(window->OpenProgram("A", "NAI010"));
    EXPECT_FALSE(window->OpenProgram("B", "NAI020"));
    EXPECT_EQ(MessageBoxSeam::Last().text, "최대 1개의 프로그램만 동시에 실행할 수 있습니다.");
}

TEST_F(MainWindowTest, LimitZeroOpensNothing)
{
    auto window = MakeWindow(0);
    EXPECT_FALSE(window->OpenProgram("A", "NAI010"));
    EXPECT_EQ(MessageBoxSeam::Last().text, "최대 0개의 프로그램만 동시에 실행할 수 있습니다.");
    EXPECT_EQ(window->Tabs()->count(), 0);
    EXPECT_TRUE(screens.isEmpty());
}

TEST_F(MainWindowTest, ClosingTheLastTabActivatesTheFirstAndTheMiddleTheFollowingOne)
{
    auto window = MakeWindow();
    window->OpenProgram("A", "NAI010");
    window->OpenProgram("B", "NAI020");
    window->OpenProgram("C", "NAI030");
    window->mmuMenuWindowCloseClick(); // C is active
    EXPECT_EQ(TabCaptions(*window), QStringList({"A", "B"}));
    EXPECT_EQ(window->Tabs()->currentIndex(), 0);

    window->OpenProgram("C", "NAI030");
    window->Tabs()->setCurrentIndex(1);
    window->mmuMenuWindowCloseClick(); // B
    EXPECT_EQ(TabCaptions(*window), QStringList({"A", "C"}));
    EXPECT_EQ(window->Tabs()->currentIndex(), 1);
    EXPECT_EQ(WindowEntries(*window), QStringList({"종료", "A", "C"}));
    EXPECT_EQ(window->WindowMenu()->actions()[2]->icon().pixmap(16).toImage(),
              TfrmZZMain::MarkerImage(1).pixmap(16).toImage());

    // The closed screens are gone once control returns to the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screens[1].isNull());
    EXPECT_TRUE(screens[2].isNull());
    EXPECT_FALSE(screens[0].isNull());
}

TEST_F(MainWindowTest, F12ClosesTheActiveTabAndWindowEntriesReactivateTabs)
{
    auto window = MakeWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->OpenProgram("A", "NAI010");
    window->OpenProgram("B", "NAI020");
    window->WindowMenu()->actions()[1]->trigger();
    EXPECT_EQ(window->Tabs()->currentIndex(), 0);
    QTest::keyClick(window.get(), Qt::Key_F12);
    EXPECT_EQ(TabCaptions(*window), QStringList({"B"}));
}

TEST_F(MainWindowTest, ScreensOpenOtherProgramsAndFollowThePageSize)
{
    auto window = MakeWindow();
    window->OpenProgram("A", "NAI010");
    WindowMessage::Send(window.get(), WindowMessage::WM_OPEN_PROGRAM, QString("영수 등록(&R)"),
                        QString("NBI010"));
    EXPECT_EQ(TabCaptions(*window), QStringList({"A", "영수 등록"}));
    window->resize(1300, 900);
    QApplication::processEvents();
    const QSize page = window->Tabs()->currentWidget()->size();
    EXPECT_GT(page.width(), 1000);
    EXPECT_EQ(screens[0]->size(), page);
    EXPECT_EQ(screens[1]->size(), page);
}

TEST_F(MainWindowTest, ClosingTheWindowClosesEveryScreenAndTellsTheLauncherOnce)
{
    QTemporaryDir socketDir; // keeps the launcher's name private to this test
    qputenv("TMPDIR", socketDir.path().toUtf8());
    QLocalServer launcher;
    ASSERT_TRUE(launcher.listen("Tfrm_0Main"));

    auto window = MakeWindow();
    window->OpenProgram("A", "NAI010");
    window->OpenProgram("B", "NAI020");
    window->OpenProgram("C", "NAI030");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(window->Tabs()->count(), 0);

    ASSERT_TRUE(launcher.waitForNewConnection(2000));
    QLocalSocket* client = launcher.nextPendingConnection();
    QByteArray received;
    while (client->waitForReadyRead(500))
        received += client->readAll();
    received += client->readAll();
    EXPECT_EQ(received, "1924");
    EXPECT_FALSE(launcher.hasPendingConnections());
    qunsetenv("TMPDIR");
}

TEST_F(MainWindowTest, AScreenThatRefusesKeepsTheWindowOpen)
{
    ScreenRegistry::Register("NAI020", [this] { return Track(new TestScreen(true)); });
    auto window = MakeWindow();
    window->OpenProgram("A", "NAI010");
    window->OpenProgram("B", "NAI020");
    window->OpenProgram("C", "NAI030");
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(TabCaptions(*window), QStringList({"B"}));
    EXPECT_EQ(screens[1]->closeAsked, 1); // asked once, not once per tab

    // The first screen to stay open ends the round: the others stay too.
    window->OpenProgram("A", "NAI010");
    window->Tabs()->setCurrentIndex(0);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(TabCaptions(*window), QStringList({"B", "A"}));
    EXPECT_EQ(screens[1]->closeAsked, 2);
}

// Opened while it listed nothing, the window menu stayed empty for the rest
// of the session under X11: without tabs it is off, with tabs it lists them.
TEST_F(MainWindowTest, TheWindowMenuIsOffWithoutTabsAndListsThemOtherwise)
{
    auto window = MakeWindow();
    QAction* menu = window->WindowMenu()->menuAction();
    EXPECT_FALSE(menu->isEnabled());
    ASSERT_TRUE(window->OpenProgram("업장 등록", "NAI010"));
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(WindowEntries(*window), QStringList({"종료", "업장 등록"}));
    window->mmuMenuWindowCloseClick();
    EXPECT_FALSE(menu->isEnabled());
}
