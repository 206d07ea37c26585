#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <cmath>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"
#include "common/TExcelWorkbooks.h"
#include "common/TStoredProc.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "screens/nb/TfrmNBI010.h"
#include "screens/nb/TfrmNBS040.h"
#include "reportviewer/TReportDocument.h"
#include "reportviewer/TReportViewer.h"
#include "screens/ScreenGrid.h"
#include "screens/nb/TArrearsChart.h"
#include "screens/nb/TfrmNBS070.h"
#include "screens/nd/TfrmNDS020.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The arrears aging in the running client on a fresh demonstration database,
// on the first day of a month: last month is still open, the month before it
// closed, and nothing of this month is received yet.
class ArrearsAgingEndToEndTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        DemoClientTest::SetUp();
        aging = Open<TfrmNBS070>("NBS070");
        ASSERT_NE(aging, nullptr);
    }

    QString Today() const { return TBusinessClock::TodayText(); }
    static QString LastMonth() { return StepMonth(TBusinessClock::TodayText().left(6), -1); }

    // Searches anew on the reference day for the amount kind (0 all, 1 deposit, 2 rent, 3 fee).
    void Search(const QString& refDate, int kind = 0)
    {
        if (!aging->SearchMode())
            QTest::mouseClick(aging->bbtCancel, Qt::LeftButton);
        aging->edtRefDate->SetText(refDate);
        aging->cbxAmtCode->setCurrentIndex(kind);
        QTest::mouseClick(aging->bbtSearch, Qt::LeftButton);
        ASSERT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();
    }

    // The grid's total per contract.
    QHash<QString, qint64> Totals()
    {
        QHash<QString, qint64> totals;
        TwMemGrid* grid = aging->rgrGrid;
        for (int r = 0; r < grid->RowCount(); ++r)
            totals[grid->Cells(TfrmNBS070::colContCode, r).AsString()] =
                qRound64(grid->Cells(TfrmNBS070::colTotal, r).AsFloat());
        return totals;
    }

    qint64 FooterSum(int column)
    {
        double sum = 0;
        for (int r = 0; r < aging->rgrGrid->RowCount(); ++r)
            sum += aging->rgrGrid->Cells(column, r).AsFloat();
        const QString shown = aging->rgrGrid->Columns()->Items(column)->Footer()->Values(0);
        EXPECT_EQ(shown, ScreenGrid::GroupedAmount(sum));
        return qRound64(sum);
    }

    double Cell(const QString& contract, int column)
    {
        const int row = FindRow(aging->rgrGrid, TfrmNBS070::colContCode, contract);
        return row < 0 ? 0 : aging->rgrGrid->Cells(column, row).AsFloat();
    }

    // The balance of the total line the receipts screen shows for each of its
    // contracts in the month.
    QHash<QString, qint64> ReceiptBalances(TfrmNBI010* receipts, const QString& month)
    {
        QHash<QString, qint64> balances;
        if (!receipts->SearchMode())
            QTest::mouseClick(receipts->bbtCancel, Qt::LeftButton);
        receipts->medMonth->SetText(month);
        receipts->edt_UpjangCode->clear();
        receipts->edt_CCode->clear();
        QTest::mouseClick(receipts->bbtSearch, Qt::LeftButton);
        TwMemGrid* contracts = receipts->rgrGrid;
        for (int r = 0; r < contracts->RowCount(); ++r) {
            contracts->SetRow(r);
            receipts->LoadMonthIpgum();
            const int total = FindRow(receipts->rgrMonthIpgum, TfrmNBI010::colAmtCode, "T");
            balances[contracts->Cells(TfrmNBI010::colContCode, r).AsString()] =
                total < 0 ? 0 : qRound64(receipts->rgrMonthIpgum->Cells(TfrmNBI010::colRemainAmt, total).AsFloat());
        }
        return balances;
    }

    void CloseMonth(const QString& month)
    {
        TStoredProc proc(dataModule->dbsDB);
        proc.SetProcedureName("PR_NDI010_01");
        proc.ParamByName("ANAPIP_MONTH").SetAsString(month);
        proc.ParamByName("ANAPIP_MONTH_FROM").SetAsString(month + "01");
        proc.ParamByName("ANAPIP_MONTH_TO").SetAsString(month + "01");
        proc.ParamByName("AGUBUN").SetAsString("I");
        proc.ParamByName("AU_EMP_NO").SetAsString("10000001");
        proc.ParamByName("AU_IP").SetAsString("127.0.0.1");
        dataModule->dbsDB.StartTransaction();
        proc.ExecProc();
        dataModule->dbsDB.Commit();
    }

    TBusinessClock::TScoped day{QDate(2026, 12, 1)};
    TfrmNBS070* aging = nullptr;
};

} // namespace

