#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TExcelWorkbook.h"
#include "common/TXlsxWriter.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwDataField.h"
#include "reportviewer/TReportDocument.h"
#include "reportviewer/TReportViewer.h"
#include "screens/ExcelSheetLoader.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwNumEdit.h"
#include "screens/na/TfrmNAI010.h"
#include "screens/na/TfrmNAI020.h"
#include "screens/na/TfrmNAI030.h"
#include "screens/na/TfrmNAS050.h"
#include "screens/nb/TfrmNBI010.h"
#include "screens/nb/TfrmNBI020.h"
#include "screens/nb/TfrmNBI030.h"
#include "screens/nb/TfrmNBI040.h"
#include "screens/nb/TfrmNBS040.h"
#include "screens/nb/TfrmNBS060.h"
#include "screens/nd/TfrmNDI010.h"
#include "screens/nc/TfrmNCS090.h"
#include "screens/nd/TfrmNDS020.h"
#include "screens/ni/TfrmNIH001.h"
#include "screens/ni/TfrmNIH002.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The life of one lease through the screens a clerk touches, on a fresh
// demonstration database on a fixed day (2026-12-09: October is the last
// closed month, November is open). Every figure is worked out by hand:
//   contract signed 2026-10-05: lease 2026-11-05 .. 2027-11-04, deposit
//   10,000,000 (the 1,000,000 down payment falls in closed October, so the
//   whole deposit is due 2026-11-05), rent 700,000 and fee 200,000 a month
//   due on the 5th, late fee 18 % a year.
//   November: fee billed 50,000 + 30,000 + 20,000 = 100,000; received the
//   deposit on 11-05, 300,000 rent on 11-20, a 100,000 suspense
//   voucher for the fee on 11-25 and 150,000 on the total line on 11-30.
//   Closing November: rent unpaid 700,000 - 450,000 = 250,000, late fee
//   250,000 x 18 % x 25 days / 365 = 3,082.19, cut to tens: 3,080.
//   December: the fee sheet bills 220,000 (supply 200,000, tax 20,000); the
//   payment notice asks 700,000 + 220,000 + 250,000 + 3,080 = 1,173,080 by
//   2026-12-05.
class AcceptanceTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        TBusinessClock::Set(QDate(2026, 12, 9));
        folder.SetIni("Main.ini", "MAIN/PROGRAM_COUNT", 20); // every screen stays open
        DemoClientTest::SetUp();
    }
    void TearDown() override
    {
        DemoClientTest::TearDown();
        TBusinessClock::Set(QDate());
    }

    void Save(QWidget* focus)
    {
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(true);
        QTest::keyClick(focus, Qt::Key_F2);
    }

    void Click(QPushButton* button, bool yes = true)
    {
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(yes);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The main window takes the keys again once a lookup dialog has gone.
    void Reactivate()
    {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void Retype(QWidget* box, const QString& text)
    {
        box->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(box)) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        TypeText(box, text);
    }

    QString RegisterShop();
    QString SignContract(const QString& shop);
    void GenerateSchedule();
    void BillFee();
    void Receive(const QString& amtCode, int column, const QString& date, double amount);
    void BookVoucher();
    void CloseNovember();
    void CheckInquiries();
    void ImportDecemberFee();
    void CheckContractStatus();
    void CheckPaymentNotice();
    void RenewAndTerminate();

    // amount code|amount of the contract's schedule lines of a month.
    QStringList Schedule(const QString& month)
    {
        return Column("SELECT AMT_CODE || '|' || CAST(NAPIP_AMT AS INTEGER) || '|' || NAPIP_DATE FROM NB010MS "
                      "WHERE CONT_CODE = '" + contract + "' AND NAPIP_MONTH = '" + month + "' ORDER BY AMT_CODE");
    }

    QString shop;
    QString contract;
    QString partner;
    TfrmNBI010* receipts = nullptr;
};

// A new site of the site master completed as a leasable shop.
QString AcceptanceTest::RegisterShop()
{
    auto* screen = Open<TfrmNAI010>("NAI010");
    EXPECT_NE(screen, nullptr);
    const QString shop = Scalar("SELECT MIN(UPJANG_CODE) FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND ETC_FLAG = 'Y' "
                                "AND UPJANG_CODE NOT IN (SELECT SHOP_CODE FROM NA010MS)");
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    QTest::mouseClick(screen->bbtNewUpjang, Qt::LeftButton);
    ClickRow(screen->rgrGrid, FindRow(screen->rgrGrid, TfrmNAI010::colShopCode, shop));
    DriveModal<TfrmNIH001>(
        "frmNIH001", [&] { QTest::mouseClick(screen->bbt_PositionCode, Qt::LeftButton); },
        [&](TfrmNIH001* dialog) { DoubleClickCell(dialog->rgrGrid, 1, FindRow(dialog->rgrGrid, 0, "01")); });
    Reactivate();
    Retype(screen->edtShopLocation, "본관 1층 108호");
    screen->cmbUseYN->setCurrentText("Y");
    Save(screen->edtShopLocation);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Column("SELECT SHOP_PLACE || '|' || SHOP_POSITION || '|' || SHOP_USED_YN FROM NA010MS WHERE "
                     "SHOP_CODE = '" + shop + "'"),
              QStringList({"01|본관 1층 108호|Y"}));
    return shop;
}

