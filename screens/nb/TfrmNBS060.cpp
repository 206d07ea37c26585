#include "screens/nb/TfrmNBS060.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/SpreadsheetExport.h"
#include "common/TDatabase.h"
#include "controls/TwColumn.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SaveInTransaction.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"
#include "screens/ni/TfrmNIH002.h"
#include "framework/TWaitCursor.h"

using namespace PanelEditors;
using ScreenGrid::AmountColumn;

namespace {
// The suspense account changed on 2018-05-23; the management code is 140.
QString VoucherSelect(const QString& account, const QString& dateCondition)
{
    return QStringLiteral(
               "SELECT SLIP_NO, SLIP_SEQ_NO, MG_CODE, SESSION_ID, (SELECT REF_DATA FROM VB011MS WHERE SLIP_NO = "
               "A.SLIP_NO AND SLIP_SEQ_NO = A.SLIP_SEQ_NO AND SESSION_ID = A.SESSION_ID ) AS SLIP_NAME, MG_DETAIL, "
               "TO_CHAR(TO_DATE(CONF_DATE),'YYYYMMDD'), D_AMOUNT, C_AMOUNT, (SELECT DECODE(SLIP_NO,NULL,NULL,'Y') "
               "FROM NB020MS WHERE SUBSTR(SLIP_CODE,1,8)=A.SLIP_NO AND SUBSTR(SLIP_CODE,9,2)=SLIP_SEQ_NO) AS IP_YN "
               "FROM VB011DT A WHERE CONF_DATE >= :SDATE AND CONF_DATE <= :EDATE AND ACCT_CODE IN ('")
        + account + QStringLiteral("') AND MG_CODE = 140 AND ") + dateCondition;
}

QString MonthSource()
{
    return QStringLiteral(
        "(SELECT AMT_CODE, SUM(NAPIP_AMT) AS NAPIP_AMT, 0 AS IPGUM_AMT, 0 AS THIS_MINAPAMT, 0 AS THIS_MINAPDEALYAMT "
        "FROM NB010MS A WHERE CONT_CODE = :CONT_CODE AND NAPIP_MONTH = SUBSTR(:NAPIP_MONTH,1,6) GROUP BY AMT_CODE "
        "UNION ALL SELECT AMT_CODE, 0 AS NAPIP_AMT, SUM(IPGUM_AMT) AS IPGUM_AMT, 0 AS THIS_MINAPAMT, "
        "0 AS THIS_MINAPDEALYAMT FROM NB020MS A WHERE CONT_CODE = :CONT_CODE AND "
        "IPGUM_DATE LIKE SUBSTR(:NAPIP_MONTH,1,6)||'%' GROUP BY AMT_CODE "
        "UNION ALL SELECT AMT_CODE, 0 AS NAPIP_AMT, 0 AS IPGUM_AMT, SUM(THIS_MINAPAMT) AS THIS_MINAPAMT, "
        "SUM(THIS_MINAPDEALYAMT) AS THIS_MINAPDEALYAMT FROM NB030MS A WHERE CONT_CODE = :CONT_CODE AND "
        "NAPIP_MONTH = TO_CHAR(ADD_MONTHS(TO_DATE(:NAPIP_MONTH),-1),'YYYYMM') GROUP BY AMT_CODE) A");
}

QString MonthStatement()
{
    const QString sums = QStringLiteral(
        "SUM(NAPIP_AMT) AS NAPIP_AMT, SUM(THIS_MINAPAMT) AS THIS_MINAPAMT, SUM(THIS_MINAPDEALYAMT) AS "
        "THIS_MINAPDEALYAMT, SUM(NAPIP_AMT) + SUM(THIS_MINAPAMT) + SUM(THIS_MINAPDEALYAMT) AS TOT_NAPIP_AMT, "
        "SUM(IPGUM_AMT) AS IPGUM_AMT, SUM(NAPIP_AMT) + SUM(THIS_MINAPAMT) + SUM(THIS_MINAPDEALYAMT) - "
        "SUM(IPGUM_AMT) AS REMAIN_AMT");
    return QStringLiteral("SELECT AMT_CODE, AMT_CODENAME, NAPIP_AMT, THIS_MINAPAMT, THIS_MINAPDEALYAMT, "
                          "TOT_NAPIP_AMT, IPGUM_AMT, REMAIN_AMT FROM (SELECT AMT_CODE, (SELECT DETAIL_NAME FROM "
                          "ZX010MS WHERE HEAD = 'NA003' AND DETAIL = A.AMT_CODE) AS AMT_CODENAME, ")
        + sums + QStringLiteral(" FROM ") + MonthSource()
        + QStringLiteral(" GROUP BY AMT_CODE UNION ALL SELECT 'T' AS AMT_CODE, '합   계' AS AMT_CODENAME, ") + sums
        + QStringLiteral(" FROM ") + MonthSource() + QStringLiteral(")");
}



} // namespace

