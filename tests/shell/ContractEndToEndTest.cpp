#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwNumEdit.h"
#include "screens/ScreenRegistry.h"
#include "screens/na/TfrmNAI020.h"
#include "screens/na/TfrmNAI030.h"
#include "screens/nb/TfrmNBS040.h"
#include "common/CommonHelpers.h"
#include "controls/TwMemGrid.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The demo administrator signs, terminates and renews contracts in the
// running client on a fresh demonstration database.
class ContractEndToEndTest : public DemoClientTest
{
protected:
    void TypeInto(QWidget* box, const QString& text)
    {
        box->setFocus();
        TypeText(box, text);
    }

    void SaveWithYes(QWidget* focus)
    {
        MessageBoxSeam::QueueAnswer(true);
        QTest::keyClick(focus, Qt::Key_F2);
    }

    bool NoErrorShown()
    {
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == MessageBoxSeam::mbError) {
                ADD_FAILURE() << box.text.toStdString();
                return false;
            }
        return true;
    }

};

} // namespace

TEST_F(ContractEndToEndTest, SignsANewContractAndTerminatesIt)
{
    auto* screen = Open<TfrmNAI020>("NAI020");
    ASSERT_NE(screen, nullptr);
    const QString today = TBusinessClock::TodayText();
    const QString partner = Scalar("SELECT MIN(C_CODE) FROM VA050MS WHERE USE_YN = 'Y'");
    // The shop whose contracts end first, signed for again the day after.
    const QString free = Scalar("SELECT S.SHOP_CODE || '|' || COALESCE(MAX(COALESCE(C.CONT_CANCEL_DATE, "
                                "C.CONT_END_DATE)), '') FROM NA010MS S LEFT JOIN NA020MS C ON C.SHOP_CODE = "
                                "S.SHOP_CODE WHERE S.SHOP_USED_YN = 'Y' GROUP BY S.SHOP_CODE ORDER BY MAX(COALESCE(C.CONT_CANCEL_DATE, "
                                "C.CONT_END_DATE)), S.SHOP_CODE");
    const QString shop = free.section('|', 0, 0);
    const QDate lastEnd = QDate::fromString(free.section('|', 1, 1), "yyyyMMdd");
    const QString signedOn = lastEnd.isValid() && lastEnd >= TBusinessClock::Today()
                                 ? lastEnd.addDays(1).toString("yyyyMMdd")
                                 : today;
    ASSERT_FALSE(partner.isEmpty());
    ASSERT_FALSE(shop.isEmpty());

    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    EXPECT_EQ(QString::number(screen->rgrGrid->RowCount()), Scalar("SELECT COUNT(*) FROM NA020MS"));
    QTest::keyClick(screen->rgrGrid, Qt::Key_F4);
    ASSERT_EQ(QApplication::focusWidget(), screen->edt_CCode);
    TypeInto(screen->edt_CCode, partner);
    EXPECT_EQ(screen->edt_CCodeName->text(), Scalar("SELECT C_NAME FROM VA050MS WHERE C_CODE = '" + partner + "'"));
    TypeInto(screen->edt_UpjangCode, shop);
    screen->MedContDate->setFocus();
    screen->MedContDate->setCursorPosition(0);
    QTest::keyClicks(screen->MedContDate, signedOn);
    QTest::keyClick(screen->MedContDate, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), screen->nedDeposit);
    QTest::keyClicks(screen->nedDeposit, "10000000");
    QTest::keyClick(screen->nedDeposit, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), screen->nedTotMoney);
    QTest::keyClicks(screen->nedTotMoney, "700000");
    SaveWithYes(screen->nedTotMoney);
    ASSERT_TRUE(NoErrorShown());
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");

    // Found by its new code, the highest, with its author.
    const QString code = Scalar("SELECT MAX(CONT_CODE) FROM NA020MS");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNAI020::colContCode, screen->rgrGrid->Row()).AsString(), code);
    EXPECT_EQ(Column("SELECT C_CODE || '|' || SHOP_CODE || '|' || CONT_DATE || '|' || CONT_START_DATE || '|' || "
                     "CAST(CONT_DEPOSIT AS INTEGER) || '|' || CAST(FIRST_DEPOSIT AS INTEGER) || '|' || "
                     "CAST(LAST_DEPOSIT AS INTEGER) || '|' || CAST(CONT_LEASE_MONEY AS INTEGER) || '|' || U_EMP_NO "
                     "|| '|' || COALESCE(U_IP, '') || '|' || (U_SYS_DATE IS NOT NULL) FROM NA020MS WHERE CONT_CODE = '"
                     + code + "'"),
              QStringList({partner + "|" + shop + "|" + signedOn + "|" + screen->medSDate->Text()
                           + "|10000000|1000000|9000000|700000|10000001|" + SessionContext::ClientIP() + "|1"}));

    // Terminated today, with its reason; its arrears stay under management.
    QTest::mouseClick(screen->bbtCancelCheckIn, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), screen->moCancelReason);
    TypeText(screen->moCancelReason, "입점 취소");
    SaveWithYes(screen->moCancelReason);
    ASSERT_TRUE(NoErrorShown());
    EXPECT_EQ(Column("SELECT CONT_CANCEL_DATE || '|' || CONT_CANCEL_REM || '|' || MINAP_CHK FROM NA020MS "
                     "WHERE CONT_CODE = '" + code + "'"),
              QStringList({today + "|입점 취소|Y"}));
}