QString AcceptanceTest::SignContract(const QString& shop)
{
    auto* screen = Open<TfrmNAI020>("NAI020");
    EXPECT_NE(screen, nullptr);
    partner = Scalar("SELECT MIN(C_CODE) FROM VA050MS WHERE USE_YN = 'Y'");
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    QTest::keyClick(screen->rgrGrid, Qt::Key_F4);
    Retype(screen->edt_CCode, partner);
    Retype(screen->edt_UpjangCode, shop);
    screen->MedContDate->setFocus();
    screen->MedContDate->setCursorPosition(0);
    QTest::keyClicks(screen->MedContDate, "20261005");
    QTest::keyClick(screen->MedContDate, Qt::Key_Return);
    EXPECT_EQ(screen->medSDate->Text(), "20261105");
    EXPECT_EQ(screen->medEDate->Text(), "20271104");
    QTest::keyClicks(screen->nedDeposit, "10000000");
    QTest::keyClick(screen->nedDeposit, Qt::Key_Return);
    EXPECT_EQ(screen->firstDeposit->Value(), 1000000);
    EXPECT_EQ(screen->lastDeposit->Value(), 9000000);
    Retype(screen->nedTotMoney, "700000");
    Retype(screen->nedMagMoney, "200000");
    Retype(screen->nedDelayRate, "18");
    Save(screen->nedDelayRate);
    EXPECT_EQ(Errors(), QStringList());
    const QString code = Scalar("SELECT MAX(CONT_CODE) FROM NA020MS");
    EXPECT_EQ(Column("SELECT C_CODE || '|' || SHOP_CODE || '|' || CONT_START_DATE || '|' || CONT_END_DATE || '|' || "
                     "CAST(CONT_DEPOSIT AS INTEGER) || '|' || CAST(CONT_LEASE_MONEY AS INTEGER) || '|' || "
                     "CAST(CONT_MANAGE_PAY AS INTEGER) || '|' || CAST(CONT_DELAYRATE AS INTEGER) FROM NA020MS "
                     "WHERE CONT_CODE = '" + code + "'"),
              QStringList({partner + "|" + shop + "|20261105|20271104|10000000|700000|200000|18"}));
    return code;
}

void AcceptanceTest::GenerateSchedule()
{
    auto* screen = Open<TfrmNBI020>("NBI020");
    ASSERT_NE(screen, nullptr);
    screen->edtContCode->setText(contract);
    QTest::keyClick(screen->edtContCode, Qt::Key_F3);
    ASSERT_EQ(screen->rgrGrid->RowCount(), 1);
    Click(screen->bbtSCreate);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB010MS WHERE CONT_CODE = '" + contract + "'"), "27"); // 1 + 13 x 2
    EXPECT_EQ(Schedule("202610"), QStringList());
    EXPECT_EQ(Schedule("202611"), QStringList({"01|10000000|20261105", "02|700000|20261105", "03|200000|20261105"}));
    EXPECT_EQ(Schedule("202711"), QStringList({"02|700000|20271105", "03|200000|20271105"}));
}