TEST_F(ArrearsAgingEndToEndTest, EveryTotalIsWhatTheReceiptsScreenShowsOverTheOpenMonths)
{
    Search(Today());
    const QHash<QString, qint64> totals = Totals();
    ASSERT_GT(totals.size(), 10);
    auto* receipts = Open<TfrmNBI010>("NBI010");
    ASSERT_NE(receipts, nullptr);

    // Last month is not closed yet: what is open is its balance and this month's.
    const QHash<QString, qint64> last = ReceiptBalances(receipts, LastMonth());
    const QHash<QString, qint64> current = ReceiptBalances(receipts, Today().left(6));
    ASSERT_GT(last.size(), 10);
    int compared = 0;
    for (auto it = last.begin(); it != last.end(); ++it) {
        const qint64 expected = it.value() + current.value(it.key());
        EXPECT_EQ(totals.value(it.key()), expected) << it.key().toStdString();
        compared += expected != 0;
    }
    EXPECT_GT(compared, 10);

    // Once it is closed, this month's balance on the receipts screen is all of it.
    CloseMonth(LastMonth());
    Search(Today());
    const QHash<QString, qint64> closed = Totals();
    const QHash<QString, qint64> month = ReceiptBalances(receipts, Today().left(6));
    for (auto it = month.begin(); it != month.end(); ++it)
        EXPECT_EQ(closed.value(it.key()), it.value()) << it.key().toStdString();

    // Each line's buckets make up its total; the footers the grid's sums.
    TwMemGrid* grid = aging->rgrGrid;
    for (int r = 0; r < grid->RowCount(); ++r) {
        double buckets = 0;
        for (int c = TfrmNBS070::colNotDue; c <= TfrmNBS070::colOver180; ++c)
            buckets += grid->Cells(c, r).AsFloat();
        EXPECT_EQ(qRound64(buckets), qRound64(grid->Cells(TfrmNBS070::colTotal, r).AsFloat()));
    }
}

TEST_F(ArrearsAgingEndToEndTest, TotalOfAKindIsWhatTheBillingInquiryOwesForTheMonth)
{
    CloseMonth(LastMonth());
    auto* billing = Open<TfrmNBS040>("NBS040");
    ASSERT_NE(billing, nullptr);
    for (int kind : {TfrmNBS040::gkRent, TfrmNBS040::gkManagementFee}) {
        SCOPED_TRACE(kind);
        billing->cbxGubn->setCurrentIndex(kind);
        billing->medMonth->SetText(Today().left(6));
        if (!billing->SearchMode())
            QTest::mouseClick(billing->bbtCancel, Qt::LeftButton);
        QTest::mouseClick(billing->bbtSearch, Qt::LeftButton);
        TwMemGrid* listed = billing->rgrMain;
        ASSERT_GT(listed->RowCount(), 10);
        const int billed = kind == TfrmNBS040::gkRent ? 8 : 7;
        const int outstanding = kind == TfrmNBS040::gkRent ? 9 : 19;

        Search(Today(), kind + 1);
        const QHash<QString, qint64> totals = Totals();
        qint64 inquiry = 0, ours = 0;
        for (int r = 0; r < listed->RowCount(); ++r) {
            const QString contract = listed->Cells(0, r).AsString();
            const qint64 owed = qRound64(listed->Cells(billed, r).AsFloat() + listed->Cells(outstanding, r).AsFloat());
            EXPECT_EQ(totals.value(contract), owed) << contract.toStdString();
            inquiry += owed;
            ours += totals.value(contract);
        }
        EXPECT_EQ(ours, inquiry);
        // What the inquiry leaves out is owed by contracts not running this month.
        for (auto it = totals.begin(); it != totals.end(); ++it)
            if (FindRow(listed, 0, it.key()) < 0)
                EXPECT_LT(Scalar("SELECT COALESCE(CONT_CANCEL_DATE, CONT_END_DATE) FROM NA020MS WHERE CONT_CODE = '"
                                 + it.key() + "'"),
                          Today().left(6) + "99")
                    << it.key().toStdString();
    }
}

