#include "screens/na/TfrmNAI030.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <cmath>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"

using namespace PanelEditors;

TfrmNAI030::TfrmNAI030(QWidget* parent) : TfrmNAI020(true, parent)
{
    edt_AddRate = m_addRate;
    bbt_InfoUpdate = new QToolButton(Panel1);
    bbt_InfoUpdate->setObjectName(QStringLiteral("bbt_InfoUpdate"));
    bbt_InfoUpdate->setText(QStringLiteral("임대 재계약"));
    bbt_InfoUpdate->setToolTip(QStringLiteral("Point Conversion"));
    bbt_InfoUpdate->setAutoRaise(true);
    bbt_InfoUpdate->setFixedHeight(30);
    bbt_InfoUpdate->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bbt_InfoUpdate->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont bold = bbt_InfoUpdate->font();
    bold.setBold(true);
    bbt_InfoUpdate->setFont(bold);
    m_form->addWidget(bbt_InfoUpdate, m_formLine++, 0, 1, 2);
    ConnectButton(bbt_InfoUpdate, [this] { bbt_InfoUpdateClick(); });
    rgrGrid->OnRowChange = [this](QObject*) { RunCommand([this] { ForgetPanel(); }); };
    CreateForm();
}

void TfrmNAI030::ForgetPanel()
{
    ClearPanel();
    m_panelLoaded = false;
    ShowTerms();
}

void TfrmNAI030::bbtSearchClick()
{
    qryQuery.ParamByName(QStringLiteral("SHOP_NAME"))
        .SetAsString(edtFindName->text().isEmpty() ? QString()
                                                   : QStringLiteral("%") + edtFindName->text() + QStringLiteral("%"));
    qryQuery.ParamByName(QStringLiteral("TODAY")).SetAsString(TodayText());
    TfrmZZI070::bbtSearchClick();
    ForgetPanel();
}

void TfrmNAI030::bbt_InfoUpdateClick()
{
    if (rgrGrid->RowCount() == 0)
        return;
    {
        const QScopedValueRollback<bool> loading(m_loadingPanel, true);
        const int row = rgrGrid->Row();
        auto cell = [&](int column) { return rgrGrid->Cells(column, row).AsString(); };
        edt_CCode->setText(cell(colCCode));
        edt_CCodeName->setText(cell(colCName));
        edt_UpjangCode->setText(cell(colShopCode));
        edt_UpjangCodeName->setText(cell(colShopName));
        medSDate->SetText(cell(colRecontStartDate));
        medEDate->SetText(cell(colRecontEndDate));
        LoadAmount(nedDeposit, colDeposit, row);
        LoadAmount(nedTotMoney, colLeaseMoney, row);
        LoadAmount(nedMagMoney, colManagePay, row);
        LoadAmount(nedDelayRate, colDelayRate, row);
        nedAllSize->setText(cell(colSize1));
        nedContSize->setText(cell(colSize2));
        edtPermit->setText(cell(colPermit));
        edtPermitNo->setText(cell(colContNo));
        medPDate->SetText(cell(colPermitDate));
        edtShopType->setText(cell(colShopType));
        moRemark->setPlainText(cell(colRemark));
        medContCanceldate->SetText(cell(colCancelDate));
        moCancelReason->setPlainText(cell(colCancelRem));
        MedContDate->SetText(cell(colRecontDate));
        MedBalDate->SetText(cell(colBalanceDate));
        lastDeposit->SetValue(firstDeposit->Value() + nedDeposit->Value());
    }
    m_panelLoaded = true;
    edt_AddRate->setFocus();
}

void TfrmNAI030::UpdateTotal()
{
    {
        const QScopedValueRollback<bool> loading(m_loadingPanel, true);
        lastDeposit->SetValue(nedDeposit->Value() + firstDeposit->Value());
    }
    // The list shows what the renewal stores: the additional deposit and the
    // deposit held before it.
    WriteCell(colFirstDeposit, AmountText(firstDeposit->Value()));
    WriteCell(colLastDeposit, AmountText(nedDeposit->Value()));
}

void TfrmNAI030::ApplyRate()
{
    {
        const QScopedValueRollback<bool> loading(m_loadingPanel, true);
        firstDeposit->SetValue(edt_AddRate->Value() / 100 * nedDeposit->Value());
    }
    UpdateTotal();
}

void TfrmNAI030::edt_CCodeChange(QObject* Sender)
{
    if (m_loadingPanel)
        return;
    // The partner and the shop of a renewal stay those of the contract.
    if (Sender == edt_CCode) {
        EditRow();
        RefreshPartnerName(false);
    } else if (Sender == edt_UpjangCode) {
        EditRow();
        RefreshSiteName(false);
    } else if (Sender == edt_AddRate) {
        if (EditRow() >= 0)
            ApplyRate();
    } else if (Sender == firstDeposit) {
        // Typed in by hand, the additional deposit adds to the existing one too.
        if (EditRow() >= 0)
            UpdateTotal();
    } else if (Sender == lastDeposit) {
        // The total is computed, never typed.
    } else {
        TfrmNAI020::edt_CCodeChange(Sender);
        if (Sender == nedDeposit && EditRow() >= 0)
            UpdateTotal();
    }
}

