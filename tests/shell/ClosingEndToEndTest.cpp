#include <QPushButton>
#include <QToolButton>
#include <QLocale>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "screens/nd/TfrmNDI010.h"
#include "screens/nd/TfrmNDS020.h"
#include <QCheckBox>
#include <QRadioButton>
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumns.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The monthly closing in the running client on a fresh demonstration
// database, with the server's own closing procedure.
class ClosingEndToEndTest : public DemoClientTest
{
protected:
    int Count(MessageBoxSeam::Kind kind, const QString& text = QString())
    {
        int n = 0;
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == kind && (text.isEmpty() || box.text == text))
                ++n;
        return n;
    }

    static QString LastMonth() { return StepMonth(TBusinessClock::TodayText().left(6), -1); }

    // contract|code|carried unpaid|carried late fee, as the grid shows them.
    static QStringList Carried(TwMemGrid* grid)
    {
        QStringList lines;
        for (int r = 0; r < grid->RowCount(); ++r)
            lines << grid->Cells(TfrmNDI010::colContCode, r).AsString() + "|"
                         + grid->Cells(TfrmNDI010::colAmtCode, r).AsString() + "|"
                         + QString::number(qint64(grid->Cells(TfrmNDI010::colThisMinap, r).AsFloat())) + "|"
                         + QString::number(qint64(grid->Cells(TfrmNDI010::colThisDelay, r).AsFloat()));
        lines.sort();
        return lines;
    }

    // The same, from what the closing stored.
    QStringList Stored(const QString& month)
    {
        QStringList lines = Column(
            "SELECT CONT_CODE || '|' || DECODE(AMT_CODE,'01','보증금','02','임대료','03','관리비')"
            " || '|' || CAST(THIS_MINAPAMT AS INTEGER) || '|' || CAST(THIS_MINAPDEALYAMT AS INTEGER)"
            " FROM NB030MS WHERE NAPIP_MONTH = '" + month + "'");
        lines.sort();
        return lines;
    }

    static qint64 Sum(TwMemGrid* grid, int column)
    {
        qint64 total = 0;
        for (int r = 0; r < grid->RowCount(); ++r)
            total += qint64(grid->Cells(column, r).AsFloat());
        return total;
    }

    template <typename Screen>
    void Search(Screen* screen) { QTest::mouseClick(screen->bbtSearch, Qt::LeftButton); }
};

} // namespace

TEST_F(ClosingEndToEndTest, ClosesCancelsAndClosesLastMonthAsPreviewed)
{
    auto* screen = Open<TfrmNDI010>("NDI010");
    ASSERT_NE(screen, nullptr);
    const QString month = LastMonth();
    // The month after the last closed one; the range follows it.
    EXPECT_EQ(screen->medMonth->Text(), month);
    EXPECT_EQ(screen->medMonth2->Text(), month);
    EXPECT_EQ(screen->medMonth3->Text(), month);

    Search(screen);
    EXPECT_EQ(Count(MessageBoxSeam::mbError), 0);
    EXPECT_EQ(screen->rgrGrid->RowCount(),
              Scalar("SELECT COUNT(*) FROM NB010MS WHERE NAPIP_MONTH = '" + month + "'").toInt());
    ASSERT_GT(screen->rgrGrid->RowCount(), 0);
    EXPECT_TRUE(screen->bbtSaleClose->isEnabled());
    EXPECT_FALSE(screen->bbtSaleCloseCancel->isEnabled());
    const QStringList preview = Carried(screen->rgrGrid);

    // A No still reloads; nothing is closed.
    MessageBoxSeam::QueueAnswer(false);
    QTest::mouseClick(screen->bbtSaleClose, Qt::LeftButton);
    EXPECT_EQ(Carried(screen->rgrGrid), preview);
    EXPECT_TRUE(Stored(month).isEmpty());

    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtSaleClose, Qt::LeftButton);
    ASSERT_EQ(Count(MessageBoxSeam::mbError), 0) << MessageBoxSeam::Last().text.toStdString();
    EXPECT_EQ(Count(MessageBoxSeam::mbInfo, "마감이 완료 되었습니다."), 1);
    EXPECT_FALSE(screen->bbtSaleClose->isEnabled());
    EXPECT_TRUE(screen->bbtSaleCloseCancel->isEnabled());
    EXPECT_TRUE(screen->bbtTotalCancel->isEnabled());
    EXPECT_EQ(Stored(month), preview);

    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtSaleCloseCancel, Qt::LeftButton);
    EXPECT_TRUE(Stored(month).isEmpty());
    EXPECT_TRUE(screen->bbtSaleClose->isEnabled());

    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtSaleClose, Qt::LeftButton);
    EXPECT_EQ(Stored(month), preview);

    // The closing inquiry shows what the preview showed.
    auto* inquiry = Open<TfrmNDS020>("NDS020");
    ASSERT_NE(inquiry, nullptr);
    Search(inquiry);
    EXPECT_EQ(inquiry->rgrGrid->RowCount(),
              Scalar("SELECT COUNT(*) FROM NA020MS WHERE MINAP_CHK = 'Y'").toInt());
    QTest::mouseClick(inquiry->bbtCancel, Qt::LeftButton);
    inquiry->chkYesCont->setChecked(false);
    Search(inquiry);
    EXPECT_EQ(inquiry->rgrGrid->RowCount(), Scalar("SELECT COUNT(*) FROM NA020MS").toInt());
    const QString contract = preview.first().section('|', 0, 0);
    ClickRow(inquiry->rgrGrid, FindRow(inquiry->rgrGrid, TfrmNDS020::colContCode, contract));
    const int rentRows = inquiry->rgrMagamData->RowCount();
    QTest::mouseClick(inquiry->RadioButton4, Qt::LeftButton);
    TwMemGrid* rows = inquiry->rgrMagamData;
    EXPECT_GE(rows->RowCount(), rentRows);
    QStringList shown;
    for (int r = 0; r < rows->RowCount(); ++r)
        if (rows->Cells(TfrmNDS020::mcMonth, r).AsString() == month)
            shown << contract + "|" + rows->Cells(TfrmNDS020::mcAmtCode, r).AsString() + "|"
                         + QString::number(qint64(rows->Cells(TfrmNDS020::mcThisMinap, r).AsFloat())) + "|"
                         + QString::number(qint64(rows->Cells(TfrmNDS020::mcThisDelay, r).AsFloat()));
    shown.sort();
    EXPECT_EQ(shown, preview.filter(QRegularExpression("^" + contract + "\\|")));
    EXPECT_EQ(rows->Columns()->Items(TfrmNDS020::mcNapipAmt)->Footer()->Values(0).remove(','),
              QString::number(Sum(rows, TfrmNDS020::mcNapipAmt)));
    EXPECT_EQ(rows->Columns()->Items(TfrmNDS020::mcIpgumAmt)->Footer()->Values(0).remove(','),
              QString::number(Sum(rows, TfrmNDS020::mcIpgumAmt)));
    window->Tabs()->setCurrentIndex(0);

    // The range cancel over the month opens it again.
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtTotalCancel, Qt::LeftButton);
    EXPECT_TRUE(Stored(month).isEmpty());
    EXPECT_EQ(Count(MessageBoxSeam::mbError), 0);

    // Nothing closed in the range: the refusal is shown and nothing is saved.
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtTotalCancel, Qt::LeftButton);
    ASSERT_EQ(Count(MessageBoxSeam::mbError), 1);
    EXPECT_TRUE(MessageBoxSeam::Last().text.startsWith("자료를 저장하지 못했습니다.\r\r에러내용:\r"));
    EXPECT_TRUE(Stored(month).isEmpty());
}

