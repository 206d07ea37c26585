#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "common/TBusinessClock.h"
#include "controls/TwColumn.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwNumEdit.h"
#include "framework/EAbort.h"
#include "framework/TPanel.h"
#include "screens/na/TfrmNAI020.h"
#include "screens/na/TfrmNAI030.h"
#include "tests/screens/LeaseFixture.h"
#include "tests/screens/ScreenTestSupport.h"

using namespace ScreenTest;

namespace {

QStringList ContractParams()
{
    return {"ACONT_CODE", "AC_CODE", "AC_NAME", "ASHOP_CODE", "ASHOP_NAME", "ACONT_START_DATE", "ACONT_END_DATE",
            "ACONT_CANCEL_DATE", "ACONT_DEPOSIT", "ACONT_LEASE_MONEY", "ACONT_MANAGE_PAY", "ACONT_SHOP_TYPE",
            "ACONT_PENALTY", "ACONT_DELAYRATE", "ACONT_SIZE1", "ACONT_SIZE2", "ACONT_PERMIT", "ACONT_NO",
            "APERMIT_DATE", "ACONT_REMARK", "ACONT_CANCEL_REM", "AU_EMP_NO", "AU_IP", "ACONT_DATE", "ABALANCE_DATE",
            "AFIRST_DEPOSIT", "ALAST_DEPOSIT", "AEDITSTATUS", "AMINAP_CHK", "ACONT_UPJANGNAME", "AMANAGE_YN"};
}

// The lease database with full contracts and a contract procedure that
// records each call (a Null parameter as "<null>").
class ContractFixture : public LeaseFixture
{
protected:
    ContractFixture()
        : contractProc("PR_NAI020_01", ContractParams(), [this](TDatabase&, const TStoredProc& proc) {
              QMap<QString, QString> call;
              for (const TParam& p : proc.Params())
                  call.insert(p.Name(), p.IsNull() ? QStringLiteral("<null>") : p.AsString());
              contractCalls.push_back(call);
              if (!contractRefusal.isEmpty())
                  throw EDatabaseError(contractRefusal);
          })
    {
    }

    void SetUp() override
    {
        LeaseFixture::SetUp();
        Exec("DROP TABLE NA020MS");
        Exec("CREATE TABLE NA020MS (CONT_CODE VARCHAR(6), C_CODE VARCHAR(10), SHOP_CODE VARCHAR(6), "
             "CONT_START_DATE VARCHAR(8), CONT_END_DATE VARCHAR(8), CONT_CANCEL_DATE VARCHAR(8), CONT_DEPOSIT REAL, "
             "CONT_LEASE_MONEY REAL, CONT_MANAGE_PAY REAL, CONT_SHOP_TYPE VARCHAR(20), CONT_PENALTY REAL, "
             "CONT_DELAYRATE REAL, CONT_SIZE1 REAL, CONT_SIZE2 REAL, CONT_PERMIT VARCHAR(20), CONT_NO VARCHAR(15), "
             "PERMIT_DATE VARCHAR(8), CONT_REMARK VARCHAR(200), CONT_CANCEL_REM VARCHAR(200), CONT_DATE VARCHAR(8), "
             "BALANCE_DATE VARCHAR(8), FIRST_DEPOSIT REAL, LAST_DEPOSIT REAL, MINAP_CHK VARCHAR(1), "
             "CONT_UPJANGNAME VARCHAR(20), MANAGE_YN VARCHAR(1))");
        Exec("INSERT INTO NA020MS VALUES ('000001', 'C001', '4001', '20250101', '20251231', NULL, 20000000, "
             "1000000, 300000, '편의점', 500000, 12, 33.5, 30, '일반음식점', '2024-001', '20241220', '본관', NULL, "
             "'20241215', '20250101', 2000000, 18000000, 'Y', '본관매점', 'Y')");
        Exec("INSERT INTO NA020MS VALUES ('000002', 'C002', '4002', '20240301', '20250228', '20240901', 5000000, "
             "500000, 100000, NULL, NULL, 10, NULL, NULL, NULL, NULL, NULL, NULL, '폐업', '20240215', '20240301', "
             "500000, 4500000, 'N', NULL, 'N')");
        // A period with a leap day a year on; no amounts at all.
        Exec("INSERT INTO NA020MS (CONT_CODE, C_CODE, SHOP_CODE, CONT_START_DATE, CONT_END_DATE, CONT_DATE) "
             "VALUES ('000003', 'C004', '4005', '20230301', '20240229', '20230215')");
        Exec("ALTER TABLE NA020MS ADD TERM_START_DATE VARCHAR(8)");
        Exec("CREATE TABLE NA021MS (CONT_CODE VARCHAR(6), TERM_SEQ INTEGER, TERM_START_DATE VARCHAR(8), "
             "TERM_END_DATE VARCHAR(8), CONT_DEPOSIT REAL, CONT_LEASE_MONEY REAL)");
    }