void AcceptanceTest::BillFee()
{
    auto* screen = Open<TfrmNBI030>("NBI030");
    ASSERT_NE(screen, nullptr);
    screen->medMonth->SetText("202611");
    screen->edt_UpjangCode->setText(Scalar("SELECT SHOP_CODE FROM NA020MS WHERE CONT_CODE = '" + contract + "'"));
    QTest::keyClick(screen->edt_CCode, Qt::Key_F3);
    QTest::qWait(screen->rgrContract->ChangeDelay() + 100);
    ClickRow(screen->rgrContract, FindRow(screen->rgrContract, TfrmNBI030::colContCode, contract));
    ASSERT_EQ(screen->edtContCode->text(), contract);
    EXPECT_EQ(screen->edt_NapipDate->Text(), "20261105");
    for (auto [box, amount] : {std::pair{screen->edt_Elec, "50000"}, {screen->edt_Gas, "30000"},
                               {screen->edt_Cont, "20000"}}) {
        box->setFocus();
        QTest::keyClicks(box, amount);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    EXPECT_EQ(screen->edt_TotAmt->Value(), 100000);
    EXPECT_EQ(screen->edt_Price->Value(), 90909);
    EXPECT_EQ(screen->edt_tax->Value(), 9091);
    Click(screen->bbt_DeatilSave);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Scalar("SELECT CAST(TOT_MONEY AS INTEGER) || '|' || CAST(SUP_PRICE AS INTEGER) || '|' || "
                     "CAST(SUP_TAX AS INTEGER) FROM NB020DT WHERE CONT_CODE = '" + contract + "' AND "
                     "CONT_MONTH = '202611'"),
              "100000|90909|9091");
    EXPECT_EQ(Schedule("202611").value(2), "03|100000|20261105");
}

// One receipt on the receipts screen: the month grid's line and column pick
// what is paid, the amount and date are typed.
void AcceptanceTest::Receive(const QString& amtCode, int column, const QString& date, double amount)
{
    TwMemGrid* grid = receipts->rgrMonthIpgum;
    DoubleClickCell(grid, column, FindRow(grid, TfrmNBI010::colAmtCode, amtCode));
    receipts->edt_IpgumDate->SetText(date);
    receipts->edt_IpgumAmt->SetValue(amount);
    Click(receipts->bbt_DeatilSave);
    EXPECT_EQ(Errors(), QStringList()) << amtCode.toStdString() << " " << date.toStdString();
}

void AcceptanceTest::BookVoucher()
{
    Exec("INSERT INTO VB011DT VALUES ('2026', '26112599', '01', '2111310', 140, '가나다', '20261125', 0, 100000)");
    auto* screen = Open<TfrmNBS060>("NBS060");
    ASSERT_NE(screen, nullptr);
    screen->medSDate->SetText("20261125");
    screen->medEDate->SetText("20261125");
    screen->medMonth->SetText("202611");
    QTest::keyClick(screen->medSDate, Qt::Key_F3);
    const int row = FindRow(screen->rgrGrid, TfrmNBS060::colSlipNo, "26112599");
    ASSERT_GE(row, 0);
    DriveModal<TfrmNIH002>(
        "frmNIH002", [&] { DoubleClickCell(screen->rgrGrid, TfrmNBS060::colSlipNo, row); },
        [&](TfrmNIH002* shown) {
            shown->bbtSearchClick();
            DoubleClickCell(shown->rgrGrid, 2, FindRow(shown->rgrGrid, 2, contract));
        });
    Reactivate();
    ASSERT_EQ(screen->edt_ContCode->text(), contract);
    EXPECT_EQ(screen->edt_IpgumAmt->Value(), 100000);
    DoubleClickCell(screen->rgrMonthIpgum, TfrmNBS060::colRemainAmt,
                    FindRow(screen->rgrMonthIpgum, TfrmNBS060::colAmtCode, "03"));
    screen->edt_IpgumDate->SetText("20261125");
    Click(screen->bbt_DeatilSave);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBS060::colIpYn, row).AsString(), "Y");
}

void AcceptanceTest::CloseNovember()
{
    auto* screen = Open<TfrmNDI010>("NDI010");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->medMonth->Text(), "202611");
    QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
    Click(screen->bbtSaleClose);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Column("SELECT AMT_CODE || '|' || CAST(NAPIP_AMT AS INTEGER) || '|' || CAST(IPGUM_AMT AS INTEGER) || "
                     "'|' || CAST(THIS_MINAPAMT AS INTEGER) || '|' || CAST(THIS_MINAPDEALYAMT AS INTEGER) FROM "
                     "NB030MS WHERE CONT_CODE = '" + contract + "' AND NAPIP_MONTH = '202611' ORDER BY AMT_CODE"),
              QStringList({"01|10000000|10000000|0|0", "02|700000|450000|250000|3080", "03|100000|100000|0|0"}));
}

