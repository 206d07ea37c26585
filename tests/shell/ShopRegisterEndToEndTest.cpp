#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "screens/ScreenRegistry.h"
#include "screens/na/TfrmNAI010.h"
#include "screens/ni/TfrmNIH001.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The client on a fresh demonstration database, with the demo administrator
// at work, driven through its menu, keys and mouse.
class ShopRegisterEndToEndTest : public DemoClientTest
{
protected:
    // A search from search mode through the keyboard: F8 back to the
    // conditions when needed, the conditions, F3.
    QStringList Search(const QString& find, int place = 0, int leaseType = 0)
    {
        if (!screen->SearchMode())
            QTest::keyClick(screen->rgrGrid, Qt::Key_F8);
        screen->edtFindName->setFocus();
        screen->edtFindName->selectAll();
        QTest::keyClick(screen->edtFindName, Qt::Key_Delete);
        TypeText(screen->edtFindName, find);
        screen->cbPositionSearch->setCurrentIndex(place);
        screen->cbLeaseTypeSearch->setCurrentIndex(leaseType);
        QTest::keyClick(screen->edtFindName, Qt::Key_F3);
        QStringList codes = GridColumn(screen->rgrGrid, TfrmNAI010::colShopCode);
        codes.sort();
        return codes;
    }

    // A click on a shop's row; the panel follows.
    void ClickShop(const QString& code)
    {
        const int row = FindRow(screen->rgrGrid, TfrmNAI010::colShopCode, code);
        ASSERT_GE(row, 0) << code.toStdString();
        screen->rgrGrid->SetTopRow(row);
        const QRect cell = screen->rgrGrid->CellRect(screen->rgrGrid->Columns()->Items(1), row);
        QTest::mouseClick(screen->rgrGrid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        ASSERT_EQ(screen->rgrGrid->Row(), row);
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen->edtShopName->text() == Cell(TfrmNAI010::colShopName); },
                                    2000));
    }

    QString Cell(int column) { return screen->rgrGrid->Cells(column, screen->rgrGrid->Row()).AsString(); }

    void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, text);
    }

    void PickArcade(const QString& code)
    {
        DriveModal<TfrmNIH001>(
            "frmNIH001", [&] { QTest::mouseClick(screen->bbt_PositionCode, Qt::LeftButton); },
            [&](TfrmNIH001* dialog) {
                const int row = FindRow(dialog->rgrGrid, 0, code);
                ASSERT_GE(row, 0);
                DoubleClickCell(dialog->rgrGrid, 1, row);
            });
        // The main window takes the keys again once the dialog has gone.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void SaveWithYes()
    {
        MessageBoxSeam::QueueAnswer(true);
        QTest::keyClick(screen->edtShopLocation, Qt::Key_F2);
    }

    TfrmNAI010* screen = nullptr;
};

} // namespace