// Enter on the deposit takes the additional deposit from the rate: the
// contract screen's split into 10 % and 90 % would shrink the deposit total.
bool TfrmNAI030::nedDepositKeyPress(QWidget* Sender)
{
    if (Sender != nedDeposit)
        return TfrmNAI020::nedDepositKeyPress(Sender);
    if (EditRow() >= 0) {
        ApplyRate();
        WriteCell(colLeaseMoney, AmountText(nedTotMoney->Value()));
        WriteCell(colManagePay, AmountText(nedMagMoney->Value()));
        WriteCell(colDelayRate, AmountText(nedDelayRate->Value()));
    }
    nedTotMoney->setFocus();
    return true;
}

void TfrmNAI030::bbtAddClick()
{
    TfrmZZI070::bbtAddClick();
    ForgetPanel();
    edt_CCode->setFocus();
}

void TfrmNAI030::bbtCancelClick()
{
    TfrmNAI020::bbtCancelClick();
    m_panelLoaded = false;
}

void TfrmNAI030::BindRenewal(int row)
{
    for (TParam& param : prcProc.Params())
        param.Clear();
    auto set = [this](const char* name, const QString& value) {
        prcProc.ParamByName(QLatin1String(name)).SetAsString(value);
    };
    auto cell = [&](int column) { return rgrGrid->Cells(column, row).AsString(); };
    auto amount = [](const TwNumEdit* box) { return AmountText(box->Value()); };
    set("ACONT_CODE", cell(colContCode));
    set("AC_CODE", edt_CCode->text());
    set("ASHOP_CODE", cell(colShopCode));
    set("ACONT_START_DATE", medSDate->Text());
    set("ACONT_END_DATE", medEDate->Text());
    set("ACONT_CANCEL_DATE", QString());
    set("ACONT_DEPOSIT", amount(lastDeposit));
    set("ACONT_LEASE_MONEY", amount(nedTotMoney));
    set("ACONT_MANAGE_PAY", amount(nedMagMoney));
    set("ACONT_SHOP_TYPE", cell(colShopType));
    set("ACONT_PENALTY", cell(colPenalty));
    set("ACONT_DELAYRATE", amount(nedDelayRate));
    set("ACONT_SIZE1", nedAllSize->text());
    set("ACONT_SIZE2", nedContSize->text());
    set("ACONT_PERMIT", cell(colPermit));
    set("ACONT_NO", cell(colContNo));
    set("APERMIT_DATE", cell(colPermitDate));
    set("ACONT_REMARK", moRemark->toPlainText());
    set("ACONT_DATE", MedContDate->Text());
    set("ABALANCE_DATE", MedBalDate->Text());
    set("AFIRST_DEPOSIT", amount(firstDeposit));
    // The balance of a renewed contract is the deposit held before it: the
    // total less the additional deposit, as the server stores it.
    set("ALAST_DEPOSIT", AmountText(lastDeposit->Value() - firstDeposit->Value()));
    set("AU_EMP_NO", SessionContext::EmpNo());
    set("AU_IP", SessionContext::ClientIP());
    set("AEDITSTATUS", QStringLiteral("4"));
    set("AMINAP_CHK", chkNextSave->isChecked() ? QStringLiteral("Y") : QStringLiteral("N"));
}

void TfrmNAI030::bbtSaveClick()
{
    CheckAvailable(bbtSave);
    // Without a contract taken into the panel a renewal would go out empty.
    if (rgrGrid->RowCount() == 0 || !m_panelLoaded) {
        ShowError(QStringLiteral("재계약할 계약을 고른 뒤 '임대 재계약'을 누르십시오."));
        Abort();
    }
    if (!AskYesNo(QStringLiteral("저장 하시겠습니까?")))
        Abort();
    const int row = rgrGrid->Row();
    const QString code = rgrGrid->Cells(colContCode, row).AsString();
    TDatabase& database = prcProc.Database();
    if (!database.Connected())
        database.Open();
    if (!database.InTransaction())
        database.StartTransaction(int(effectiveWinId() & 0x7FFFFFFF));
    try {
        BindRenewal(row);
        prcProc.ExecProc();
        database.Commit();
    } catch (const std::exception& e) {
        database.Rollback();
        // The panel keeps its values for another try.
        ShowError(QStringLiteral("자료를 저장하지 못했습니다.\r\r에러내용:\r") + ErrorText(e));
        Abort();
    }
    Modified = false;
    // The list shows the renewed contract a year on again; saving twice
    // would renew it twice.
    TfrmZZI070::bbtCancelClick();
    bbtSearchClick();
    for (int r = 0; r < rgrGrid->RowCount(); ++r)
        if (rgrGrid->Cells(colContCode, r).AsString() == code) {
            rgrGrid->SetRow(r);
            break;
        }
    ForgetPanel();
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
}
