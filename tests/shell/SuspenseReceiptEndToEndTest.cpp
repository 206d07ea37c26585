#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "screens/nb/TfrmNBS060.h"
#include "screens/ni/TfrmNIH002.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

class SuspenseReceiptEndToEndTest : public DemoClientTest
{
protected:
};

} // namespace

// The voucher list around the account change, then one free voucher line
// booked on a contract, refused first, and cancelled again.
TEST_F(SuspenseReceiptEndToEndTest, VoucherLineIsBookedAndCancelled)
{
    auto* screen = Open<TfrmNBS060>("NBS060");
    ASSERT_NE(screen, nullptr);
    const QString today = TodayText();
    EXPECT_EQ(screen->medSDate->Text(), today.left(6) + "01");
    EXPECT_EQ(screen->medMonth->Text(), today.left(6));

    screen->medSDate->SetText("20180520");
    screen->medEDate->SetText("20180531");
    QTest::keyClick(screen->medSDate, Qt::Key_F3);
    QStringList slips = GridColumn(screen->rgrGrid, TfrmNBS060::colSlipNo);
    slips.sort();
    EXPECT_EQ(slips, QStringList({"18052101", "18052301", "18052401", "18052501"}));

    const QString month = today.left(6);
    QTest::keyClick(screen->bbtCancel, Qt::Key_F8);
    screen->medSDate->SetText(month + "01");
    screen->medEDate->SetText(today);
    QTest::keyClick(screen->medSDate, Qt::Key_F3);
    const QString slip = Scalar("SELECT MIN(SLIP_NO) FROM VB011DT A WHERE CONF_DATE LIKE '" + month + "%' AND "
                                "ACCT_CODE = '2111310' AND MG_CODE = 140 AND NOT EXISTS (SELECT 1 FROM NB020MS R "
                                "WHERE R.SLIP_CODE = A.SLIP_NO || A.SLIP_SEQ_NO)");
    ASSERT_FALSE(slip.isEmpty());
    const QString amount = Scalar("SELECT C_AMOUNT FROM VB011DT WHERE SLIP_NO = '" + slip + "'");
    // A contract whose month alone leaves more open than the voucher brings.
    const QString contract = Scalar(
        "SELECT MIN(A.CONT_CODE) FROM NA020MS A WHERE (SELECT COALESCE(SUM(NAPIP_AMT), 0) FROM NB010MS B WHERE "
        "B.CONT_CODE = A.CONT_CODE AND NAPIP_MONTH = '" + month + "') - (SELECT COALESCE(SUM(IPGUM_AMT), 0) FROM "
        "NB020MS R WHERE R.CONT_CODE = A.CONT_CODE AND IPGUM_DATE LIKE '" + month + "%') >= " + amount
        + " AND EXISTS (SELECT 1 FROM JA010MS S WHERE S.UPJANG_CODE = A.SHOP_CODE AND S.USE_YN = 'Y') AND CONT_CANCEL_DATE IS NULL");
    ASSERT_FALSE(contract.isEmpty());
    const int row = FindRow(screen->rgrGrid, TfrmNBS060::colSlipNo, slip);
    ASSERT_GE(row, 0);

    // A free line fills the entry and opens the contract lookup at once.
    auto pick = [&] {
        const bool leftOpen = DriveModal<TfrmNIH002>(
            "frmNIH002", [&] { DoubleClickCell(screen->rgrGrid, TfrmNBS060::colSlipNo, row); },
            [&](TfrmNIH002* shown) {
                shown->bbtSearchClick();
                DoubleClickCell(shown->rgrGrid, 2, FindRow(shown->rgrGrid, 2, contract));
            });
        EXPECT_FALSE(leftOpen);
    };
    pick();
    EXPECT_EQ(screen->edtSlipCode->text(), slip + "01");
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), amount.toDouble());
    EXPECT_EQ(screen->edt_IpgumDate->Text(), today);
    ASSERT_EQ(screen->edt_ContCode->text(), contract);
    ASSERT_GT(screen->rgrMonthIpgum->RowCount(), 0);

    // Without an amount code the server refuses: the line stays free.
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].startsWith("자료를 저장하지 못했습니다."));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBS060::colIpYn, row).AsString(), "");
    // Everything entered stays for another try.
    EXPECT_EQ(screen->edt_ContCode->text(), contract);
    EXPECT_EQ(screen->edtSlipCode->text(), slip + "01");
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), amount.toDouble());
    EXPECT_EQ(screen->edt_IpgumDate->Text(), today);
    EXPECT_GT(screen->rgrMonthIpgum->RowCount(), 0);

    // On the total line it is booked and the line shows "Y".
    pick();
    DoubleClickCell(screen->rgrMonthIpgum, TfrmNBS060::colRemainAmt,
                    FindRow(screen->rgrMonthIpgum, TfrmNBS060::colAmtCode, "T"));
    EXPECT_EQ(screen->edt_NapipCode->text(), "T");
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBS060::colIpYn, row).AsString(), "Y");
    const QString received = "SELECT CAST(COALESCE(SUM(IPGUM_AMT), 0) AS INTEGER) FROM NB020MS WHERE CONT_CODE = '"
                             + contract + "' AND IPGUM_DATE = '" + today + "'";
    EXPECT_EQ(Scalar(received), QString::number(qint64(amount.toDouble())));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB020MS WHERE SLIP_CODE = '" + slip + "01'"), "1");

    // A second double-click offers the cancellation.
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    DoubleClickCell(screen->rgrGrid, TfrmNBS060::colSlipNo, row);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(MessageBoxSeam::Shown()[0].text, "이미 입금처리가 완료된 전표입니다. 입금처리를 취소하시겠습니까?");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBS060::colIpYn, row).AsString(), "");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB020MS WHERE SLIP_CODE = '" + slip + "01'"), "0");
    EXPECT_EQ(Scalar(received), "0");
}
