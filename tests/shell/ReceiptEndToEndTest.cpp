#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QApplication>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "screens/nb/TfrmNBI010.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The receipts screen in the running client on a fresh demonstration
// database, booking and deleting through the server's own procedures.
class ReceiptEndToEndTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        DemoClientTest::SetUp();
        screen = Open<TfrmNBI010>("NBI010");
        ASSERT_NE(screen, nullptr);
        month = StepMonth(Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS"), 1);
        // A contract under management with rent and fee open in the month and
        // no deposit in play.
        const QString previous = StepMonth(month, -1);
        auto open = [&](const QString& code) {
            return "((SELECT COALESCE(SUM(NAPIP_AMT), 0) FROM NB010MS B WHERE B.CONT_CODE = A.CONT_CODE AND "
                   "B.AMT_CODE = '" + code + "' AND B.NAPIP_MONTH = '" + month + "') + (SELECT COALESCE(SUM("
                   "THIS_MINAPAMT + THIS_MINAPDEALYAMT), 0) FROM NB030MS C WHERE C.CONT_CODE = A.CONT_CODE AND "
                   "C.AMT_CODE = '" + code + "' AND C.NAPIP_MONTH = '" + previous + "') - (SELECT COALESCE(SUM("
                   "IPGUM_AMT), 0) FROM NB020MS R WHERE R.CONT_CODE = A.CONT_CODE AND R.AMT_CODE = '" + code
                   + "' AND R.IPGUM_DATE LIKE '" + month + "%'))";
        };
        contract = Scalar("SELECT MIN(A.CONT_CODE) FROM NA020MS A WHERE MINAP_CHK = 'Y' AND " + open("02")
                          + " > 10 AND " + open("03") + " > 0 AND " + open("01") + " = 0 AND NOT EXISTS (SELECT 1 "
                          "FROM NB010MS B WHERE B.CONT_CODE = A.CONT_CODE AND AMT_CODE = '01' AND NAPIP_MONTH = '"
                          + month + "') AND NOT EXISTS (SELECT 1 FROM NB030MS C WHERE C.CONT_CODE = A.CONT_CODE AND "
                          "AMT_CODE = '01' AND NAPIP_MONTH = '" + previous + "') AND NOT EXISTS (SELECT 1 FROM NB020MS "
                          "R WHERE R.CONT_CODE = A.CONT_CODE AND AMT_CODE = '01' AND IPGUM_DATE LIKE '" + month + "%')");
        ASSERT_FALSE(contract.isEmpty());
    }

    void SelectContract()
    {
        QTest::keyClick(screen->edt_CCode, Qt::Key_F3);
        TwMemGrid* grid = screen->rgrGrid;
        const int row = FindRow(grid, TfrmNBI010::colContCode, contract);
        ASSERT_GE(row, 0);
        grid->SetTopRow(row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->CellRect(grid->Columns()->VItems(0), row).center());
        QTest::qWait(grid->ChangeDelay() + 100);
        ASSERT_EQ(screen->edtContCodeView->text(), contract);
    }

    int MonthRow(const QString& code) { return FindRow(screen->rgrMonthIpgum, TfrmNBI010::colAmtCode, code); }
    double MonthCell(const QString& code, int column)
    {
        return screen->rgrMonthIpgum->Cells(column, MonthRow(code)).AsFloat();
    }
    double Balance(const QString& code) { return MonthCell(code, TfrmNBI010::colRemainAmt); }
    void Select(const QString& code, int column) { DoubleClickCell(screen->rgrMonthIpgum, column, MonthRow(code)); }

    void Book(double amount, bool yes = true)
    {
        screen->edt_IpgumDate->SetText(month + "15");
        screen->edt_IpgumAmt->SetValue(amount);
        MessageBoxSeam::QueueAnswer(yes);
        QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    }

    double Stored(const QString& code)
    {
        return Scalar("SELECT COALESCE(SUM(IPGUM_AMT), 0) FROM NB020MS WHERE CONT_CODE = '" + contract
                      + "' AND AMT_CODE = '" + code + "'").toDouble();
    }

    TfrmNBI010* screen = nullptr;
    QString month;
    QString contract;
};

} // namespace