TfrmNBS060::TfrmNBS060(QWidget* parent) : TfrmZZI070(parent), qryMonthIpgum(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNBS060"));
    AddQuery(qryMonthIpgum);
    qryQuery.SQL() << VoucherSelect(QStringLiteral("2111300"), QStringLiteral("CONF_DATE <= '20180523'"))
                          + QStringLiteral(" UNION ALL ")
                          + VoucherSelect(QStringLiteral("2111310"), QStringLiteral("CONF_DATE > '20180523'"));
    qryMonthIpgum.SQL() << MonthStatement();
    prcProc.SetProcedureName(QStringLiteral("PR_NBI010_01"));
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    resize(1100, 720);
    BuildSearchBar();
    BuildDetail();
    CreateForm();
}

void TfrmNBS060::FormCreate()
{
    TfrmZZI070::FormCreate();
    const QString today = TodayText();
    medSDate->SetText(today.left(6) + QStringLiteral("01"));
    medEDate->SetText(today);
    medMonth->SetText(today.left(6));
}

void TfrmNBS060::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("조회기간")));
    medSDate = DateBox(QStringLiteral("medSDate"), nullptr);
    AddSearchControl(medSDate);
    AddSearchControl(new QLabel(QStringLiteral("~")));
    medEDate = DateBox(QStringLiteral("medEDate"), nullptr);
    AddSearchControl(medEDate);
    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), 75, 35);
    AddButton(bbtExcel, bbtClose);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
}