TEST_F(ClosingEndToEndTest, MonthButtonsStopAtTheFloorAndTheMonthChoosesThePreview)
{
    auto* screen = Open<TfrmNDI010>("NDI010");
    ASSERT_NE(screen, nullptr);
    const QString floorMessage = "2018년 10월 이전 마감작업은 할수 없습니다. 전산실로 문의하세요";
    screen->medMonth->SetText("201812");
    QTest::mouseClick(screen->btnMinus, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth->Text(), "201811");
    EXPECT_EQ(screen->medMonth2->Text(), "201811");
    EXPECT_EQ(screen->medMonth3->Text(), "201811");
    QTest::mouseClick(screen->btnMinus, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth->Text(), "201811");
    EXPECT_EQ(Count(MessageBoxSeam::mbError, floorMessage), 1);
    QTest::mouseClick(screen->btnPlus, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth->Text(), "201812");
    screen->medMonth->SetText("201912");
    QTest::mouseClick(screen->btnPlus, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth->Text(), "202001");

    // The current month keeps the receipts as booked; a late-fee receipt
    // beyond the late fee owed leaves nothing carried, never a negative fee.
    const QString current = TBusinessClock::TodayText().left(6);
    const QString contract = Scalar("SELECT MIN(CONT_CODE) FROM NB010MS WHERE NAPIP_MONTH = '" + current
                                    + "' AND AMT_CODE = '02' AND NAPIP_AMT > 0");
    ASSERT_FALSE(contract.isEmpty());
    const QString due = Scalar("SELECT NAPIP_DATE FROM NB010MS WHERE NAPIP_MONTH = '" + current
                               + "' AND AMT_CODE = '02' AND CONT_CODE = '" + contract + "'");
    Exec("INSERT INTO NB020MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_GUBUN, IPGUM_DATE, IPGUM_SEQ, "
         "IPGUM_AMT) VALUES ('" + contract + "', '02', '" + current + "', '" + due + "', '2', '" + due
         + "', 99, 900000000)");
    screen->medMonth->SetText(current);
    Search(screen);
    EXPECT_FALSE(screen->qryQuery.SQL().join(' ').contains("TOT_AMT"));
    const int row = FindRow(screen->rgrGrid, TfrmNDI010::colContCode, contract);
    ASSERT_GE(row, 0);
    int rentRow = -1;
    for (int r = row; r < screen->rgrGrid->RowCount(); ++r)
        if (screen->rgrGrid->Cells(TfrmNDI010::colContCode, r).AsString() == contract
            && screen->rgrGrid->Cells(TfrmNDI010::colAmtCode, r).AsString() == "임대료")
            rentRow = r;
    ASSERT_GE(rentRow, 0);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNDI010::colThisDelay, rentRow).AsString(), "0");
    // Amounts show with thousands separators.
    const double billed = screen->rgrGrid->Cells(TfrmNDI010::colNapipAmt, rentRow).AsFloat();
    ASSERT_GE(billed, 1000);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNDI010::colNapipAmt, rentRow).DisplayText(),
              QLocale(QLocale::English).toString(qint64(billed)));

    // The range fields have the same floor; last month takes the earlier-month preview.
    screen->medMonth2->SetText("201811");
    QTest::mouseClick(screen->btnMinus2, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth2->Text(), "201811");
    EXPECT_EQ(Count(MessageBoxSeam::mbError, floorMessage), 2);
    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    screen->medMonth->SetText(LastMonth());
    Search(screen);
    EXPECT_TRUE(screen->qryQuery.SQL().join(' ').contains("TOT_AMT"));
    EXPECT_GT(screen->rgrGrid->RowCount(), 0);
}