TEST_F(ArrearsAgingEndToEndTest, OnTheLastDayOfAClosedMonthTheTotalIsWhatItsClosingCarried)
{
    const QString closed = Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS");
    const QString lastDay =
        TBusinessClock::Today().addMonths(-2).addDays(TBusinessClock::Today().addMonths(-2).daysInMonth() - 1)
            .toString("yyyyMMdd");
    ASSERT_EQ(lastDay.left(6), closed);
    Search(lastDay);
    const QHash<QString, qint64> totals = Totals();
    qint64 grand = 0;
    for (qint64 t : totals)
        grand += t;
    EXPECT_EQ(grand, Scalar("SELECT CAST(SUM(THIS_MINAPAMT + THIS_MINAPDEALYAMT) AS INTEGER) FROM NB030MS WHERE "
                            "NAPIP_MONTH = '" + closed + "'").toLongLong());

    // Contract by contract, as the closing inquiry lists the month's rows.
    auto* inquiry = Open<TfrmNDS020>("NDS020");
    ASSERT_NE(inquiry, nullptr);
    inquiry->chkYesCont->setChecked(false);
    QTest::mouseClick(inquiry->bbtSearch, Qt::LeftButton);
    QTest::mouseClick(inquiry->RadioButton4, Qt::LeftButton);
    int compared = 0;
    for (int r = 0; r < inquiry->rgrGrid->RowCount() && compared < 15; ++r) {
        inquiry->rgrGrid->SetRow(r);
        inquiry->LoadMagamData();
        const QString contract = inquiry->rgrGrid->Cells(TfrmNDS020::colContCode, r).AsString();
        qint64 carried = 0;
        TwMemGrid* rows = inquiry->rgrMagamData;
        for (int m = 0; m < rows->RowCount(); ++m)
            if (rows->Cells(TfrmNDS020::mcMonth, m).AsString() == closed)
                carried += qRound64(rows->Cells(TfrmNDS020::mcThisMinap, m).AsFloat()
                                    + rows->Cells(TfrmNDS020::mcThisDelay, m).AsFloat());
        EXPECT_EQ(totals.value(contract), carried) << contract.toStdString();
        compared += carried != 0;
    }
    EXPECT_GT(compared, 3);
}