    std::vector<QMap<QString, QString>> contractCalls;
    QString contractRefusal;
    TProcedureRegistry::TScoped contractProc;
};

template <typename Screen>
class ContractScreenTest : public ContractFixture
{
protected:
    void SetUp() override
    {
        ContractFixture::SetUp();
        screen = std::make_unique<Screen>();
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }

    void TearDown() override
    {
        screen.reset();
        ContractFixture::TearDown();
    }

    QStringList Search(int state = 0)
    {
        if (!screen->SearchMode())
            screen->bbtCancelClick();
        screen->cbContractYN->setCurrentIndex(state);
        screen->bbtSearchClick();
        return GridColumn(screen->rgrGrid, TfrmNAI020::colContCode);
    }

    void GoTo(const QString& code)
    {
        const int row = FindRow(screen->rgrGrid, TfrmNAI020::colContCode, code);
        ASSERT_GE(row, 0) << code.toStdString();
        if (row == screen->rgrGrid->Row())
            return;
        screen->rgrGrid->SetRow(row);
        QTest::qWait(screen->rgrGrid->ChangeDelay() + 100); // the row change comes by the grid's timer
    }

    QString Cell(int column) { return screen->rgrGrid->Cells(column, screen->rgrGrid->Row()).AsString(); }

    void Enter(QWidget* editor)
    {
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Return);
    }

    void TypeDate(TwCustomMaskEdit* box, const QString& digits)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        box->setCursorPosition(0);
        QTest::keyClicks(box, digits);
    }

    std::unique_ptr<Screen> screen;
};

using ContractRegisterTest = ContractScreenTest<TfrmNAI020>;
using RecontractTest = ContractScreenTest<TfrmNAI030>;

} // namespace

