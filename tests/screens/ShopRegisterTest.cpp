#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "common/TPostgresDialect.h"
#include "screens/na/TfrmNAI010.h"
#include "screens/ni/TfrmNIH001.h"
#include "tests/screens/LeaseFixture.h"
#include "tests/screens/ScreenTestSupport.h"

using namespace ScreenTest;

namespace {

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

class ShopRegisterTest : public LeaseFixture
{
protected:
    void SetUp() override
    {
        LeaseFixture::SetUp();
        screen = std::make_unique<TfrmNAI010>();
        screen->show();
    }

    void TearDown() override
    {
        screen.reset();
        LeaseFixture::TearDown();
    }

    // Searches with the find text and the two list items, from search mode.
    QStringList Search(const QString& find = QString(), int place = 0, int leaseType = 0)
    {
        if (!screen->SearchMode())
            screen->bbtCancelClick();
        screen->edtFindName->setText(find);
        screen->cbPositionSearch->setCurrentIndex(place);
        screen->cbLeaseTypeSearch->setCurrentIndex(leaseType);
        screen->bbtSearchClick();
        return GridColumn(screen->rgrGrid, TfrmNAI010::colShopCode);
    }

    // Makes a shop the current row; the panel follows when the grid says so.
    void GoTo(const QString& code)
    {
        const int row = FindRow(screen->rgrGrid, TfrmNAI010::colShopCode, code);
        ASSERT_GE(row, 0) << code.toStdString();
        screen->rgrGrid->SetRow(row);
        const QString name = screen->rgrGrid->Cells(TfrmNAI010::colShopName, row).AsString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen->edtShopName->text() == name; }, 2000));
    }

    QString Cell(int column) { return screen->rgrGrid->Cells(column, screen->rgrGrid->Row()).AsString(); }

    std::unique_ptr<TfrmNAI010> screen;
};

} // namespace

