#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwNumEdit.h"
#include "screens/ScreenRegistry.h"
#include "screens/nb/TfrmNBI020.h"
#include "screens/nb/TfrmNBI030.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The payment schedule and the billing screens in the running client on a
// fresh demonstration database, with the server's own procedures.
class ScheduleBillingEndToEndTest : public DemoClientTest
{
protected:
    // The schedule lines of a contract and amount code as the grid shows
    // them: month|amount, months in order.
    QStringList StoredLines(const QString& contract, const QString& amtCode)
    {
        return Column("SELECT NAPIP_MONTH || '|' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE CONT_CODE = '"
                      + contract + "' AND AMT_CODE = '" + amtCode + "' ORDER BY NAPIP_MONTH");
    }

    static QStringList ShownLines(TwMemGrid* grid)
    {
        QStringList lines;
        for (int r = 0; r < grid->RowCount(); ++r)
            lines << grid->Cells(0, r).AsString() + "|"
                         + QString::number(qint64(grid->Cells(2, r).AsFloat()));
        return lines;
    }

    QList<MessageBoxSeam::Box> Boxes(MessageBoxSeam::Kind kind)
    {
        QList<MessageBoxSeam::Box> boxes;
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == kind)
                boxes << box;
        return boxes;
    }

    void SetMonth(TwCustomMaskEdit* box, const QString& month) { box->SetText(month); }

};

} // namespace

TEST_F(ScheduleBillingEndToEndTest, ScheduleListsActiveContractsAndKeepsOneMonth)
{
    auto* screen = Open<TfrmNBI020>("NBI020");
    ASSERT_NE(screen, nullptr);
    QTest::keyClick(screen->edtContCode, Qt::Key_F3);
    QStringList listed = GridColumn(screen->rgrGrid, TfrmNBI020::colContCode);
    listed.sort();
    ASSERT_FALSE(listed.isEmpty());
    EXPECT_EQ(listed, Column("SELECT CONT_CODE FROM NA020MS WHERE CONT_CANCEL_DATE IS NULL ORDER BY 1"));

    const QString code = Scalar("SELECT MIN(CONT_CODE) FROM NA020MS A WHERE CONT_CANCEL_DATE IS NULL AND CONT_END_DATE > '"
                                + TBusinessClock::TodayText() + "' AND EXISTS "
                                "(SELECT 1 FROM NB010MS B WHERE B.CONT_CODE = A.CONT_CODE AND AMT_CODE = '03')");
    ClickRow(screen->rgrGrid, FindRow(screen->rgrGrid, TfrmNBI020::colContCode, code));
    EXPECT_EQ(screen->edtContCodeView->text(), code);
    EXPECT_EQ(ShownLines(screen->rgrSchedule), StoredLines(code, "02"));
    QTest::mouseClick(screen->RadioButton3, Qt::LeftButton);
    const QStringList fees = StoredLines(code, "03");
    ASSERT_EQ(ShownLines(screen->rgrSchedule), fees);
    qint64 total = 0;
    for (const QString& line : fees)
        total += line.section('|', 1).toLongLong();
    EXPECT_EQ(screen->rgrSchedule->Columns()->Items(2)->Footer()->Values(0).remove(','), QString::number(total));

    // Picking a month copies it; the + button steps over the year's end.
    DoubleClickCell(screen->rgrSchedule, 0, 0);
    EXPECT_EQ(screen->medMonth->Text(), fees.first().section('|', 0, 0));
    EXPECT_EQ(qint64(screen->edt_NapipAmt->Value()), fees.first().section('|', 1).toLongLong());
    SetMonth(screen->medMonth, "200712");
    QTest::mouseClick(screen->btnPlus, Qt::LeftButton);
    EXPECT_EQ(screen->medMonth->Text(), "200801");

    // A month after the schedule, registered with 0: the notice names it.
    const QString month = StepMonth(fees.last().section('|', 0, 0), 1);
    SetMonth(screen->medMonth, month);
    screen->edt_NapipAmt->SetValue(0);
    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(screen->edt_NapipAmt, Qt::Key_F2);
    ASSERT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty()) << Boxes(MessageBoxSeam::mbError)[0].text.toStdString();
    ASSERT_EQ(Boxes(MessageBoxSeam::mbInfo).size(), 1);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo)[0].text,
              "납부할 요금이 입력되지 않았습니다. " + month + "월은 0원으로 등록됩니다..");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(ShownLines(screen->rgrSchedule).last(), month + "|0");
    EXPECT_EQ(Scalar("SELECT U_EMP_NO FROM NB010MS WHERE CONT_CODE = '" + code + "' AND AMT_CODE = '03' AND "
                     "NAPIP_MONTH = '" + month + "'"),
              "10000001");

    // No still reloads: a line stored behind the screen's back shows.
    Exec("UPDATE NB010MS SET NAPIP_AMT = 777 WHERE CONT_CODE = '" + code + "' AND AMT_CODE = '03' AND NAPIP_MONTH = '"
         + month + "'");
    MessageBoxSeam::QueueAnswer(false);
    QTest::mouseClick(screen->bbtDelete, Qt::LeftButton);
    EXPECT_EQ(MessageBoxSeam::Last().text, "선택된 월의 스케쥴을 삭제하시겠습니까?");
    EXPECT_EQ(ShownLines(screen->rgrSchedule).last(), month + "|777");

    // Delete goes through the same call, with no zero notice.
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtDelete, Qt::LeftButton);
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbInfo).isEmpty());
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty());
    EXPECT_EQ(ShownLines(screen->rgrSchedule), fees);

    // A refusal is shown once and the schedule stays as it was.
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbtDelete, Qt::LeftButton);
    ASSERT_EQ(Boxes(MessageBoxSeam::mbError).size(), 1);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError)[0].text,
              "자료를 저장하지 못했습니다.\r\r에러내용:\r삭제할 스케쥴이 없습니다.");

    // Regeneration asks nothing and rebuilds from the contract.
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbtSCreate, Qt::LeftButton);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(ShownLines(screen->rgrSchedule), StoredLines(code, "03"));
}