TEST_F(ContractRegisterTest, StateListFiltersAndThePanelShowsTheContract)
{
    QStringList items;
    for (int i = 0; i < screen->cbContractYN->count(); ++i)
        items << screen->cbContractYN->itemText(i);
    EXPECT_EQ(items, QStringList({"", "Y - 계약", "N - 해약"}));
    EXPECT_TRUE(screen->bbtDelete->isHidden());
    EXPECT_EQ(Search(2), QStringList({"000002"}));
    EXPECT_FALSE(screen->panContCancel->isHidden()); // a terminated contract shows its termination
    EXPECT_EQ(screen->medContCanceldate->Text(), "20240901");
    EXPECT_FALSE(screen->chkNextSave->isChecked());
    EXPECT_EQ(Search(1), QStringList({"000001", "000003"}));
    EXPECT_TRUE(screen->panContCancel->isHidden());
    EXPECT_EQ(Search(0), QStringList({"000001", "000002", "000003"}));

    EXPECT_EQ(screen->edt_CCodeName->text(), "(주)한빛상사");
    EXPECT_EQ(screen->edt_UpjangCodeName->text(), "본관 매점");
    EXPECT_EQ(screen->nedDeposit->Value(), 20000000);
    EXPECT_EQ(screen->firstDeposit->Value(), 2000000);
    EXPECT_EQ(screen->MedContDate->Text(), "20241215");
    EXPECT_EQ(screen->cmb_ManageYN->currentText(), "Y");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNAI020::colDeposit, 0).DisplayText(), "20,000,000");
    // A contract without amounts shows 0, not the amounts of the one before.
    GoTo("000003");
    EXPECT_EQ(screen->edt_CCode->text(), "C004");
    EXPECT_EQ(screen->nedDeposit->Value(), 0);
    EXPECT_EQ(screen->nedTotMoney->Value(), 0);
    EXPECT_EQ(screen->cmb_ManageYN->currentText(), "N");
    EXPECT_FALSE(screen->Modified);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(ContractRegisterTest, EnterOnTheContractDateAndTheDepositFillsDatesAndTheSplit)
{
    Search();
    TypeDate(screen->MedContDate, "20070315");
    Enter(screen->MedContDate);
    EXPECT_EQ(screen->MedBalDate->Text(), "20070415");
    EXPECT_EQ(screen->medSDate->Text(), "20070415");
    EXPECT_EQ(screen->medEDate->Text(), "20080414");
    EXPECT_EQ(Cell(TfrmNAI020::colContDate), "20070315");
    EXPECT_EQ(Cell(TfrmNAI020::colBalanceDate), "20070415");
    EXPECT_EQ(Cell(TfrmNAI020::colStartDate), "20070415");
    EXPECT_EQ(Cell(TfrmNAI020::colEndDate), "20080414");
    EXPECT_EQ(QApplication::focusWidget(), screen->nedDeposit);

    // The last day of a month goes to the last day of the target month.
    TypeDate(screen->MedContDate, "20070131");
    Enter(screen->MedContDate);
    EXPECT_EQ(screen->medSDate->Text(), "20070228");
    EXPECT_EQ(screen->medEDate->Text(), "20080229");
    // An incomplete date does nothing.
    TypeDate(screen->MedContDate, "200703");
    Enter(screen->MedContDate);
    EXPECT_EQ(screen->medSDate->Text(), "20070228");
    EXPECT_EQ(QApplication::focusWidget(), screen->MedContDate);

    screen->nedDeposit->SetValue(10000000);
    Enter(screen->nedDeposit);
    EXPECT_EQ(screen->firstDeposit->Value(), 1000000);
    EXPECT_EQ(screen->lastDeposit->Value(), 9000000);
    EXPECT_EQ(QApplication::focusWidget(), screen->nedTotMoney);
    EXPECT_EQ(Cell(TfrmNAI020::colDeposit), "10000000");
    EXPECT_EQ(Cell(TfrmNAI020::colFirstDeposit), "1000000");
    EXPECT_EQ(Cell(TfrmNAI020::colLastDeposit), "9000000");
    screen->firstDeposit->SetValue(3000000);
    EXPECT_EQ(screen->lastDeposit->Value(), 7000000);
    EXPECT_EQ(Cell(TfrmNAI020::colLastDeposit), "7000000");
    // A share that does not come out whole still adds up to the deposit.
    screen->nedDeposit->SetValue(10000005);
    Enter(screen->nedDeposit);
    EXPECT_EQ(screen->firstDeposit->Value() + screen->lastDeposit->Value(), 10000005);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(ContractRegisterTest, TerminationButtonSetsAndTakesBackTheDateAndTheSaveSendsIt)
{
    const TBusinessClock::TScoped today(QDate(2025, 6, 30));
    Search();
    ASSERT_EQ(Cell(TfrmNAI020::colContCode), "000001");
    EXPECT_EQ(screen->bbtCancelCheckIn->text(), "계약취소");
    screen->bbtCancelCheckIn->click();
    EXPECT_FALSE(screen->panContCancel->isHidden());
    EXPECT_EQ(screen->medContCanceldate->Text(), "20250630");
    EXPECT_EQ(Cell(TfrmNAI020::colCancelDate), "20250630");
    EXPECT_EQ(screen->bbtCancelCheckIn->text(), "해지취소");
    EXPECT_EQ(QApplication::focusWidget(), screen->moCancelReason);
    screen->bbtCancelCheckIn->click();
    EXPECT_EQ(screen->medContCanceldate->Text(), "");
    EXPECT_EQ(Cell(TfrmNAI020::colCancelDate), "");
    EXPECT_EQ(screen->bbtCancelCheckIn->text(), "계약취소");

    screen->bbtCancelCheckIn->click();
    TypeText(screen->moCancelReason, "폐업");
    screen->chkNextSave->setChecked(false);
    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    ASSERT_EQ(contractCalls.size(), 1u);
    EXPECT_EQ(contractCalls[0]["AEDITSTATUS"], "1");
    EXPECT_EQ(contractCalls[0]["ACONT_CODE"], "000001");
    EXPECT_EQ(contractCalls[0]["ACONT_CANCEL_DATE"], "20250630");
    EXPECT_EQ(contractCalls[0]["ACONT_CANCEL_REM"], "폐업");
    EXPECT_EQ(contractCalls[0]["AMINAP_CHK"], "N");
    EXPECT_EQ(contractCalls[0]["ACONT_DEPOSIT"], "20000000");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
}

TEST_F(ContractRegisterTest, NewContractSendsZerosForEmptyAmountsAndARefusalKeepsThePanel)
{
    Search();
    screen->bbtAddClick();
    EXPECT_EQ(QApplication::focusWidget(), screen->edt_CCode);
    EXPECT_EQ(screen->edt_CCode->text(), "");
    EXPECT_EQ(screen->nedDeposit->Value(), 0);
    EXPECT_EQ(screen->cmb_ManageYN->currentText(), "Y");
    EXPECT_TRUE(screen->panContCancel->isHidden());

    TypeText(screen->edt_CCode, "C002");
    EXPECT_EQ(screen->edt_CCodeName->text(), "스파푸드");
    EXPECT_EQ(Cell(TfrmNAI020::colCName), "스파푸드");
    TypeText(screen->edt_UpjangCode, "4006");
    EXPECT_EQ(Cell(TfrmNAI020::colShopName), "직영 카페");
    TypeDate(screen->MedContDate, "20260110");
    Enter(screen->MedContDate);
    screen->nedDeposit->SetValue(6000000);
    Enter(screen->nedDeposit);

    contractRefusal = "같은 업장에 계약기간이 겹치는 계약이 있습니다.";
    MessageBoxSeam::QueueAnswer(true);
    EXPECT_ANY_THROW(screen->bbtSaveClick());
    ASSERT_EQ(contractCalls.size(), 1u);
    const auto& call = contractCalls[0];
    EXPECT_EQ(call["AEDITSTATUS"], "2");
    EXPECT_EQ(call["ACONT_CODE"], "<null>");
    EXPECT_EQ(call["AC_CODE"], "C002");
    EXPECT_EQ(call["AC_NAME"], "스파푸드");
    EXPECT_EQ(call["ASHOP_CODE"], "4006");
    EXPECT_EQ(call["ACONT_START_DATE"], "20260210");
    EXPECT_EQ(call["ACONT_END_DATE"], "20270209");
    EXPECT_EQ(call["ACONT_DATE"], "20260110");
    EXPECT_EQ(call["ACONT_DEPOSIT"], "6000000");
    EXPECT_EQ(call["AFIRST_DEPOSIT"], "600000");
    EXPECT_EQ(call["ALAST_DEPOSIT"], "5400000");
    EXPECT_EQ(call["ACONT_LEASE_MONEY"], "0");
    EXPECT_EQ(call["ACONT_SIZE1"], "0");
    EXPECT_EQ(call["AMINAP_CHK"], "Y");
    EXPECT_EQ(call["AU_EMP_NO"], "10000001");
    EXPECT_EQ(MessageBoxSeam::Last().text,
              "자료를 저장하지 못했습니다.\r\r에러내용:\r같은 업장에 계약기간이 겹치는 계약이 있습니다.");
    EXPECT_EQ(screen->edt_CCode->text(), "C002"); // kept for another try
    EXPECT_EQ(screen->nedDeposit->Value(), 6000000);
    EXPECT_TRUE(screen->Modified);

    // Accepted: the list is read again and shows what the database holds.
    contractRefusal.clear();
    screen->edtShopType->setText("카페");
    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    ASSERT_EQ(contractCalls.size(), 2u);
    EXPECT_EQ(contractCalls[1]["ACONT_SHOP_TYPE"], "카페");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_FALSE(screen->Modified);
    EXPECT_EQ(screen->rgrGrid->RowCount(), 3); // the stub stores nothing
}

TEST_F(RecontractTest, ListsActiveContractsAYearOnAndAddsTheDepositByRate)
{
    {
        // A contract whose term has ended is not offered; the list shows the code.
        const TBusinessClock::TScoped later(QDate(2024, 3, 1));
        EXPECT_EQ(Search(2), QStringList({"000001"}));
        EXPECT_TRUE(screen->rgrGrid->Columns()->Items(TfrmNAI020::colContCode)->Visible());
    }
    const TBusinessClock::TScoped clock(QDate(2024, 1, 10));
    EXPECT_EQ(Search(2), QStringList({"000001", "000003"})); // the state list takes no part
    EXPECT_TRUE(screen->bbtCancelCheckIn->isHidden());
    EXPECT_FALSE(screen->edt_UpjangCode->isEnabled());
    EXPECT_FALSE(screen->bbt_UpjangCode->isEnabled());
    EXPECT_TRUE(screen->edt_CCode->isEnabled());
    EXPECT_EQ(screen->edt_CCode->text(), ""); // not loaded by the search
    GoTo("000003");
    EXPECT_EQ(Cell(TfrmNAI030::colRecontStartDate), "20240229"); // the leap day shifts it
    EXPECT_EQ(Cell(TfrmNAI030::colRecontEndDate), "20250228");
    EXPECT_EQ(Cell(TfrmNAI030::colRecontDate), "20240215");

    GoTo("000001");
    screen->bbt_InfoUpdate->click();
    EXPECT_EQ(screen->edt_CCode->text(), "C001");
    EXPECT_EQ(screen->edt_UpjangCodeName->text(), "본관 매점");
    EXPECT_EQ(screen->medSDate->Text(), "20260101");
    EXPECT_EQ(screen->medEDate->Text(), "20261231");
    EXPECT_EQ(screen->MedContDate->Text(), "20251215");
    EXPECT_EQ(screen->nedDeposit->Value(), 20000000);
    EXPECT_EQ(screen->firstDeposit->Value(), 0);
    EXPECT_EQ(screen->lastDeposit->Value(), 20000000);
    EXPECT_EQ(QApplication::focusWidget(), screen->edt_AddRate);

    screen->edt_AddRate->SetValue(10);
    EXPECT_EQ(screen->firstDeposit->Value(), 2000000);
    EXPECT_EQ(screen->lastDeposit->Value(), 22000000);
    // The list shows what the renewal stores: the additional deposit and the deposit held before.
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNAI020::colFirstDeposit, screen->rgrGrid->Row()).DisplayText(), "2,000,000");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNAI020::colLastDeposit, screen->rgrGrid->Row()).DisplayText(),
              "20,000,000");
    // An additional deposit typed in adds to the existing one as well.
    screen->firstDeposit->SetValue(1500000);
    EXPECT_EQ(screen->lastDeposit->Value(), 21500000);
    screen->edt_AddRate->SetValue(0);
    screen->edt_AddRate->SetValue(10);
    screen->nedTotMoney->SetValue(1100000);

    MessageBoxSeam::QueueAnswer(true);
    screen->bbtSaveClick();
    EXPECT_EQ(MessageBoxSeam::Shown().first().text, "저장 하시겠습니까?");
    ASSERT_EQ(contractCalls.size(), 1u);
    const QMap<QString, QString> expected = {
        {"ACONT_CODE", "000001"},        {"AC_CODE", "C001"},           {"AC_NAME", "<null>"},
        {"ASHOP_CODE", "4001"},          {"ASHOP_NAME", "<null>"},      {"ACONT_START_DATE", "20260101"},
        {"ACONT_END_DATE", "20261231"},  {"ACONT_CANCEL_DATE", "<null>"}, {"ACONT_DEPOSIT", "22000000"},
        {"ACONT_LEASE_MONEY", "1100000"}, {"ACONT_MANAGE_PAY", "300000"}, {"ACONT_SHOP_TYPE", "편의점"},
        {"ACONT_PENALTY", "500000"},     {"ACONT_DELAYRATE", "12"},     {"ACONT_SIZE1", "33.5"},
        {"ACONT_SIZE2", "30"},           {"ACONT_PERMIT", "일반음식점"},  {"ACONT_NO", "2024-001"},
        {"APERMIT_DATE", "20241220"},    {"ACONT_REMARK", "본관"},       {"ACONT_CANCEL_REM", "<null>"},
        {"AU_EMP_NO", "10000001"},       {"AU_IP", "10.1.2.3"},         {"ACONT_DATE", "20251215"},
        {"ABALANCE_DATE", "20250101"},   {"AFIRST_DEPOSIT", "2000000"}, {"ALAST_DEPOSIT", "20000000"},
        {"AEDITSTATUS", "4"},            {"AMINAP_CHK", "Y"},           {"ACONT_UPJANGNAME", "<null>"},
        {"AMANAGE_YN", "<null>"}};
    EXPECT_EQ(contractCalls[0], expected);
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_FALSE(screen->Modified);
    EXPECT_EQ(screen->lastDeposit->Value(), 0); // a second save cannot renew it again
}