TEST_F(ShopRegisterTest, CodeListsAndEachSearchFilter)
{
    EXPECT_EQ(Items(screen->cbPositionSearch), QStringList({"", "01-본관 아케이드", "02-신관 아케이드"}));
    EXPECT_EQ(Items(screen->cbLeaseTypeSearch), QStringList({"", "01-임대", "02-수수료 임대"}));
    EXPECT_EQ(screen->cbPositionSearch->currentIndex(), 0);
    EXPECT_TRUE(screen->bbtAdd->isHidden());

    EXPECT_EQ(Search(), QStringList({"4001", "4002", "4004", "4005", "4006"})); // every shop
    EXPECT_EQ(Search("", 2), QStringList({"4002", "4005"}));                   // "02-..." filters on "02"
    EXPECT_EQ(Search("", 0, 1), QStringList({"4002", "4004", "4006"}));
    EXPECT_EQ(Search("", 1, 1), QStringList({"4004", "4006"}));
    EXPECT_EQ(Search("카페"), QStringList({"4002", "4006"}));
    EXPECT_TRUE(Search("it's").isEmpty());
    EXPECT_EQ(screen->StatusText(), "조회할 내용이 없습니다.");
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(ShopRegisterTest, PanelShowsTheCurrentShopAndAnyUseFlagButYAsN)
{
    Search();
    EXPECT_EQ(screen->edtShopName->text(), "본관 매점"); // loaded with the search
    EXPECT_EQ(screen->edt_PositionCode->text(), "01");
    EXPECT_EQ(screen->edt_PositionCodeName->text(), "본관 아케이드");
    EXPECT_EQ(screen->edtShopLocation->text(), "본관 1층");
    EXPECT_EQ(screen->edt_LeaseCode->text(), "02");
    EXPECT_EQ(screen->edt_LeaseCodeName->text(), "수수료 임대");
    EXPECT_EQ(screen->edtItem->text(), "편의점");
    EXPECT_EQ(screen->cmbUseYN->currentText(), "Y");
    EXPECT_EQ(screen->edtPhone->text(), "1234");
    EXPECT_EQ(screen->moRemark->toPlainText(), "본보기 매장");
    // The site's name is never edited here, in either mode.
    EXPECT_FALSE(screen->edtShopName->isEnabled());
    EXPECT_TRUE(screen->edtShopLocation->isEnabled());

    for (const char* code : {"4002", "4004", "4005"}) { // 'N', empty, 'x'
        GoTo(code);
        EXPECT_EQ(screen->cmbUseYN->currentText(), "N") << code;
    }
    GoTo("4006");
    EXPECT_EQ(screen->cmbUseYN->currentText(), "Y");
    EXPECT_EQ(screen->rgrGrid->EditState(), wgsBrowse); // showing a row changes nothing
    EXPECT_FALSE(screen->Modified);
}

TEST_F(ShopRegisterTest, PanelChangesGoIntoTheRowAndTheSaveSendsThem)
{
    Search();
    GoTo("4002");
    screen->edtShopLocation->clear();
    TypeText(screen->edtShopLocation, "신관 3층");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPosition), "신관 3층");
    EXPECT_EQ(screen->rgrGrid->EditState(), wgsEdit);

    screen->edt_PositionCode->setText("09"); // unknown: no name
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlace), "09");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlaceName), "");
    EXPECT_EQ(screen->edt_PositionCodeName->text(), "");
    screen->edt_PositionCode->setText("01");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlaceName), "본관 아케이드");
    EXPECT_EQ(screen->edt_PositionCodeName->text(), "본관 아케이드");
    screen->edt_LeaseCode->setText("02");
    EXPECT_EQ(Cell(TfrmNAI010::colShopLeaseTypeName), "수수료 임대");
    screen->cmbUseYN->setCurrentText("Y");
    EXPECT_EQ(Cell(TfrmNAI010::colShopUsedYn), "Y");
    screen->edtItem->setText("Coffee");
    screen->moRemark->setPlainText("창가 자리");
    EXPECT_EQ(Cell(TfrmNAI010::colShopItem), "Coffee");
    EXPECT_EQ(Cell(TfrmNAI010::colShopRemark), "창가 자리");

    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    EXPECT_EQ(MessageBoxSeam::Last().text, "저장 하시겠습니까?");
    ASSERT_EQ(calls.size(), 1u);
    const QMap<QString, QString> expected = {
        {"ASHOP_CODE", "4002"},           {"ASHOP_NAME", "신관 카페"},     {"ASHOP_PLACE", "01"},
        {"ASHOP_PALCE_NAME", "본관 아케이드"}, {"ASHOP_POSITION", "신관 3층"},  {"ASHOP_LEASE_TYPE", "02"},
        {"ASHOP_LEASE_TYPE_NAME", "수수료 임대"}, {"ASHOP_ITEM", "Coffee"},  {"ASHOP_USED_YN", "Y"},
        {"ASHOP_DIRECT_YN", "N"},         {"ASHOP_PHONE", "2345"},         {"ASHOP_REMARK", "창가 자리"},
        {"AU_EMP_NO", "10000001"},        {"AU_IP", "10.1.2.3"},           {"AEDITSTATUS", "1"}};
    EXPECT_EQ(calls[0], expected);
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
}

TEST_F(ShopRegisterTest, ExtensionTakesFourDigitsRemarkTwoHundredCharacters)
{
    Search();
    screen->edtPhone->clear();
    screen->edtPhone->setFocus();
    QTest::keyClicks(screen->edtPhone, "56789");
    EXPECT_EQ(screen->edtPhone->text(), "5678");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPhone), "5678");

    screen->moRemark->clear();
    screen->moRemark->insertPlainText(QString(150, QChar(u'가')));
    screen->moRemark->insertPlainText(QString(80, QChar(u'나'))); // a paste beyond the limit is cut
    EXPECT_EQ(screen->moRemark->toPlainText(), QString(150, QChar(u'가')) + QString(50, QChar(u'나')));
    EXPECT_EQ(Cell(TfrmNAI010::colShopRemark).size(), 200);
}

