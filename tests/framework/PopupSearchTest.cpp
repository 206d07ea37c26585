#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "controls/TwColumns.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBGrid.h"
#include "framework/PopupStatement.h"
#include "framework/SharedConnection.h"
#include "framework/TPopupBtn.h"
#include "framework/TfrmPopupWnd.h"
#include "framework/TfrmZZI020.h"
#include "tests/common/DatabaseTestSupport.h"
#include "tests/framework/FrameworkTestSupport.h"

using PopupStatement::Lines;
using PopupStatement::Refined;

TEST(PopupStatementTest, TheConditionFollowsTheLastAndLineOrTheWhereLine)
{
    const QStringList base = Lines("SELECT SHOP_NAME, SHOP_CODE\r  FROM NA010MS\r WHERE SHOP_USED_YN = 'Y'\r"
                                   "   AND SHOP_PLACE = '01'\r   AND SHOP_LEASE_TYPE = '01'\r ORDER BY SHOP_NAME");
    EXPECT_EQ(Refined(base, "SHOP_NAME", "식당").at(5), "AND SHOP_NAME LIKE '%식당%'");
    EXPECT_EQ(Refined(base, "SHOP_NAME", "식당").size(), 7);

    // A WHERE line without AND lines takes the condition right after it.
    const QStringList owners = Lines("SELECT BOSS_NAME, C_NAME\r  FROM VA050MS\r WHERE USE_YN = 'Y'");
    EXPECT_EQ(Refined(owners, "BOSS_NAME", "김"),
              QStringList({"SELECT BOSS_NAME, C_NAME", "  FROM VA050MS", " WHERE USE_YN = 'Y'",
                           "AND BOSS_NAME LIKE '%김%'"}));

    // FROM and WHERE on the first line: the WHERE is found there, no second one.
    const QStringList shops = Lines("SELECT SHOP_NAME FROM NA010MS A, ZX010MS B WHERE A.SHOP_PLACE = B.DETAIL "
                                    "AND B.HEAD = 'NA001'\r   AND A.SHOP_LEASE_TYPE = C.DETAIL\r   AND C.HEAD = 'NA002'");
    const QStringList refined = Refined(shops, "SHOP_NAME", "매점");
    EXPECT_EQ(refined.size(), 4);
    EXPECT_EQ(refined.last(), "AND SHOP_NAME LIKE '%매점%'");
    EXPECT_EQ(refined.join(' ').count("WHERE"), 1);

    // An apostrophe stays inside the literal.
    EXPECT_EQ(Refined(owners, "C_NAME", "O'Neil; DROP").last(), "AND C_NAME LIKE '%O''Neil; DROP%'");
}

TEST(PopupStatementTest, WithoutWhereTheConditionGoesBeforeGroupOrOrderByOrAtTheEnd)
{
    EXPECT_EQ(Refined(Lines("SELECT A, B\r  FROM T\r ORDER BY A"), "B", "x"),
              QStringList({"SELECT A, B", "  FROM T", "WHERE B LIKE '%x%'", " ORDER BY A"}));
    EXPECT_EQ(Refined(Lines("SELECT A, COUNT(*)\r  FROM T\r GROUP BY A\r ORDER BY A"), "A", "x").at(2),
              "WHERE A LIKE '%x%'");
    EXPECT_EQ(Refined(Lines("SELECT A FROM T"), "A", "").last(), "WHERE A LIKE '%%'");
}

namespace {

// Shops and their owners in an embedded database the screens share.
class PopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        db.Exec("CREATE TABLE SHOP (NAME TEXT, PLACE TEXT, KIND TEXT, USED TEXT, CODE TEXT)");
        db.Exec("INSERT INTO SHOP VALUES ('본관 식당', '본관', '임대', 'Y', '0101')");
        db.Exec("INSERT INTO SHOP VALUES ('신관 매점', '신관', '임대', 'N', '0201')");
        db.Exec("INSERT INTO SHOP VALUES ('O''Neil 카페', '신관', '위탁', 'Y', '0202')");
        SharedConnection::SetDatabase(&db.Db());
        button.SQL() = Lines("SELECT NAME, PLACE, KIND, USED, CODE\r  FROM SHOP\r WHERE USED LIKE :USED\r"
                             " ORDER BY CODE");
        button.LinkSQL() = Lines("SELECT NAME, PLACE, KIND, USED, CODE\r  FROM SHOP\r WHERE NAME LIKE :NAME");
        button.ColumnTitles() = QStringList{"임대업장 명", "소속상가명", "임대형태", "임애여부"};
        button.ColumnWidths() = QStringList{"40", "40", "12", "12", "0"};
        button.SetParam("USED", "%");
        button.SetLinkControl(&edit);
        button.OnClick = [this](QObject*) { clicks << button.ReturnValue().join('|'); };
    }
    void TearDown() override { SharedConnection::SetDatabase(nullptr); }

    // Clicks the button (or runs `start`) and runs `inWindow` once the window
    // shows; false when it never showed.
    bool ClickWith(const std::function<void(TfrmPopupWnd*)>& inWindow, const std::function<void()>& start = {})
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<TfrmPopupWnd*>(top); window && window->isVisible()) {
                    shown = true;
                    inWindow(window);
                    if (window->isVisible())
                        window->reject();
                }
        });
        start ? start() : button.Click();
        QTest::qWait(1);
        return shown;
    }

    TTempDatabase db;
    QLineEdit edit;
    TPopupBtn button;
    QStringList clicks;
};

} // namespace