TEST_F(ScheduleBillingEndToEndTest, BillSplitsItsTotalAndSurvivesRegeneration)
{
    auto* screen = Open<TfrmNBI030>("NBI030");
    ASSERT_NE(screen, nullptr);
    const QString month = TBusinessClock::ThisMonth();
    EXPECT_EQ(screen->medMonth->Text(), month);
    QTest::keyClick(screen->edt_CCode, Qt::Key_F3);
    QTest::qWait(screen->rgrContract->ChangeDelay() + 100);
    ASSERT_GT(screen->rgrContract->RowCount(), 0);

    // A contract without this month's fee line shows no due date and is refused.
    const int missing = FindRow(screen->rgrContract, TfrmNBI030::colNapipDate, QString());
    ASSERT_GE(missing, 0);
    ClickRow(screen->rgrContract, missing);
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1); // no question either
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_EQ(MessageBoxSeam::Last().text, "납입스케쥴이 등록되어 있지 않습니다. 확인하세요.");

    const QString code = Scalar("SELECT MIN(A.CONT_CODE) FROM NA020MS A JOIN NB010MS B ON B.CONT_CODE = A.CONT_CODE "
                                "AND B.AMT_CODE = '03' AND B.NAPIP_MONTH = '" + month + "' WHERE CONT_CANCEL_DATE IS "
                                "NULL AND NOT EXISTS (SELECT 1 FROM NB020MS R WHERE R.CONT_CODE = A.CONT_CODE AND "
                                "R.NAPIP_MONTH = '" + month + "')");
    ClickRow(screen->rgrContract, FindRow(screen->rgrContract, TfrmNBI030::colContCode, code));
    EXPECT_EQ(screen->edtContCode->text(), code);
    EXPECT_EQ(screen->edt_NapipDate->Text(),
              Scalar("SELECT NAPIP_DATE FROM NB010MS WHERE CONT_CODE = '" + code + "' AND AMT_CODE = '03' AND "
                     "NAPIP_MONTH = '" + month + "'"));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI030::colSchMonth),
              Column("SELECT NAPIP_MONTH FROM NB010MS WHERE CONT_CODE = '" + code + "' AND AMT_CODE = '03' AND "
                     "NAPIP_MONTH <= '" + month + "' ORDER BY NAPIP_MONTH DESC"));

    // Typing changes nothing until the box is left; then the total splits.
    ASSERT_EQ(QApplication::focusWidget(), screen->edt_Elec);
    QTest::keyClicks(screen->edt_Elec, "50000");
    EXPECT_EQ(screen->edt_TotAmt->Value(), 0);
    EXPECT_EQ(screen->edt_Price->Value(), 0);
    QTest::keyClick(screen->edt_Elec, Qt::Key_Tab);
    EXPECT_EQ(screen->edt_TotAmt->Value(), 50000);
    ASSERT_EQ(QApplication::focusWidget(), screen->edt_Gas);
    QTest::keyClicks(screen->edt_Gas, "30000");
    QTest::keyClick(screen->edt_Gas, Qt::Key_Tab);
    QTest::keyClicks(screen->edt_Cont, "20000");
    EXPECT_EQ(screen->edt_TotAmt->Value(), 80000);
    QTest::keyClick(screen->edt_Cont, Qt::Key_Tab);
    EXPECT_EQ(screen->edt_TotAmt->Value(), 100000);
    EXPECT_EQ(screen->edt_Price->Value(), 90909);
    EXPECT_EQ(screen->edt_tax->Value(), 9091);
    screen->edt_TotAmt->SetValue(110000);
    EXPECT_EQ(screen->edt_Price->Value(), 100000);
    EXPECT_EQ(screen->edt_tax->Value(), 10000);
    QTest::keyClick(screen->edt_Envi, Qt::Key_Tab); // back to the charges' sum

    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    QTest::mouseClick(screen->bbt_DeatilSave, Qt::LeftButton);
    ASSERT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty()) << Boxes(MessageBoxSeam::mbError)[0].text.toStdString();
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Column("SELECT CAST(TOT_MONEY AS INTEGER) || '|' || CAST(SUP_PRICE AS INTEGER) || '|' || "
                     "CAST(SUP_TAX AS INTEGER) || '|' || CAST(SUP_ELEC AS INTEGER) || '|' || DEMAND_DATE FROM NB020DT "
                     "WHERE CONT_CODE = '" + code + "' AND CONT_MONTH = '" + month + "'"),
              QStringList({"100000|90909|9091|50000|" + TBusinessClock::TodayText()}));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI030::colSchAmount, 0).AsFloat(), 100000);

    // Rebuilding the schedule keeps the billed total as the month's fee.
    auto* schedule = Open<TfrmNBI020>("NBI020");
    ASSERT_NE(schedule, nullptr);
    schedule->edtContCode->setText(code);
    QTest::keyClick(schedule->edtContCode, Qt::Key_F3);
    ASSERT_EQ(schedule->rgrGrid->RowCount(), 1);
    QTest::mouseClick(schedule->RadioButton3, Qt::LeftButton);
    MessageBoxSeam::Reset();
    QTest::mouseClick(schedule->bbtSCreate, Qt::LeftButton);
    ASSERT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty()) << Boxes(MessageBoxSeam::mbError)[0].text.toStdString();
    const int row = FindRow(schedule->rgrSchedule, TfrmNBI020::colMonth, month);
    ASSERT_GE(row, 0);
    EXPECT_EQ(schedule->rgrSchedule->Cells(TfrmNBI020::colAmount, row).AsFloat(), 100000);
}