TEST_F(ShopRegisterEndToEndTest, RegistersShopsFromTheMenuThroughSearchPanelLookupNewSitesAndDelete)
{
    QAction* entry = MenuEntry("NAI010");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    ASSERT_EQ(window->Tabs()->count(), 1);
    screen = window->Tabs()->currentWidget()->findChild<TfrmNAI010*>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), screen->edtFindName);

    // Each filter, against what the database holds.
    QStringList all = Column("SELECT SHOP_CODE FROM NA010MS");
    all.sort();
    ASSERT_GT(all.size(), 10);
    EXPECT_EQ(Search(""), all);
    ASSERT_EQ(screen->cbPositionSearch->itemText(2).left(3), "02-");
    EXPECT_EQ(Search("", 2), Column("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_PLACE = '02' ORDER BY 1"));
    ASSERT_EQ(screen->cbLeaseTypeSearch->itemText(1).left(3), "01-");
    EXPECT_EQ(Search("", 0, 1), Column("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_LEASE_TYPE = '01' ORDER BY 1"));
    EXPECT_EQ(Search("편의점"), Column("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_NAME LIKE '%편의점%' ORDER BY 1"));
    EXPECT_FALSE(Search("편의점").isEmpty());

    // A shop's location, arcade (through the lookup) and use flag.
    Search("");
    const QString shop = Scalar("SELECT MIN(SHOP_CODE) FROM NA010MS WHERE SHOP_PLACE <> '04'");
    ClickShop(shop);
    const QString usedBefore = screen->cmbUseYN->currentText();
    const QString usedAfter = usedBefore == "Y" ? "N" : "Y";
    Retype(screen->edtShopLocation, "스키하우스 2층 201호");
    PickArcade("04");
    EXPECT_EQ(screen->edt_PositionCodeName->text(), "스키하우스");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlaceName), "스키하우스");
    screen->cmbUseYN->setFocus();
    screen->cmbUseYN->setCurrentText(usedAfter);
    EXPECT_EQ(Cell(TfrmNAI010::colShopUsedYn), usedAfter);
    SaveWithYes();
    ASSERT_FALSE(MessageBoxSeam::Shown().isEmpty());
    EXPECT_EQ(MessageBoxSeam::Last().text, "저장 하시겠습니까?");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Column("SELECT SHOP_POSITION || '|' || SHOP_PLACE || '|' || SHOP_USED_YN || '|' || U_EMP_NO || '|' || "
                     "COALESCE(U_IP, '') FROM NA010MS WHERE SHOP_CODE = '"
                     + shop + "'"),
              QStringList({"스키하우스 2층 201호|04|" + usedAfter + "|10000001|" + SessionContext::ClientIP()}));

    // The new-site list: one site completed and saved, the others left alone.
    QStringList fresh = Column("SELECT UPJANG_CODE FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND ETC_FLAG = 'Y' "
                               "AND UPJANG_CODE NOT IN (SELECT SHOP_CODE FROM NA010MS) ORDER BY 1");
    ASSERT_GE(fresh.size(), 2);
    QTest::mouseClick(screen->bbtNewUpjang, Qt::LeftButton);
    QStringList listed = GridColumn(screen->rgrGrid, TfrmNAI010::colShopCode);
    listed.sort();
    EXPECT_EQ(listed, fresh);
    ClickShop(fresh[0]);
    EXPECT_EQ(screen->edt_LeaseCode->text(), Scalar("SELECT SHOP_LEASE_TYPE FROM NA010MS WHERE SHOP_CODE = '4001'"));
    PickArcade("01");
    Retype(screen->edtShopLocation, "본관 1층 105호");
    screen->cmbUseYN->setCurrentText("Y");
    SaveWithYes();
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Column("SELECT SHOP_NAME || '|' || SHOP_PLACE || '|' || SHOP_POSITION || '|' || SHOP_USED_YN || '|' || "
                     "U_EMP_NO FROM NA010MS WHERE SHOP_CODE = '"
                     + fresh[0] + "'"),
              QStringList({Scalar("SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = '" + fresh[0] + "'")
                           + "|01|본관 1층 105호|Y|10000001"}));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE = '" + fresh[1] + "'"), "0");

    // Deleting: refused for a shop under contract, done for one without.
    const QString leased = Scalar("SELECT MIN(SHOP_CODE) FROM NA020MS");
    Search("");
    ClickShop(leased);
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true); // delete?
    QTest::keyClick(screen->edtShopLocation, Qt::Key_F9);
    EXPECT_EQ(MessageBoxSeam::Last().text, "현재 자료를 삭제하시겠습니까?");
    EXPECT_EQ(FindRow(screen->rgrGrid, TfrmNAI010::colShopCode, leased), -1);
    SaveWithYes();
    const QList<MessageBoxSeam::Box> shown = MessageBoxSeam::Shown();
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(shown[2].kind, MessageBoxSeam::mbError);
    EXPECT_EQ(shown[2].text, "자료를 저장하지 못했습니다.\r\r에러내용:\r계약이 등록된 업장은 삭제할 수 없습니다.");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE = '" + leased + "'"), "1");
    // The refused delete stays pending: saving again is refused again, never
    // reported as saved; cancelling (with its question) drops it.
    MessageBoxSeam::Reset();
    SaveWithYes();
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE = '" + leased + "'"), "1");
    MessageBoxSeam::QueueAnswer(true);
    Search("");
    EXPECT_EQ(MessageBoxSeam::Last().text, "변경된 자료가 있습니다. 정말 취소하시겠습니까?");
    EXPECT_GE(FindRow(screen->rgrGrid, TfrmNAI010::colShopCode, leased), 0);

    ClickShop(fresh[0]);
    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(screen->edtShopLocation, Qt::Key_F9);
    SaveWithYes();
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE = '" + fresh[0] + "'"), "0");
}

TEST_F(ShopRegisterEndToEndTest, SiteLookupListsOnlyLeasableSitesOfTheDemoData)
{
    // The demo data holds every kind the list must leave out.
    ASSERT_NE(Scalar("SELECT COUNT(*) FROM JA010MS WHERE UPJANG_CODE NOT LIKE '4%'"), "0");
    ASSERT_NE(Scalar("SELECT COUNT(*) FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND USE_YN <> 'Y'"), "0");
    ASSERT_NE(Scalar("SELECT COUNT(*) FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND DIRECT_MANAGE_YN <> 'N'"), "0");
    TfrmNIH001 dialog;
    dialog.SetLookupMode("4");
    dialog.show();
    dialog.bbtSearchClick();
    QStringList listed = GridColumn(dialog.rgrGrid, 0);
    listed.sort();
    EXPECT_EQ(listed, Column("SELECT UPJANG_CODE FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND USE_YN = 'Y' "
                             "AND DIRECT_MANAGE_YN = 'N' ORDER BY 1"));
    dialog.hide();
}