TEST_F(ShopRegisterTest, PanelChangesWithoutRowsStartNoRow)
{
    EXPECT_TRUE(Search("없는 업장").isEmpty());
    EXPECT_TRUE(screen->edtShopName->text().isEmpty());
    screen->edtShopLocation->setText("어딘가");
    screen->cmbUseYN->setCurrentText("Y");
    EXPECT_EQ(screen->rgrGrid->RowCount(), 0);
    EXPECT_EQ(screen->rgrGrid->EditState(), wgsBrowse);
    EXPECT_FALSE(screen->Modified);
}

TEST_F(ShopRegisterTest, NewSitesLoadedBeforeAnySearchAreCompletedAndSaved)
{
    ASSERT_TRUE(screen->SearchMode());
    screen->bbtNewUpjangClick();
    EXPECT_FALSE(screen->SearchMode());
    // Lease type, extension and remark come from shop 4001.
    EXPECT_EQ(GridRows(screen->rgrGrid, 12),
              QList<QStringList>({{"4003", "골프 샵", "", "", "", "02", "수수료 임대", "", "", "", "1234", "본보기 매장"},
                                  {"4007", "스키 카페", "", "", "", "02", "수수료 임대", "", "", "", "1234",
                                   "본보기 매장"}}));
    EXPECT_EQ(screen->rgrGrid->RowState(0), wrsNone);
    EXPECT_EQ(screen->edtShopName->text(), "골프 샵");
    EXPECT_EQ(screen->cmbUseYN->currentText(), "N");

    screen->edt_PositionCode->setText("02");
    screen->edtShopLocation->setText("클럽하우스 1층");
    screen->cmbUseYN->setCurrentText("Y");
    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    ASSERT_EQ(calls.size(), 1u); // 4007 was not touched
    EXPECT_EQ(calls[0]["ASHOP_CODE"], "4003");
    EXPECT_EQ(calls[0]["ASHOP_NAME"], "골프 샵");
    EXPECT_EQ(calls[0]["ASHOP_PLACE"], "02");
    EXPECT_EQ(calls[0]["ASHOP_PALCE_NAME"], "신관 아케이드");
    EXPECT_EQ(calls[0]["ASHOP_POSITION"], "클럽하우스 1층");
    EXPECT_EQ(calls[0]["ASHOP_LEASE_TYPE"], "02");
    EXPECT_EQ(calls[0]["ASHOP_USED_YN"], "Y");
    EXPECT_EQ(calls[0]["ASHOP_PHONE"], "1234");
    EXPECT_EQ(calls[0]["AEDITSTATUS"], "1");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");

    // Without the template shop (a new office has none) the sites are still
    // listed, with nothing taken over.
    Exec("DELETE FROM NA010MS WHERE SHOP_CODE = '4001'");
    screen->bbtNewUpjangClick();
    EXPECT_EQ(GridRows(screen->rgrGrid, 12),
              QList<QStringList>({{"4001", "본관 매점", "", "", "", "", "", "", "", "", "", ""},
                                  {"4003", "골프 샵", "", "", "", "", "", "", "", "", "", ""},
                                  {"4007", "스키 카페", "", "", "", "", "", "", "", "", "", ""}}));
}

TEST_F(ShopRegisterTest, AChangeMadeBeforeLoadingTheNewSitesStaysPending)
{
    Search();
    GoTo("4002");
    screen->edtItem->setText("빵");
    screen->bbtNewUpjangClick();
    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0]["ASHOP_CODE"], "4002");
    EXPECT_EQ(calls[0]["ASHOP_ITEM"], "빵");
}