void AcceptanceTest::CheckInquiries()
{
    auto* closing = Open<TfrmNDS020>("NDS020");
    ASSERT_NE(closing, nullptr);
    QTest::mouseClick(closing->RadioButton2, Qt::LeftButton); // rent
    QTest::mouseClick(closing->bbtSearch, Qt::LeftButton);
    ClickRow(closing->rgrGrid, FindRow(closing->rgrGrid, TfrmNDS020::colContCode, contract));
    TwMemGrid* rows = closing->rgrMagamData;
    const int line = FindRow(rows, TfrmNDS020::mcMonth, "202611");
    ASSERT_GE(line, 0);
    EXPECT_EQ(rows->Cells(TfrmNDS020::mcNapipAmt, line).AsFloat(), 700000);
    EXPECT_EQ(rows->Cells(TfrmNDS020::mcIpgumAmt, line).AsFloat(), 450000);
    EXPECT_EQ(rows->Cells(TfrmNDS020::mcThisMinap, line).AsFloat(), 250000);
    EXPECT_EQ(rows->Cells(TfrmNDS020::mcThisDelay, line).AsFloat(), 3080);

    // The fee billed for November, split into supply price and tax.
    auto* billing = Open<TfrmNBS040>("NBS040");
    ASSERT_NE(billing, nullptr);
    ASSERT_EQ(billing->cbxGubn->currentIndex(), TfrmNBS040::gkManagementFee);
    billing->medMonth->SetText("202611");
    QTest::mouseClick(billing->bbtSearch, Qt::LeftButton);
    const int row = FindRow(billing->rgrMain, 0, contract);
    ASSERT_GE(row, 0);
    QStringList shown;
    for (int column : {6, 7, 8, 9})
        shown << billing->rgrMain->Cells(column, row).AsString();
    EXPECT_EQ(shown, QStringList({"202611", "100000", "90909", "9091"}));
}

void AcceptanceTest::ImportDecemberFee()
{
    const QString path = folder.Path("fee-202612.xlsx");
    TExcelWorkbook book(path);
    TExcelWorksheet& sheet = book.AddSheet(QStringLiteral("Sheet1"));
    const QStringList row = {shop, "202612", "이름", "220000", "200000", "20000", "120000", "30000", "40000",
                             "10000", "10000", "10000"};
    for (int c = 0; c < row.size(); ++c)
        sheet.SetText(1, c + 1, row[c]);
    TXlsxWriter::Write(book, path);

    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    ExcelSheetLoader::SetFileChooser([path] { return path; });
    QTest::mouseClick(screen->bbtExcelLoad, Qt::LeftButton);
    ExcelSheetLoader::SetFileChooser({});
    ASSERT_EQ(screen->rgrGrid->RowCount(), 1);
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->BitBtn1, Qt::LeftButton); // the check
    QTest::keyClick(screen->rgrGrid, Qt::Key_F2);       // the registration
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Scalar("SELECT CAST(TOT_MONEY AS INTEGER) || '|' || CAST(SUP_PRICE AS INTEGER) || '|' || "
                     "CAST(SUP_TAX AS INTEGER) || '|' || CAST(SUP_ELEC AS INTEGER) FROM NB020DT WHERE CONT_CODE = '"
                     + contract + "' AND CONT_MONTH = '202612'"),
              "220000|200000|20000|120000");
}

void AcceptanceTest::CheckContractStatus()
{
    auto* screen = Open<TfrmNAS050>("NAS050");
    ASSERT_NE(screen, nullptr);
    QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
    EXPECT_EQ(Errors(), QStringList());
    TwClientDataSet& rows = screen->cdsGrid;
    rows.Last(); // every packet fetched
    bool found = false;
    for (int r = 0; r < rows.RecordCount(); ++r) {
        if (rows.Value(r, rows.FieldByName("CONT_CODE")->Index()).toString() != contract)
            continue;
        found = true;
        QStringList shown;
        for (const char* field : {"C_CODE", "SHOP_CODE", "CONT_START_DATE", "CONT_END_DATE"})
            shown << rows.Value(r, rows.FieldByName(field)->Index()).toString();
        EXPECT_EQ(shown, QStringList({partner, shop, "20261105", "20271104"}));
        EXPECT_EQ(rows.Value(r, rows.FieldByName("CONT_DEPOSIT")->Index()).toDouble(), 10000000);
        EXPECT_EQ(rows.Value(r, rows.FieldByName("CONT_LEASE_MONEY")->Index()).toDouble(), 700000);
    }
    EXPECT_TRUE(found);
}