TEST_F(RecontractTest, RowChangeEmptiesThePanelAndARefusedRenewalKeepsIt)
{
    const TBusinessClock::TScoped clock(QDate(2024, 1, 10));
    Search();
    screen->bbt_InfoUpdate->click();
    screen->edt_AddRate->SetValue(5);
    GoTo("000003");
    EXPECT_EQ(screen->edt_CCode->text(), "");
    EXPECT_EQ(screen->edt_AddRate->Value(), 0);
    EXPECT_EQ(screen->nedDeposit->Value(), 0);

    // Nothing taken into the panel: nothing is sent.
    EXPECT_THROW(screen->bbtSaveClick(), EAbort);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_TRUE(contractCalls.empty());

    screen->bbt_InfoUpdate->click();
    contractRefusal = "재계약 시작일은 기존 계약시작일 이후여야 합니다.";
    MessageBoxSeam::QueueAnswer(true);
    EXPECT_THROW(screen->bbtSaveClick(), EAbort); // shown once, then silent
    ASSERT_EQ(contractCalls.size(), 1u);
    EXPECT_EQ(contractCalls[0]["ACONT_DEPOSIT"], "0"); // no amounts at all
    EXPECT_EQ(MessageBoxSeam::Last().text,
              "자료를 저장하지 못했습니다.\r\r에러내용:\r재계약 시작일은 기존 계약시작일 이후여야 합니다.");
    EXPECT_EQ(screen->edt_CCode->text(), "C004");
    EXPECT_EQ(screen->medSDate->Text(), "20240229");
}