void TfrmNBS060::BuildDetail()
{
    using ScreenGrid::AddReadOnlyColumn;
    Panel1->setFixedWidth(620);
    ScreenGrid::MakeListGrid(rgrGrid);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("전표번호"), 16, 75, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("순번"), 16, 29, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("관리코드"), 16, 55)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("회기"), 16, 41)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("전표명"), 30, 125);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("입금자명"), 30, 95);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("확정일자"), 16, 64, Qt::AlignHCenter);
    AmountColumn(rgrGrid, QStringLiteral("차변금액"), 64);
    AmountColumn(rgrGrid, QStringLiteral("대변금액"), 72);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("입금여부"), 16, 32, Qt::AlignHCenter);
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { rgrGridDblClick(); }); };

    auto* pane = new QVBoxLayout(Panel2);
    pane->setContentsMargins(6, 4, 6, 4);
    auto* top = new QHBoxLayout();
    top->addWidget(Caption(QStringLiteral("납입년월"), Panel2));
    const TMonthLine month = MonthLine(Panel2);
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    top->addLayout(month.row);
    top->addSpacing(8);
    top->addWidget(Caption(QStringLiteral("계약코드"), Panel2));
    edt_ContCode = Edit(QStringLiteral("edt_ContCode"), Panel2, 6);
    edt_ContCode->setFixedWidth(70);
    top->addWidget(edt_ContCode);
    bbt_ContCode = LookupButton(QStringLiteral("bbt_ContCode"), Panel2);
    top->addWidget(bbt_ContCode);
    edt_UpjangCode = NameBox(QStringLiteral("edt_UpjangCode"), Panel2);
    edt_UpjangCode->setFixedWidth(50);
    top->addWidget(edt_UpjangCode);
    edt_UpjangName = NameBox(QStringLiteral("edt_UpjangName"), Panel2);
    top->addWidget(edt_UpjangName, 1);
    pane->addLayout(top);
    ConnectButton(bbt_ContCode, [this] { bbt_ContCodeClick(); });
    connect(edt_ContCode, &QLineEdit::textChanged, this, [this](const QString& code) {
        if (code.size() == 6)
            RunCommand([this] { LoadMonthIpgum(); });
    });

    rgrMonthIpgum = ScreenGrid::MonthStatusGrid(Panel2, rgrGrid->font());
    rgrMonthIpgum->OnDblClick = [this](QObject*) { RunCommand([this] { rgrMonthIpgumDblClick(); }); };
    pane->addWidget(rgrMonthIpgum);

    panTitle = new QLabel(Panel2);
    panTitle->setObjectName(QStringLiteral("panTitle"));
    panTitle->setFixedHeight(24);
    panTitle->setStyleSheet(QStringLiteral("QLabel { background: #1f3f7f; color: white; font-weight: bold; "
                                           "padding-left: 6px; }"));
    pane->addWidget(panTitle);

    auto* entry = new QGroupBox(Panel2);
    auto* form = new QGridLayout(entry);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int line = 0;
    auto add = [&](const QString& caption, QWidget* editor) {
        form->addWidget(Caption(caption, entry), line, 0);
        form->addWidget(editor, line++, 1, Qt::AlignLeft);
    };
    auto amount = [&](const QString& name) {
        TwNumEdit* box = AmountBox(name, entry);
        box->setFixedWidth(110);
        return box;
    };
    edtSlipCode = Edit(QStringLiteral("edtSlipCode"), entry, 10);
    edtSlipCode->setFixedWidth(110);
    edt_IpgumDate = DateBox(QStringLiteral("edt_IpgumDate"), entry);
    auto* fixed = new QWidget(entry);
    fixed->setEnabled(false);
    auto* fixedRow = new QHBoxLayout(fixed);
    fixedRow->setContentsMargins(0, 0, 0, 0);
    edt_NapipCode = Edit(QStringLiteral("edt_NapipCode"), fixed);
    edt_NapipCode->setFixedWidth(50);
    fixedRow->addWidget(edt_NapipCode);
    edt_IpgumAmt = amount(QStringLiteral("edt_IpgumAmt"));
    edt_RentAmt = amount(QStringLiteral("edt_RentAmt"));
    edt_ManagementAmt = amount(QStringLiteral("edt_ManagementAmt"));
    edt_BojungAmt = amount(QStringLiteral("edt_BojungAmt"));
    for (TwNumEdit* box : {edt_RentAmt, edt_ManagementAmt, edt_BojungAmt}) {
        box->SetReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        SetMoneyGreen(box);
    }
    moRemark = Edit(QStringLiteral("moRemark"), entry, 100);
    moRemark->setMinimumWidth(300);
    add(QStringLiteral("전표 번호"), edtSlipCode);
    add(QStringLiteral("입금 일자"), edt_IpgumDate);
    add(QStringLiteral("납입 코드"), fixed);
    add(QStringLiteral("입금 금액"), edt_IpgumAmt);
    add(QStringLiteral("임  대  료"), edt_RentAmt);
    add(QStringLiteral("관  리  비"), edt_ManagementAmt);
    add(QStringLiteral("보  증  금"), edt_BojungAmt);
    add(QStringLiteral("비       고"), moRemark);
    bbt_DeatilSave = new QPushButton(QStringLiteral("입금 처리"), entry);
    bbt_DeatilSave->setObjectName(QStringLiteral("bbt_DeatilSave"));
    bbt_DeatilSave->setFixedHeight(30);
    form->addWidget(bbt_DeatilSave, line, 1, Qt::AlignLeft);
    form->setColumnStretch(2, 1);
    ConnectButton(bbt_DeatilSave, [this] { bbt_DeatilSaveClick(); });
    pane->addWidget(entry);
    pane->addStretch(1);
}