TEST_F(ReceiptEndToEndTest, SelectionSplitsTheReceiptAndBookingRespectsTheBalance)
{
    EXPECT_EQ(screen->medMonth->Text(), month);
    SelectContract();
    EXPECT_EQ(GridColumn(screen->rgrMonthIpgum, TfrmNBI010::colAmtCode), QStringList({"02", "03", "T"}));
    const double rent = Balance("02");
    const double fee = Balance("03");
    ASSERT_GT(rent, 10);
    EXPECT_EQ(Balance("T"), rent + fee);
    const double stored = Stored("02");
    const QString site = screen->rgrGrid->Cells(TfrmNBI010::colShopName, screen->rgrGrid->Row()).AsString();

    // The code column picks the kind only: booking refuses without asking.
    Select("02", TfrmNBI010::colAmtCode);
    EXPECT_EQ(screen->panTitle->text(), site + "  임대료 입금");
    EXPECT_EQ(screen->edt_NapipCode->text(), "02");
    EXPECT_EQ(screen->edt_NapipAmt->Value(), 0);
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().text, "납부할 요금을 선택하지 않았습니다. 확인하세요");

    // The balance column fills the rent share; 9 won zeroes and sets rent.
    Select("02", TfrmNBI010::colRemainAmt);
    EXPECT_EQ(screen->edt_NapipAmt->Value(), rent);
    EXPECT_EQ(screen->edt_RentAmt->Value(), rent);
    screen->edt_ManagementAmt->SetValue(5);
    screen->edt_IpgumAmt->SetValue(9);
    EXPECT_EQ(screen->edt_RentAmt->Value(), 9);
    EXPECT_EQ(screen->edt_ManagementAmt->Value(), 0);
    EXPECT_EQ(screen->edt_BojungAmt->Value(), 0);

    // Typing past what is open: no box and no focus jump while typing, every
    // keystroke lands where it was typed; leaving the field says so in the
    // status bar, and booking refuses once, keeping the entry as typed.
    const QString tooMuch = "전체납입금액보다 입금금액이 큽니다. 확인하시고 처리하세요.";
    Select("02", TfrmNBI010::colRemainAmt);
    MessageBoxSeam::Reset();
    screen->edt_IpgumAmt->setFocus();
    QTest::keyClick(screen->edt_IpgumAmt, Qt::Key_End);
    QTest::keyClicks(screen->edt_IpgumAmt, "3");
    QTest::keyClicks(screen->edt_IpgumAmt, "1");
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), rent * 100 + 31);
    EXPECT_EQ(QApplication::focusWidget(), screen->edt_IpgumAmt);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    screen->moRemark->setFocus();
    EXPECT_EQ(screen->StatusText(), tooMuch);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    screen->edt_IpgumDate->SetText(month + "15");
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().text, tooMuch);
    EXPECT_EQ(Stored("02"), stored);
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), rent * 100 + 31);
    EXPECT_EQ(screen->edt_NapipAmt->Value(), rent);

    // No still clears the panel and reloads the grids.
    MessageBoxSeam::Reset();
    Book(1000, false);
    EXPECT_EQ(screen->edt_NapipAmt->Value(), 0);
    EXPECT_EQ(screen->panTitle->text(), site);
    EXPECT_EQ(screen->rgrMonthIpgum->RowCount(), 3);
    EXPECT_EQ(Stored("02"), stored);

    // The total line over rent and fee fills both shares, never the deposit.
    Select("T", TfrmNBI010::colRemainAmt);
    EXPECT_EQ(screen->edt_NapipCode->text(), "T");
    EXPECT_EQ(screen->panTitle->text(), site + " ");
    EXPECT_EQ(screen->edt_NapipAmt->Value(), rent + fee);
    EXPECT_EQ(screen->edt_RentAmt->Value(), rent);
    EXPECT_EQ(screen->edt_ManagementAmt->Value(), fee);
    EXPECT_EQ(screen->edt_BojungAmt->Value(), 0);
}