TEST_F(ContractEndToEndTest, RenewsAnActiveContractByTheAdditionalRate)
{
    auto* screen = Open<TfrmNAI030>("NAI030");
    ASSERT_NE(screen, nullptr);
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    QStringList listed = GridColumn(screen->rgrGrid, TfrmNAI020::colContCode);
    listed.sort();
    EXPECT_EQ(listed, Column("SELECT CONT_CODE FROM NA020MS WHERE CONT_CANCEL_DATE IS NULL AND CONT_END_DATE >= '"
                             + TBusinessClock::TodayText() + "' ORDER BY 1"));

    // The latest contract of its shop, so that a year on overlaps nothing.
    const QString code = Scalar("SELECT MIN(CONT_CODE) FROM NA020MS A WHERE CONT_CANCEL_DATE IS NULL AND "
                                "CONT_DEPOSIT > 0 AND CONT_END_DATE >= '" + TBusinessClock::TodayText() + "' AND NOT EXISTS (SELECT 1 FROM NA020MS B WHERE B.SHOP_CODE = "
                                "A.SHOP_CODE AND B.CONT_CODE <> A.CONT_CODE AND B.CONT_START_DATE > A.CONT_START_DATE)");
    ASSERT_FALSE(code.isEmpty());
    const QString before = Scalar("SELECT CONT_START_DATE || '|' || CAST(CONT_DEPOSIT AS INTEGER) FROM NA020MS "
                                  "WHERE CONT_CODE = '" + code + "'");
    const QDate oldStart = QDate::fromString(before.section('|', 0, 0), "yyyyMMdd");
    const qint64 oldDeposit = before.section('|', 1, 1).toLongLong();
    ClickRow(screen->rgrGrid, FindRow(screen->rgrGrid, TfrmNAI020::colContCode, code));
    QTest::mouseClick(screen->bbt_InfoUpdate, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), screen->edt_AddRate);
    QTest::keyClicks(screen->edt_AddRate, "10");
    const qint64 added = qRound64(oldDeposit * 0.1);
    EXPECT_EQ(qint64(screen->lastDeposit->Value()), oldDeposit + added);
    SaveWithYes(screen->edt_AddRate);
    ASSERT_TRUE(NoErrorShown());
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Column("SELECT TERM_START_DATE || '|' || CAST(CONT_DEPOSIT AS INTEGER) || '|' || "
                     "CAST(FIRST_DEPOSIT AS INTEGER) || '|' || CAST(LAST_DEPOSIT AS INTEGER) || '|' || U_EMP_NO "
                     "FROM NA020MS WHERE CONT_CODE = '" + code + "'"),
              QStringList({oldStart.addDays(365).toString("yyyyMMdd") + "|" + QString::number(oldDeposit + added)
                           + "|" + QString::number(added) + "|" + QString::number(oldDeposit) + "|10000001"}));
}