void TfrmNBS060::bbtSearchClick()
{
    qryQuery.ParamByName(QStringLiteral("SDATE")).SetAsString(medSDate->Text());
    qryQuery.ParamByName(QStringLiteral("EDATE")).SetAsString(medEDate->Text());
    TfrmZZI070::bbtSearchClick();
}

bool TfrmNBS060::CallProc(const QString& gubun)
{
    SetStatusText(QString()); // an earlier success is no longer true of this save
    const bool saved = SaveInTransaction(prcProc.Database(), [&] {
        auto param = [this](const char* name, const QString& value) {
            prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
        };
        param("AGUBUN", gubun);
        param("ACONT_CODE", edt_ContCode->text());
        param("AAMT_CODE", edt_NapipCode->text());
        param("ANAPIP_MONTH", medMonth->Text());
        param("ANAPIP_DATE", QString());
        param("ASLIP_CODE", edtSlipCode->text());
        param("AIPGUM_DATE", edt_IpgumDate->Text());
        param("AIPGUM_AMT", AmountText(edt_IpgumAmt->Value()));
        param("AREMARKS", moRemark->text());
        param("AU_EMP_NO", SessionContext::EmpNo());
        param("AU_IP", SessionContext::ClientIP());
        prcProc.ExecProc();
    });
    if (!saved)
        return false;
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
    return true;
}

void TfrmNBS060::rgrGridDblClick()
{
    const int row = rgrGrid->Row();
    if (rgrGrid->RowCount() == 0 || row < 0)
        return;
    const QString slip = rgrGrid->Cells(colSlipNo, row).AsString() + rgrGrid->Cells(colSlipSeq, row).AsString();
    if (rgrGrid->Cells(colIpYn, row).AsString() != QLatin1String("Y")) {
        edtSlipCode->setText(slip);
        edt_IpgumAmt->SetValue(CellAmount(rgrGrid->Cells(colCAmount, row).AsString()));
        edt_IpgumDate->SetText(DayInMonthText(medMonth->Text()));
        bbt_ContCodeClick();
        return;
    }
    if (!AskYesNo(QStringLiteral("이미 입금처리가 완료된 전표입니다. 입금처리를 취소하시겠습니까?")))
        return;
    edtSlipCode->setText(slip);
    const bool done = CallProc(QStringLiteral("D"));
    ClearIpgumInput();
    LoadMonthIpgum();
    // Only a cancellation that went through frees the line.
    if (!done)
        Abort();
    rgrGrid->Cells(colIpYn, row).SetAsString(QString());
    rgrGrid->ClearRowStates(false);
}

void TfrmNBS060::bbt_ContCodeClick()
{
    TfrmNIH002 dialog;
    dialog.ShowModal();
    if (dialog.PickedContractCode().isEmpty())
        return;
    edt_UpjangCode->setText(dialog.PickedSiteCode());
    edt_UpjangName->setText(dialog.PickedSiteName());
    edt_ContCode->setText(dialog.PickedContractCode());
}