TEST_F(ReceiptEndToEndTest, UserBooksDeletesAndExports)
{
    SelectContract();
    const double rent = Balance("02");
    const double fee = Balance("03");
    const double storedRent = Stored("02");
    const double storedFee = Stored("03");
    const int before = screen->rgrIpgumProcess->RowCount();
    const double received = MonthCell("02", TfrmNBI010::colIpgumAmt);

    // A partial rent receipt.
    const double part = std::floor(rent / 2);
    Select("02", TfrmNBI010::colRemainAmt);
    // The date offered lies in the month booked against.
    EXPECT_EQ(screen->edt_IpgumDate->Text(), DayInMonthText(month));
    MessageBoxSeam::Reset();
    Book(part);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");

    // A refused booking takes back that text and keeps the entry as typed.
    Select("02", TfrmNBI010::colRemainAmt);
    screen->edt_IpgumAmt->SetValue(1000);
    screen->edt_IpgumDate->SetText(StepMonth(month, 1) + "01");
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), 1000);
    EXPECT_EQ(screen->edt_IpgumDate->Text(), StepMonth(month, 1) + "01");
    EXPECT_EQ(MonthCell("02", TfrmNBI010::colIpgumAmt), received + part);
    EXPECT_EQ(MonthCell("02", TfrmNBI010::colIpgumAmt), received + part);
    EXPECT_EQ(Balance("T"), rent + fee - part);
    ASSERT_EQ(screen->rgrIpgumProcess->RowCount(), before + 1);
    const int booked = FindRow(screen->rgrIpgumProcess, TfrmNBI010::hisIpgumDate, month + "15");
    ASSERT_GE(booked, 0);
    EXPECT_EQ(screen->rgrIpgumProcess->Cells(TfrmNBI010::hisIpgumAmt, booked).AsFloat(), part);

    // Exactly the month's total balance is accepted and clears every line.
    Select("T", TfrmNBI010::colRemainAmt);
    MessageBoxSeam::Reset();
    Book(rent + fee - part);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(Balance("02"), 0);
    EXPECT_EQ(Balance("03"), 0);
    EXPECT_EQ(Balance("T"), 0);
    EXPECT_EQ(Stored("02"), storedRent + rent);
    EXPECT_EQ(Stored("03"), storedFee + fee);
    const int receipts = screen->rgrIpgumProcess->RowCount();
    ASSERT_GE(receipts, before + 3);

    // Deleting refreshes the history only.
    DoubleClickCell(screen->rgrIpgumProcess, TfrmNBI010::hisIpgumAmt,
                    FindRow(screen->rgrIpgumProcess, TfrmNBI010::hisIpgumDate, month + "15"));
    EXPECT_TRUE(screen->panDelete->isVisible());
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtIpgumDelete, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(MessageBoxSeam::Shown()[0].text, "입금 데이타를 삭제 처리 하시겠습니까?");
    EXPECT_FALSE(screen->panDelete->isVisible());
    EXPECT_EQ(screen->rgrIpgumProcess->RowCount(), receipts - 1);
    EXPECT_EQ(Balance("T"), 0);

    // The history goes to a sheet that reads back.
    QTemporaryDir dir;
    SetXlsSaveDialog([&](const QString&, const QString&) { return dir.filePath("history"); });
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(false);
    QTest::mouseClick(screen->bbtExcel, Qt::LeftButton);
    SetXlsSaveDialog({});
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(MessageBoxSeam::Last().text, "저장한 Excel 파일을 불러올까요?");
    auto app = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
    app->Workbooks().Open(dir.filePath("history.xls"));
    QStringList cells;
    for (int row = 1; row <= receipts + 4; ++row)
        for (int col = 1; col <= 10; ++col)
            cells << app->Cells(row, col).Value().toString();
    EXPECT_TRUE(cells.contains("입금일자"));
    EXPECT_TRUE(cells.contains(month + "15"));
}