TEST_F(ArrearsAgingEndToEndTest, AReceiptLeavesItsBucketAndALineDueTomorrowIsNotDue)
{
    CloseMonth(LastMonth());
    Search(Today(), 2);
    // A contract under arrears management whose rent is late by a month at most:
    // a receipt pays the oldest share first.
    QString contract;
    for (const auto& c : aging->Found()) {
        double older = 0;
        for (int b = TArrearsAging::ab31To60; b < TArrearsAging::abCount; ++b)
            older += std::abs(c.aging.buckets[b]);
        if (c.minapChk == "Y" && older == 0 && c.aging.buckets[TArrearsAging::ab1To30] > 1000) {
            contract = c.contCode;
            break;
        }
    }
    ASSERT_FALSE(contract.isEmpty());
    const double before = Cell(contract, TfrmNBS070::col1To30);

    // Booked on the receipts screen the double click opens on that contract.
    const int row = FindRow(aging->rgrGrid, TfrmNBS070::colContCode, contract);
    DoubleClickCell(aging->rgrGrid, TfrmNBS070::colCName, row);
    auto* receipts = window->Tabs()->currentWidget()->findChild<TfrmNBI010*>();
    ASSERT_NE(receipts, nullptr);
    ASSERT_EQ(receipts->edtContCodeView->text(), contract);
    EXPECT_EQ(receipts->medMonth->Text(), Today().left(6));
    const int rent = FindRow(receipts->rgrMonthIpgum, TfrmNBI010::colAmtCode, "02");
    ASSERT_GE(rent, 0);
    DoubleClickCell(receipts->rgrMonthIpgum, TfrmNBI010::colRemainAmt, rent);
    receipts->edt_IpgumDate->SetText(Today());
    receipts->edt_IpgumAmt->SetValue(1000);
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(receipts->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join("\n").toStdString();

    window->Tabs()->setCurrentIndex(0);
    Search(Today(), 2);
    EXPECT_EQ(Cell(contract, TfrmNBS070::col1To30), before - 1000);

    // A schedule line due tomorrow counts as not yet due, and the day after as late.
    const QString tomorrow = TBusinessClock::Today().addDays(1).toString("yyyyMMdd");
    const QString dueTomorrow = Scalar("SELECT MIN(A.CONT_CODE) FROM NB010MS A WHERE A.NAPIP_DATE = '" + tomorrow
                                       + "' AND A.NAPIP_AMT > 0 AND A.AMT_CODE = '02'");
    ASSERT_FALSE(dueTomorrow.isEmpty());
    const double amount = Scalar("SELECT NAPIP_AMT FROM NB010MS WHERE CONT_CODE = '" + dueTomorrow
                                 + "' AND AMT_CODE = '02' AND NAPIP_DATE = '" + tomorrow + "'").toDouble();
    Search(Today(), 2);
    const double notDue = Cell(dueTomorrow, TfrmNBS070::colNotDue);
    EXPECT_GE(notDue, amount);
    Search(TBusinessClock::Today().addDays(2).toString("yyyyMMdd"), 2);
    EXPECT_EQ(Cell(dueTomorrow, TfrmNBS070::colNotDue), notDue - amount);
    EXPECT_GE(Cell(dueTomorrow, TfrmNBS070::col1To30), amount);
}

TEST_F(ArrearsAgingEndToEndTest, TheChartsBarsAddUpToTheFootersAndItsLineToTheClosings)
{
    Search(Today());
    TArrearsChart* chart = aging->chtAging;
    const QStringList arcades = chart->ArcadeNames();
    ASSERT_GT(arcades.size(), 1);
    for (int b = 0; b < TArrearsAging::abCount; ++b) {
        double bars = 0;
        for (int a = 0; a < arcades.size(); ++a)
            bars += chart->Bar(a, b);
        EXPECT_EQ(qRound64(bars), FooterSum(TfrmNBS070::colNotDue + b)) << b;
    }
    // Narrowed to one arcade, the chart follows the search.
    const QString code = Scalar("SELECT MIN(SHOP_PLACE) FROM NA010MS");
    aging->edt_Arcade->setText(code);
    Search(Today());
    EXPECT_EQ(chart->ArcadeNames(), QStringList{aging->edt_ArcadeName->text()});
    EXPECT_EQ(qRound64(chart->Bar(0, TArrearsAging::ab1To30)), FooterSum(TfrmNBS070::col1To30));

    // Every month-end of the last twelve that is closed, with what its closing carried.
    const auto ends = chart->MonthEnds();
    const QString closed = Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS");
    ASSERT_EQ(ends.size(), 11u); // the demonstration closes all but last month
    EXPECT_EQ(ends.back().month, closed);
    aging->edtRefDate->SetText(QDate::fromString(closed + "01", "yyyyMMdd").addMonths(1).addDays(-1).toString("yyyyMMdd"));
    Search(aging->edtRefDate->Text());
    EXPECT_EQ(qRound64(ends.back().total), FooterSum(TfrmNBS070::colTotal));
}

namespace {
// The page count pdfinfo reads from a written file; -1 when it cannot read it.
int PdfPages(const QString& path)
{
    QProcess info;
    info.start("pdfinfo", {path});
    if (!info.waitForFinished(20000) || info.exitCode() != 0)
        return -1;
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = text.indexOf("Pages:");
    return at < 0 ? -1 : text.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}
} // namespace

TEST_F(ArrearsAgingEndToEndTest, TheGridGoesToAWorksheetAndTheAgingWithItsChartToThePrinter)
{
    Search(Today());
    TwMemGrid* grid = aging->rgrGrid;
    ASSERT_GT(grid->RowCount(), 3);
    QTemporaryDir sheets;
    const QString file = sheets.filePath("aging.xls");
    SetXlsSaveDialog([&](const QString& name, const QString&) {
        EXPECT_EQ(name, "NBS070");
        return file;
    });
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(false);
    QTest::mouseClick(aging->bbtExcel, Qt::LeftButton);
    SetXlsSaveDialog({});
    ASSERT_TRUE(Errors().isEmpty());
    EXPECT_EQ(MessageBoxSeam::Last().text, "저장한 Excel 파일을 불러올까요?");
    {
        auto reader = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
        reader->Workbooks().Open(file);
        // The captions under the title and the date, the lines below them.
        const TExcelValueArray values = reader->Range(reader->Cells(1, 1), reader->Cells(4, 20)).Values();
        int totalColumn = 0;
        for (int c = 1; c <= 20; ++c)
            if (values.Text(3, c) == "합계")
                totalColumn = c;
        ASSERT_GT(totalColumn, 0);
        EXPECT_EQ(values.Text(3, totalColumn - 1), "181일 이상");
        EXPECT_EQ(values.Value(4, totalColumn).toDouble(), grid->Cells(TfrmNBS070::colTotal, 0).AsFloat());
        EXPECT_EQ(values.Text(4, 2), grid->Cells(TfrmNBS070::colCName, 0).AsString());
    }

    QTest::mouseClick(aging->bbtReport, Qt::LeftButton);
    ASSERT_NE(aging->dlgReport, nullptr);
    EXPECT_TRUE(aging->dlgReport->isVisible());
    const TReportDocument* report = aging->rvwReport->Document();
    ASSERT_NE(report, nullptr);
    ASSERT_GE(report->PageCount(), 1);
    int images = 0;
    for (const TReportItem& item : report->pages[0].items)
        images += item.kind == TReportItem::ikImage && !item.image.isNull();
    EXPECT_EQ(images, 1);
    const QString text = report->PageText(report->PageCount() - 1);
    EXPECT_TRUE(text.contains(ScreenGrid::GroupedAmount(FooterSum(TfrmNBS070::colTotal)))) << text.toStdString();
    EXPECT_TRUE(report->PageText(0).contains(grid->Cells(TfrmNBS070::colCName, 0).AsString()));
    EXPECT_TRUE(aging->rvwReport->btnPdf->isEnabled());
    EXPECT_TRUE(aging->rvwReport->btnPreview->isEnabled());

    QTemporaryDir dir;
    const QString pdf = dir.filePath("aging.pdf");
    aging->rvwReport->SavePdf(pdf);
    EXPECT_EQ(PdfPages(pdf), report->PageCount());
}

TEST_F(ArrearsAgingEndToEndTest, RemindersArePrintedOnePagePerCheckedContract)
{
    Search(Today());
    TwMemGrid* grid = aging->rgrGrid;
    MessageBoxSeam::Reset();
    QTest::mouseClick(aging->bbtLetter, Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1); // nothing checked yet
    EXPECT_EQ(aging->dlgReport, nullptr);

    QStringList chosen;
    for (int r = 0; r < grid->RowCount() && chosen.size() < 3; ++r)
        if (grid->Cells(TfrmNBS070::colTotal, r).AsFloat() > 0 && grid->Cells(TfrmNBS070::colLongestDays, r).AsFloat() > 0) {
            grid->OnMarkerClick(grid, r);
            chosen << grid->Cells(TfrmNBS070::colContCode, r).AsString();
        }
    ASSERT_EQ(chosen.size(), 3);
    // A second click takes the mark away again.
    const int last = FindRow(grid, TfrmNBS070::colContCode, chosen.last());
    grid->OnMarkerClick(grid, last);
    grid->OnMarkerClick(grid, last);
    QTest::mouseClick(aging->bbtLetter, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty());
    const TReportDocument* letters = aging->rvwReport->Document();
    ASSERT_NE(letters, nullptr);
    ASSERT_EQ(letters->PageCount(), 3);
    for (int p = 0; p < 3; ++p) {
        const int row = FindRow(grid, TfrmNBS070::colContCode, chosen[p]);
        const QString text = letters->PageText(p);
        EXPECT_TRUE(text.contains(grid->Cells(TfrmNBS070::colCName, row).AsString())) << text.toStdString();
        EXPECT_TRUE(text.contains(Scalar("SELECT SHOP_POSITION FROM NA010MS WHERE SHOP_CODE = '"
                                         + grid->Cells(TfrmNBS070::colShopCode, row).AsString() + "'")));
        EXPECT_TRUE(text.contains(ScreenGrid::GroupedAmount(grid->Cells(TfrmNBS070::colTotal, row).AsFloat())));
        EXPECT_TRUE(text.contains("독  촉  장"));
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("letters.pdf");
    aging->rvwReport->SavePdf(pdf);
    EXPECT_EQ(PdfPages(pdf), 3);
}