TEST_F(ShopRegisterTest, CodeButtonsOpenTheLookupAndTakeThePickOrNothing)
{
    Search();
    DriveModal<TfrmNIH001>(
        "frmNIH001", [&] { screen->bbt_PositionCode->click(); },
        [](TfrmNIH001* dialog) {
            EXPECT_EQ(dialog->LookupMode(), "1");
            DoubleClickCell(dialog->rgrGrid, 1, FindRow(dialog->rgrGrid, 0, "02"));
        });
    EXPECT_EQ(screen->edt_PositionCode->text(), "02");
    EXPECT_EQ(screen->edt_PositionCodeName->text(), "신관 아케이드");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlace), "02");
    EXPECT_EQ(Cell(TfrmNAI010::colShopPlaceName), "신관 아케이드");

    // F1 in a code box opens its lookup; closed without a pick, the code box
    // empties, and so does its name.
    DriveModal<TfrmNIH001>(
        "frmNIH001", [&] { QTest::keyClick(screen->edt_LeaseCode, Qt::Key_F1); },
        [](TfrmNIH001* dialog) {
            EXPECT_EQ(dialog->LookupMode(), "2");
            dialog->bbtClose->click();
        });
    EXPECT_EQ(screen->edt_LeaseCode->text(), "");
    EXPECT_EQ(screen->edt_LeaseCodeName->text(), "");
    EXPECT_EQ(Cell(TfrmNAI010::colShopLeaseType), "");
    EXPECT_EQ(Cell(TfrmNAI010::colShopLeaseTypeName), "");
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

// New sites come only from the new-site list: the keyboard adds no rows that
// could never be saved, and the panel follows every row change.
TEST_F(ShopRegisterTest, TheKeyboardAddsNoRowsAndThePanelFollowsTheCurrentRow)
{
    const QStringList codes = Search();
    screen->rgrGrid->setFocus();
    GoTo(codes.last());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
    EXPECT_EQ(screen->rgrGrid->RowCount(), codes.size());
    EXPECT_EQ(screen->rgrGrid->EditState(), wgsBrowse);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    const QString name = screen->rgrGrid->Cells(TfrmNAI010::colShopName, codes.size() - 2).AsString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen->edtShopName->text() == name; }, 2000));
}

namespace {

// On the shared server (SELVAR_TEST_ENGINE=POSTGRES only).
using PostgresSaveTest = ShopRegisterTest;

} // namespace

// The server restarts while a save of two rows runs: the save goes back as a
// whole, both rows stay pending on the screen with a message, and the next
// save connects again and sends them.
TEST_F(PostgresSaveTest, AServerRestartDuringASaveLosesNothingAndTheNextSaveReconnects)
{
    int calls = 0;
    const TProcedureRegistry::TScoped writes("PR_NAI010_01", ShopParams(), [&](TDatabase& database,
                                                                                const TStoredProc& proc) {
        if (++calls == 2)
            TTestEngine::RestartServer();
        TQuery q(database);
        q.SQL() << "INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_ITEM) VALUES (:CODE, :NAME, :ITEM)";
        q.ParamByName("CODE").SetAsString(proc.ParamByName("ASHOP_CODE").AsString());
        q.ParamByName("NAME").SetAsString(proc.ParamByName("ASHOP_NAME").AsString());
        q.ParamByName("ITEM").SetAsString(proc.ParamByName("ASHOP_ITEM").AsString());
        q.ExecSQL();
    });
    auto saved = [&] {
        TDatabase other(fresh->Settings());
        other.Open();
        TQuery q(other);
        q.SQL() << "SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE IN ('4003', '4007')";
        q.Open();
        return q.Fields(0).AsInteger();
    };
    screen->bbtNewUpjangClick();
    for (const char* code : {"4003", "4007"}) {
        GoTo(code);
        screen->edtItem->setText(QStringLiteral("기념품"));
    }
    GoTo("4003"); // leaving 4007 puts its change into the row
    const QList<TwRowState> pending = {screen->rgrGrid->RowState(0), screen->rgrGrid->RowState(1)};
    ASSERT_NE(pending[0], wrsNone);
    ASSERT_NE(pending[1], wrsNone);

    MessageBoxSeam::QueueAnswer(true);
    EXPECT_ANY_THROW(screen->bbtSaveClick());
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(MessageBoxSeam::Last().text.contains(TPostgresDialect::ConnectionLostMessage()))
        << MessageBoxSeam::Last().text.toStdString();
    EXPECT_EQ(saved(), 0);
    EXPECT_EQ(QList<TwRowState>({screen->rgrGrid->RowState(0), screen->rgrGrid->RowState(1)}), pending);

    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(saved(), 2);
}
