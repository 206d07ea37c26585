#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "framework/TPanel.h"
#include "framework/TStatusBar.h"
#include "framework/TfrmZZI010.h"
#include "screens/ScreenRegistry.h"
#include "shell/TfrmN0Main.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class SiteScreen : public TfrmZZI010
{
public:
    explicit SiteScreen(const QString& formName)
    {
        setObjectName(formName);
        edtFind = new QLineEdit();
        edtFind->setObjectName(QStringLiteral("edtFind"));
        AddSearchControl(edtFind);
        edtData = new QLineEdit(panMain);
        edtData->setObjectName(QStringLiteral("edtData"));
        CreateForm();
    }

    void bbtSearchClick() override
    {
        TfrmZZI010::bbtSearchClick();
        ++searches;
    }

    QLineEdit* edtFind;
    QLineEdit* edtData;
    int searches = 0;
};

class FrameworkScreenTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        for (const QString& id : {QStringLiteral("NAI010"), QStringLiteral("NAI020"), QStringLiteral("NAI030")})
            ScreenRegistry::Register(id, [this, id] {
                screens.append(new SiteScreen(QStringLiteral("frm") + id));
                return screens.last().data();
            });
        window = std::make_unique<TfrmN0Main>(nullptr);
        window->show();
        window->activateWindow();
        QTest::qWaitForWindowActive(window.get());
    }

    void TearDown() override
    {
        window.reset();
        for (const QString& id : {QStringLiteral("NAI010"), QStringLiteral("NAI020"), QStringLiteral("NAI030")})
            ScreenRegistry::Unregister(id);
    }

    ProgramFolder folder;
    std::unique_ptr<TfrmN0Main> window;
    QList<QPointer<SiteScreen>> screens;
};

} // namespace

TEST_F(FrameworkScreenTabTest, F12InAnyControlOrTheCloseButtonClosesThatScreensTab)
{
    window->OpenProgram("A", "NAI010");
    window->OpenProgram("B", "NAI020");
    window->OpenProgram("C", "NAI030");
    window->Tabs()->setCurrentIndex(0);
    screens[0]->edtFind->setFocus();
    QTest::keyClick(screens[0]->edtFind, Qt::Key_F12);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screens[0].isNull());
    ASSERT_EQ(window->Tabs()->count(), 2);
    EXPECT_EQ(window->Tabs()->tabText(window->Tabs()->currentIndex()), "B");

    screens[1]->bbtClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screens[1].isNull());
    EXPECT_EQ(window->Tabs()->count(), 1);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(FrameworkScreenTabTest, AnEmbeddedScreenFollowsThePageAndTakesItsFunctionKeys)
{
    window->OpenProgram("A", "NAI010");
    SiteScreen* screen = screens[0];
    QWidget* page = window->Tabs()->currentWidget();
    EXPECT_EQ(screen->size(), page->size());
    EXPECT_FALSE(screen->FreeStanding());
    EXPECT_EQ(QApplication::focusWidget(), screen->edtFind); // the first search condition

    const int before = screen->stbMessage->PanelWidth(1);
    const int pageWidth = page->width();
    window->resize(window->width() + 100, window->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(screen->width(), page->width());
    EXPECT_EQ(screen->stbMessage->PanelWidth(1), before + page->width() - pageWidth);

    screen->edtFind->setFocus();
    QTest::keyClick(screen->edtFind, Qt::Key_F3);
    EXPECT_EQ(screen->searches, 1);
    EXPECT_FALSE(screen->SearchMode());
}