TEST_F(PopupTest, APickReturnsEveryColumnTheHiddenCodeIncluded)
{
    EXPECT_TRUE(ClickWith([](TfrmPopupWnd* window) {
        EXPECT_EQ(window->windowTitle(), "코드검색");
        ASSERT_EQ(window->DBGrid->Columns()->Count(), 5);
        EXPECT_EQ(window->DBGrid->Columns()->VCount(), 4);
        EXPECT_FALSE(window->DBGrid->Column(4)->Visible());
        EXPECT_EQ(window->ComboBox->count(), 5);
        EXPECT_EQ(window->ComboBox->currentText(), "임대업장 명");
        window->cdsPopup.Next();
        QTest::keyClick(window->DBGrid, Qt::Key_Return);
    }));
    EXPECT_EQ(button.ModalResult(), TPopupBtn::mrOk);
    EXPECT_EQ(clicks, QStringList({"신관 매점|신관|임대|N|0201"}));
}

TEST_F(PopupTest, CancelFiresTheClickWithNothingReturned)
{
    EXPECT_TRUE(ClickWith([](TfrmPopupWnd* window) { QTest::keyClick(window->DBGrid, Qt::Key_Escape); }));
    EXPECT_EQ(button.ModalResult(), TPopupBtn::mrCancel);
    EXPECT_EQ(clicks, QStringList({""}));
    EXPECT_TRUE(button.ReturnValue().isEmpty());
}

TEST_F(PopupTest, RefiningKeepsTheBaseParametersAndQuotesTheTypedText)
{
    button.SetParam("USED", "Y");
    EXPECT_TRUE(ClickWith([](TfrmPopupWnd* window) {
        EXPECT_EQ(window->cdsPopup.RecordCount(), 2);
        window->Edit->setText("O'Neil");
        QTest::keyClick(window->Edit, Qt::Key_Return);
        ASSERT_EQ(window->cdsPopup.RecordCount(), 1);
        EXPECT_EQ(window->CurrentValues().value(4), "0202");
        window->Edit->setText("관");
        QTest::keyClick(window->Edit, Qt::Key_Return);
        EXPECT_EQ(window->cdsPopup.RecordCount(), 1); // the idle shop stays out
        QTest::keyClick(window->Edit, Qt::Key_Escape);
    }));
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(PopupTest, TheLinkedVariantPicksASingleRowWithoutTheWindow)
{
    edit.setText("본관");
    EXPECT_FALSE(ClickWith([](TfrmPopupWnd*) {}, [this] { button.LinkClick(); }));
    EXPECT_EQ(clicks, QStringList({"본관 식당|본관|임대|Y|0101"}));

    // Two rows show the window.
    edit.setText("%관");
    clicks.clear();
    EXPECT_TRUE(ClickWith([](TfrmPopupWnd* window) { EXPECT_EQ(window->cdsPopup.RecordCount(), 2); },
                          [this] { button.LinkClick(); }));
    EXPECT_EQ(clicks, QStringList({""}));
}

namespace {

class NavigationScreen : public TfrmZZI020
{
public:
    NavigationScreen()
    {
        setObjectName(QStringLiteral("frmZZT020"));
        rgrGrid->AddColumn("NAME", "이름", 100);
        CreateForm();
    }
    void bbtAddClick() override { TfrmZZI020::bbtAddClick(); ++adds; }
    void bbtDeleteClick() override { TfrmZZI020::bbtDeleteClick(); ++deletes; }
    void bbtSearchClick() override
    {
        TfrmZZI020::bbtSearchClick();
        qryGrid.SQL() = QStringList{"SELECT NAME FROM SHOP ORDER BY CODE"};
        qryGrid.Open();
        cdsGrid.Open();
    }
    int adds = 0, deletes = 0;
};

} // namespace

TEST_F(PopupTest, TheNavigationScreenStepsThroughItsRecordsOnly)
{
    ProgramFolder folder;
    ScreenHost host;
    auto* screen = host.Embed(new NavigationScreen());
    host.ShowActive();
    screen->SetStatusText("x");
    // Disabled in search mode: F4 and F9 end silently.
    QTest::keyClick(screen, Qt::Key_F4);
    QTest::keyClick(screen, Qt::Key_F9);
    EXPECT_EQ(screen->adds + screen->deletes, 0);
    EXPECT_EQ(screen->StatusText(), "");
    screen->sbtNextClick(); // closed: nothing
    EXPECT_FALSE(screen->cdsGrid.Active());

    QTest::keyClick(screen, Qt::Key_F3);
    ASSERT_TRUE(screen->cdsGrid.Active());
    QTest::keyClick(screen, Qt::Key_F4);
    EXPECT_EQ(screen->adds, 1);
    screen->sbtPriorClick();
    EXPECT_EQ(screen->rgrGrid->Row(), 0);
    screen->sbtLastClick();
    screen->sbtNextClick();
    EXPECT_EQ(screen->rgrGrid->Row(), 2);
    EXPECT_EQ(screen->rgrGrid->CellText(screen->rgrGrid->Column(0), 2), "O'Neil 카페");
    screen->sbtFirstClick();
    EXPECT_EQ(screen->rgrGrid->Row(), 0);
}