void AcceptanceTest::CheckPaymentNotice()
{
    auto* screen = Open<TfrmNCS090>("NCS090");
    ASSERT_NE(screen, nullptr);
    screen->medMonth->SetText("202612");
    screen->edt_UpjangCode->setText(shop);
    QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
    EXPECT_EQ(Errors(), QStringList());
    const TReportDocument* notice = screen->ReportViewer1->Document();
    ASSERT_NE(notice, nullptr);
    ASSERT_EQ(notice->PageCount(), 1);
    const QString page = notice->PageText(0);
    for (const char* text : {"납부하실 금액   1,173,080 원", "2026-12-05", "953,080", "220,000", "250,000", "3,080"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text << "\n" << page.toStdString();
}

void AcceptanceTest::RenewAndTerminate()
{
    auto* renewal = Open<TfrmNAI030>("NAI030");
    ASSERT_NE(renewal, nullptr);
    QTest::keyClick(renewal->edtFindName, Qt::Key_F3);
    ClickRow(renewal->rgrGrid, FindRow(renewal->rgrGrid, TfrmNAI020::colContCode, contract));
    QTest::mouseClick(renewal->bbt_InfoUpdate, Qt::LeftButton);
    QTest::keyClicks(renewal->edt_AddRate, "10");
    EXPECT_EQ(renewal->lastDeposit->Value(), 11000000);
    Save(renewal->edt_AddRate);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Scalar("SELECT CONT_START_DATE || '|' || TERM_START_DATE || '|' || CAST(CONT_DEPOSIT AS INTEGER) || "
                     "'|' || CAST(FIRST_DEPOSIT AS INTEGER) || '|' || CAST(LAST_DEPOSIT AS INTEGER) FROM NA020MS "
                     "WHERE CONT_CODE = '" + contract + "'"),
              "20261105|20271105|11000000|1000000|10000000");

    // The contract screen is still open, in edit mode, from the signing: its
    // row is stale until searched anew (a save of the stale row is refused
    // rather than undoing the renewal).
    auto* contracts = Open<TfrmNAI020>("NAI020");
    ASSERT_NE(contracts, nullptr);
    if (!contracts->SearchMode())
        QTest::mouseClick(contracts->bbtCancel, Qt::LeftButton);
    QTest::mouseClick(contracts->bbtSearch, Qt::LeftButton);
    ClickRow(contracts->rgrGrid, FindRow(contracts->rgrGrid, TfrmNAI020::colContCode, contract));
    QTest::mouseClick(contracts->bbtCancelCheckIn, Qt::LeftButton);
    TypeText(contracts->moCancelReason, "임차인 사정");
    Save(contracts->moCancelReason);
    EXPECT_EQ(Errors(), QStringList());
    EXPECT_EQ(Scalar("SELECT CONT_CANCEL_DATE || '|' || CONT_CANCEL_REM FROM NA020MS WHERE CONT_CODE = '" + contract
                     + "'"),
              "20261209|임차인 사정");
}

} // namespace

TEST_F(AcceptanceTest, ALeaseFromItsShopToItsTermination)
{
    shop = RegisterShop();
    ASSERT_FALSE(HasFailure());
    contract = SignContract(shop);
    ASSERT_FALSE(HasFailure());
    GenerateSchedule();
    BillFee();
    ASSERT_FALSE(HasFailure());

    receipts = Open<TfrmNBI010>("NBI010");
    ASSERT_NE(receipts, nullptr);
    EXPECT_EQ(receipts->medMonth->Text(), "202611");
    QTest::keyClick(receipts->edt_CCode, Qt::Key_F3);
    ClickRow(receipts->rgrGrid, FindRow(receipts->rgrGrid, TfrmNBI010::colContCode, contract));
    Receive("01", TfrmNBI010::colRemainAmt, "20261105", 10000000);
    Receive("02", TfrmNBI010::colRemainAmt, "20261120", 300000); // a part of the rent
    BookVoucher();
    ASSERT_FALSE(HasFailure());
    window->Tabs()->setCurrentWidget(receipts->parentWidget());
    Click(receipts->bbtCancel);
    QTest::keyClick(receipts->edt_CCode, Qt::Key_F3);
    ClickRow(receipts->rgrGrid, FindRow(receipts->rgrGrid, TfrmNBI010::colContCode, contract));
    EXPECT_EQ(receipts->rgrMonthIpgum->Cells(TfrmNBI010::colRemainAmt,
                                             FindRow(receipts->rgrMonthIpgum, TfrmNBI010::colAmtCode, "T"))
                  .AsFloat(),
              400000);
    Receive("T", TfrmNBI010::colRemainAmt, "20261130", 150000);
    EXPECT_EQ(Column("SELECT AMT_CODE || '|' || CAST(SUM(IPGUM_AMT) AS INTEGER) FROM NB020MS WHERE CONT_CODE = '"
                     + contract + "' GROUP BY AMT_CODE ORDER BY AMT_CODE"),
              QStringList({"01|10000000", "02|450000", "03|100000"}));
    ASSERT_FALSE(HasFailure());

    CloseNovember();
    ASSERT_FALSE(HasFailure());
    CheckInquiries();
    ImportDecemberFee();
    CheckContractStatus();
    CheckPaymentNotice();
    RenewAndTerminate();
}