TEST_F(ContractEndToEndTest, ARenewalInTheMiddleOfATermKeepsTheRunningTermOnEveryScreen)
{
    const QString today = TBusinessClock::TodayText();
    const QString month = today.left(6);
    // A contract running today and billed for this month's rent, the latest of its shop.
    const QString code = Scalar(
        "SELECT MIN(A.CONT_CODE) FROM NA020MS A WHERE A.CONT_CANCEL_DATE IS NULL AND A.CONT_START_DATE < '" + month
        + "01' AND A.CONT_END_DATE > '" + today + "' AND EXISTS (SELECT 1 FROM NB010DT D WHERE D.CONT_CODE = "
        "A.CONT_CODE AND D.CONT_MONTH = '" + month + "' AND D.DEMAND_MONEY2 > 0) AND NOT EXISTS (SELECT 1 FROM "
        "NA020MS B WHERE B.SHOP_CODE = A.SHOP_CODE AND B.CONT_START_DATE > A.CONT_START_DATE)");
    ASSERT_FALSE(code.isEmpty());
    const QString term = Scalar("SELECT CONT_START_DATE || '|' || CONT_END_DATE FROM NA020MS WHERE CONT_CODE = '"
                                + code + "'");
    const QString billed = Scalar("SELECT CAST(DEMAND_MONEY2 AS INTEGER) FROM NB010DT WHERE CONT_CODE = '" + code
                                  + "' AND CONT_MONTH = '" + month + "'");

    auto* renewal = Open<TfrmNAI030>("NAI030");
    ASSERT_NE(renewal, nullptr);
    QTest::keyClick(renewal->edtFindName, Qt::Key_F3);
    ClickRow(renewal->rgrGrid, FindRow(renewal->rgrGrid, TfrmNAI020::colContCode, code));
    QTest::mouseClick(renewal->bbt_InfoUpdate, Qt::LeftButton);
    const QString newStart = renewal->medSDate->Text(), newEnd = renewal->medEDate->Text();
    QTest::keyClicks(renewal->edt_AddRate, "5");
    // What the list shows before saving is what the contract stores after.
    const int row = renewal->rgrGrid->Row();
    const QString shown = renewal->rgrGrid->Cells(TfrmNAI020::colFirstDeposit, row).AsString() + "|"
                          + renewal->rgrGrid->Cells(TfrmNAI020::colLastDeposit, row).AsString();
    SaveWithYes(renewal->edt_AddRate);
    ASSERT_TRUE(NoErrorShown());
    EXPECT_EQ(Scalar("SELECT CAST(FIRST_DEPOSIT AS INTEGER) || '|' || CAST(LAST_DEPOSIT AS INTEGER) FROM NA020MS "
                     "WHERE CONT_CODE = '" + code + "'"),
              shown);

    // The running month's bill is still listed for the contract.
    auto* inquiry = Open<TfrmNBS040>("NBS040");
    ASSERT_NE(inquiry, nullptr);
    inquiry->cbxGubn->setCurrentIndex(TfrmNBS040::gkRent);
    inquiry->medMonth->SetText(month);
    QTest::mouseClick(inquiry->bbtSearch, Qt::LeftButton);
    const int listed = FindRow(inquiry->rgrMain, 0, code);
    ASSERT_GE(listed, 0);
    EXPECT_EQ(QString::number(qint64(inquiry->rgrMain->Cells(8, listed).AsFloat())), billed);

    // Both terms stay visible on the contract screen.
    auto* contracts = Open<TfrmNAI020>("NAI020");
    ASSERT_NE(contracts, nullptr);
    QTest::keyClick(contracts->edtFindName, Qt::Key_F3);
    ClickRow(contracts->rgrGrid, FindRow(contracts->rgrGrid, TfrmNAI020::colContCode, code));
    const QString terms = contracts->moTerms->toPlainText();
    const QString dayBefore = QDate::fromString(newStart, "yyyyMMdd").addDays(-1).toString("yyyyMMdd");
    const QString keptEnd = std::min(term.section('|', 1, 1), dayBefore);
    EXPECT_TRUE(terms.contains("1차 " + FormatDateText(term.section('|', 0, 0)) + " ~ " + FormatDateText(keptEnd)))
        << terms.toStdString();
    EXPECT_TRUE(terms.contains("현재 " + FormatDateText(newStart) + " ~ " + FormatDateText(newEnd)))
        << terms.toStdString();
}
