#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "framework/TPanel.h"
#include "framework/TfrmZZI010.h"
#include "framework/TfrmZZS010.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// A search/save screen with one condition, a data editor, a command button on
// the strip and a chain of panels nested below panMain.
class SearchScreen : public TfrmZZI010
{
public:
    SearchScreen()
    {
        setObjectName(QStringLiteral("frmZZT010"));
        edtFind = new QLineEdit();
        edtFind->setObjectName(QStringLiteral("edtFind"));
        AddSearchControl(edtFind);
        edtData = new QLineEdit(panMain);
        edtData->setObjectName(QStringLiteral("edtData"));
        bbtExtra = NewButton("Excel", "bbtExtra", 80, 25);
        AddButton(bbtExtra, bbtSave);
        QWidget* parent = panMain;
        for (int level = 1; level <= 7; ++level) {
            auto* nested = new QLineEdit(parent);
            nested->setObjectName(QStringLiteral("edtLevel%1").arg(level));
            levels.append(nested);
            parent = nested;
        }
        CreateForm();
    }

    void bbtSearchClick() override
    {
        TfrmZZI010::bbtSearchClick();
        ++searches;
    }
    void bbtSaveClick() override
    {
        TfrmZZI010::bbtSaveClick();
        ++saves;
    }

    QLineEdit* edtFind;
    QLineEdit* edtData;
    QPushButton* bbtExtra;
    QList<QLineEdit*> levels; // levels[i] lies i + 1 levels below panMain
    int searches = 0;
    int saves = 0;
};

class ReportScreen : public TfrmZZS010
{
public:
    ReportScreen()
    {
        setObjectName(QStringLiteral("frmZZT040"));
        CreateForm();
    }
    void bbtSearchClick() override { TfrmZZS010::bbtSearchClick(); ++searches; }
    void bbtPrintClick() override { TfrmZZS010::bbtPrintClick(); ++prints; }
    void bbtPreviewClick() override { TfrmZZS010::bbtPreviewClick(); ++previews; }
    int searches = 0, prints = 0, previews = 0;
};

bool OwnEnabled(const QWidget* w)
{
    return w->isEnabledTo(w->parentWidget());
}

class SearchScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        screen = host.Embed(new SearchScreen());
        host.ShowActive();
    }

    ProgramFolder folder;
    ScreenHost host;
    SearchScreen* screen = nullptr;
};

} // namespace

TEST_F(SearchScreenTest, SearchModeUnlocksTheConditionsAndLocksTheDataSide)
{
    EXPECT_TRUE(screen->SearchMode());
    EXPECT_TRUE(OwnEnabled(screen->panSearch));
    EXPECT_TRUE(OwnEnabled(screen->edtFind));
    EXPECT_TRUE(OwnEnabled(screen->bbtSearch));
    EXPECT_FALSE(OwnEnabled(screen->edtData));
    EXPECT_FALSE(OwnEnabled(screen->bbtSave));
    EXPECT_FALSE(OwnEnabled(screen->bbtCancel));
    EXPECT_FALSE(OwnEnabled(screen->bbtExtra));
    EXPECT_TRUE(screen->bbtClose->isEnabled());
    EXPECT_TRUE(screen->panMain->isEnabled());
    EXPECT_TRUE(screen->panButtons->isEnabled());
    // Six levels below panMain is still the data side; the seventh is not.
    EXPECT_FALSE(OwnEnabled(screen->levels[5]));
    EXPECT_TRUE(OwnEnabled(screen->levels[6]));
}

TEST_F(SearchScreenTest, SearchEntersEditModeAndCancelReturnsToSearchMode)
{
    screen->edtFind->setFocus();
    QTest::keyClick(screen->edtFind, Qt::Key_F3);
    EXPECT_EQ(screen->searches, 1);
    EXPECT_FALSE(screen->SearchMode());
    EXPECT_FALSE(OwnEnabled(screen->edtFind));
    EXPECT_FALSE(OwnEnabled(screen->bbtSearch));
    EXPECT_TRUE(screen->edtData->isEnabled());
    EXPECT_TRUE(screen->bbtSave->isEnabled());
    EXPECT_TRUE(screen->bbtExtra->isEnabled());
    EXPECT_TRUE(screen->bbtClose->isEnabled());
    EXPECT_FALSE(OwnEnabled(screen->levels[6]));
    EXPECT_EQ(QApplication::focusWidget(), screen->panMain);

    // The search button is disabled now: F3 ends silently, the override's own
    // work after its inherited call included.
    QTest::keyClick(screen->panMain, Qt::Key_F3);
    EXPECT_EQ(screen->searches, 1);

    QTest::keyClick(screen->panMain, Qt::Key_F8);
    EXPECT_TRUE(screen->SearchMode());
    EXPECT_TRUE(screen->edtFind->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), screen->edtFind);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(SearchScreenTest, F2InSearchModeDoesNothingAndEmptiesTheMessage)
{
    screen->SetStatusText("조회할 내용이 없습니다.");
    QTest::keyClick(screen->edtFind, Qt::Key_F2);
    EXPECT_EQ(screen->saves, 0);
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());

    screen->bbtSearch->click();
    screen->edtData->setFocus();
    QTest::keyClick(screen->edtData, Qt::Key_F2);
    EXPECT_EQ(screen->saves, 1);
}

TEST(ReportScreenTest, FunctionKeysRunTheirCommandsWhileTheButtonIsAvailable)
{
    ProgramFolder folder;
    ScreenHost host;
    auto* screen = host.Embed(new ReportScreen());
    host.ShowActive();
    screen->bbtClose->setFocus();
    QTest::keyClick(screen->bbtClose, Qt::Key_F3);
    QTest::keyClick(screen->bbtClose, Qt::Key_F11);
    QTest::keyClick(screen->bbtClose, Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(screen->searches, 1);
    EXPECT_EQ(screen->prints, 1);
    EXPECT_EQ(screen->previews, 1);

    screen->bbtPrint->hide();
    screen->bbtPreview->setEnabled(false);
    QTest::keyClick(screen->bbtClose, Qt::Key_F11);
    QTest::keyClick(screen->bbtClose, Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(screen->prints, 1);
    EXPECT_EQ(screen->previews, 1);
}