void TfrmNBS060::LoadMonthIpgum()
{
    rgrMonthIpgum->Clear();
    if (rgrGrid->RowCount() > 0) {
        qryMonthIpgum.Close();
        qryMonthIpgum.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(edt_ContCode->text());
        qryMonthIpgum.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(medMonth->Text() + QStringLiteral("01"));
        qryMonthIpgum.Open();
        rgrMonthIpgum->BeginUpdate();
        const auto done = qScopeGuard([this] { rgrMonthIpgum->EndUpdate(true); });
        for (int row = 0; !qryMonthIpgum.Eof(); qryMonthIpgum.Next(), ++row) {
            rgrMonthIpgum->AppendRow(true, false, false);
            for (int f = 0; f <= colRemainAmt; ++f)
                rgrMonthIpgum->Cells(f, row).SetAsString(qryMonthIpgum.Fields(f).AsString());
        }
        rgrMonthIpgum->ClearRowStates(false);
        qryMonthIpgum.Close();
    }
    panTitle->setText(edt_UpjangName->text());
}

void TfrmNBS060::rgrMonthIpgumDblClick()
{
    const int row = rgrMonthIpgum->Row();
    if (rgrMonthIpgum->RowCount() == 0 || row < 0)
        return;
    for (TwNumEdit* box : {edt_ManagementAmt, edt_BojungAmt, edt_RentAmt})
        box->SetValue(0);
    if (edt_IpgumDate->Text().trimmed().isEmpty())
        edt_IpgumDate->SetText(DayInMonthText(medMonth->Text()));
    if (CellAmount(rgrMonthIpgum->Cells(colRemainAmt, row).AsString()) == 0) {
        ShowError(QStringLiteral("입금할 금액이 없습니다. 확인하세요"));
        return;
    }
    const QString code = rgrMonthIpgum->Cells(colAmtCode, row).AsString();
    QString title = edt_UpjangName->text() + QStringLiteral(" ");
    if (code == QLatin1String("01"))
        title += QStringLiteral(" 보증금 입금");
    else if (code == QLatin1String("02"))
        title += QStringLiteral(" 임대료 입금");
    else if (code == QLatin1String("03"))
        title += QStringLiteral(" 관리비 입금");
    panTitle->setText(title);
    edt_NapipCode->setText(code);
    if (code == QLatin1String("01"))
        edt_BojungAmt->SetValue(edt_IpgumAmt->Value());
    else if (code == QLatin1String("02"))
        edt_RentAmt->SetValue(edt_IpgumAmt->Value());
    else if (code == QLatin1String("03"))
        edt_ManagementAmt->SetValue(edt_IpgumAmt->Value());
    edt_IpgumAmt->setFocus();
}

void TfrmNBS060::bbt_DeatilSaveClick()
{
    if (!AskYesNo(QStringLiteral("입금 처리 하시겠습니까?")))
        return;
    const int row = rgrGrid->Row();
    // A refused booking leaves the voucher line free and keeps all that was
    // entered for another try.
    if (!CallProc(QStringLiteral("I")))
        Abort();
    ClearIpgumInput();
    LoadMonthIpgum();
    if (row >= 0 && row < rgrGrid->RowCount()) {
        rgrGrid->Cells(colIpYn, row).SetAsString(QStringLiteral("Y"));
        rgrGrid->ClearRowStates(false);
    }
}

void TfrmNBS060::ClearIpgumInput()
{
    edt_IpgumDate->SetText(QString());
    for (TwNumEdit* box : {edt_ManagementAmt, edt_IpgumAmt, edt_RentAmt, edt_BojungAmt})
        box->SetValue(0);
    edtSlipCode->clear();
    moRemark->clear();
    rgrMonthIpgum->Clear();
    panTitle->clear();
    edt_NapipCode->clear();
    edt_ContCode->clear();
    edt_UpjangCode->clear();
    edt_UpjangName->clear();
}

void TfrmNBS060::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    ClearIpgumInput();
}

void TfrmNBS060::bbtExcelClick()
{
    CheckAvailable(bbtExcel);
    bbtExcel->setFocus();
    ScreenGrid::SaveGridAndOffer(*rgrGrid, windowTitle(), QStringLiteral("NBS060"));
}
