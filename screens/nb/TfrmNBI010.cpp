#include "screens/nb/TfrmNBI010.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
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
#include "framework/TWaitCursor.h"

using namespace PanelEditors;
using ScreenGrid::AmountColumn;

namespace {
const char* const ContractStatement =
    "SELECT CONT_CODE, C_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, SHOP_CODE, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, CONT_START_DATE, "
    "CONT_END_DATE FROM NA020MS A WHERE (C_CODE = :C_CODE OR :C_CODE IS NULL) AND "
    "(SHOP_CODE = :SHOP_CODE OR :SHOP_CODE IS NULL) AND MINAP_CHK = 'Y' ORDER BY SHOP_CODE";
const char* const DefaultMonthStatement =
    "SELECT NVL(TO_CHAR(ADD_MONTHS(TO_DATE(MAX(NAPIP_MONTH)||'01'),1),'YYYYMM'),TO_CHAR(SYSDATE,'YYYYMMDD')) "
    "AS NAPIP_MONTH FROM NB030MS A";
const char* const DelayRefreshStatement =
    "UPDATE nb030ms A SET THIS_MONTHDELAYAMT = TRUNC((THIS_MINAPAMT*(SELECT DELAY_RATE/100 FROM NB010MS "
    "WHERE CONT_CODE = A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_MONTH = A.NAPIP_MONTH))*"
    "(TO_NUMBER(TO_CHAR(sysdate-1,'DD'))/365),-1) where (CONT_CODE = :CONT_CODE OR :CONT_CODE IS NULL) and "
    "NAPIP_MONTH = TO_CHAR(ADD_MONTHS(SYSDATE,-1),'YYYYMM') and THIS_MINAPAMT > 0";
const char* const SiteNameStatement = "SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = :SHOP_CODE";
const char* const HistoryStatement =
    "select cont_code, amt_code, napip_month, napip_date, napip_gubun, ipgum_date, ipgum_seq, ipgum_amt, remarks, "
    "u_sys_date from nb020ms where cont_code = :cont_code order by ipgum_date desc";

// Schedule, receipts dated in the month and the previous month's closing.
QString MonthSource()
{
    return QStringLiteral(
        "(SELECT AMT_CODE, SUM(NAPIP_AMT) AS NAPIP_AMT, 0 AS IPGUM_AMT, 0 AS THIS_MINAPAMT, 0 AS THIS_MINAPDEALYAMT, "
        "0 AS THIS_MONTHDELAYAMT FROM NB010MS A WHERE CONT_CODE = :CONT_CODE AND NAPIP_MONTH = "
        "SUBSTR(:NAPIP_MONTH,1,6) GROUP BY AMT_CODE "
        "UNION ALL SELECT AMT_CODE, 0 AS NAPIP_AMT, SUM(IPGUM_AMT) AS IPGUM_AMT, 0 AS THIS_MINAPAMT, "
        "0 AS THIS_MINAPDEALYAMT, 0 AS THIS_MONTHDELAYAMT FROM NB020MS A WHERE CONT_CODE = :CONT_CODE AND "
        "IPGUM_DATE LIKE SUBSTR(:NAPIP_MONTH,1,6)||'%' GROUP BY AMT_CODE "
        "UNION ALL SELECT AMT_CODE, 0 AS NAPIP_AMT, 0 AS IPGUM_AMT, SUM(THIS_MINAPAMT) AS THIS_MINAPAMT, "
        "SUM(THIS_MINAPDEALYAMT) AS THIS_MINAPDEALYAMT, SUM(THIS_MONTHDELAYAMT) AS THIS_MONTHDELAYAMT FROM NB030MS A "
        "WHERE CONT_CODE = :CONT_CODE AND NAPIP_MONTH = TO_CHAR(ADD_MONTHS(TO_DATE(:NAPIP_MONTH),-1),'YYYYMM') "
        "GROUP BY AMT_CODE) A");
}

QString MonthStatement()
{
    const QString sums = QStringLiteral(
        "NVL(SUM(THIS_MINAPAMT),0) AS THIS_MINAPAMT, NVL(SUM(THIS_MINAPDEALYAMT),0) AS THIS_MINAPDEALYAMT, "
        "NVL(SUM(NAPIP_AMT),0) + NVL(SUM(THIS_MINAPAMT),0) + NVL(SUM(THIS_MINAPDEALYAMT),0) AS TOT_NAPIP_AMT, "
        "NVL(SUM(IPGUM_AMT),0) AS IPGUM_AMT, NVL(SUM(NAPIP_AMT),0) + NVL(SUM(THIS_MINAPAMT),0) + "
        "NVL(SUM(THIS_MINAPDEALYAMT),0) - NVL(SUM(IPGUM_AMT),0) AS REMAIN_AMT, "
        "NVL(SUM(THIS_MONTHDELAYAMT),0) AS THIS_MONTHDELAYAMT");
    return QStringLiteral("SELECT AMT_CODE, AMT_CODENAME, NAPIP_AMT, THIS_MINAPAMT, THIS_MINAPDEALYAMT, "
                          "TOT_NAPIP_AMT, IPGUM_AMT, REMAIN_AMT, THIS_MONTHDELAYAMT FROM (")
        + QStringLiteral("SELECT AMT_CODE, (SELECT DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA003' AND DETAIL = "
                         "A.AMT_CODE) AS AMT_CODENAME, NVL(SUM(NAPIP_AMT),0) AS NAPIP_AMT, ")
        + sums + QStringLiteral(" FROM ") + MonthSource() + QStringLiteral(" GROUP BY AMT_CODE UNION ALL ")
        + QStringLiteral("SELECT 'T' AS AMT_CODE, '합   계' AS AMT_CODENAME, SUM(NAPIP_AMT) AS NAPIP_AMT, ") + sums
        + QStringLiteral(" FROM ") + MonthSource() + QStringLiteral(")");
}

const QColor GradientInactiveCaption(215, 228, 242);
constexpr int ContractPaneWidth = 441;

} // namespace

TfrmNBI010::TfrmNBI010(QWidget* parent)
    : TfrmZZI070(parent), qryMonthIpgum(SharedConnection::Database()),
      qryIpgumProcess(SharedConnection::Database()), prcDelete(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNBI010"));
    AddQuery(qryMonthIpgum);
    AddQuery(qryIpgumProcess);
    qryQuery.SQL() << QString::fromUtf8(ContractStatement);
    qryMonthIpgum.SQL() << MonthStatement();
    qryIpgumProcess.SQL() << QString::fromUtf8(HistoryStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NBI010_01"));
    prcDelete.SetProcedureName(QStringLiteral("PR_NBI010_02"));
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    resize(1100, 720);
    BuildSearchBar();
    BuildDetail();
    CreateForm();
}

void TfrmNBI010::FormCreate()
{
    TfrmZZI070::FormCreate();
    qryTemp.Close();
    qryTemp.SQL().clear();
    qryTemp.SQL() << QString::fromUtf8(DefaultMonthStatement);
    qryTemp.Open();
    const QString month = qryTemp.Eof() ? QString() : qryTemp.Fields(0).AsString();
    qryTemp.Close();
    medMonth->SetText(month.left(6));
}

void TfrmNBI010::BuildSearchBar()
{
    const TAddControl add = [this](QWidget* control) { AddSearchControl(control); };
    const TMonthLine month = SearchMonth(QStringLiteral("납입년월"), add);
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    const TSearchCode site = SearchCode(QStringLiteral("업장코드"), QStringLiteral("UpjangCode"), 6, 70, 120, add);
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    const TSearchCode partner = SearchCode(QStringLiteral("거래처"), QStringLiteral("CCode"), 10, 80, 120, add);
    edt_CCode = partner.code;
    bbt_CCode = partner.button;
    edt_CCodeName = partner.name;

    ConnectButton(bbt_CCode, [this] { bbt_CCodeClick(); });
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    connect(edt_UpjangCode, &QLineEdit::textChanged, this, [this](const QString& code) {
        RunCommand([&] {
            edt_UpjangCodeName->setText(
                CodeName(qryTemp, QString::fromUtf8(SiteNameStatement), QStringLiteral("SHOP_CODE"), code));
        });
    });

    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), 75, 35);
    AddButton(bbtExcel, bbtClose);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
}

void TfrmNBI010::BuildDetail()
{
    using ScreenGrid::AddReadOnlyColumn;
    Panel1->setFixedWidth(ContractPaneWidth);
    ScreenGrid::MakeListGrid(rgrGrid);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 16, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처코드"), 16, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처명"), 16, 108);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 16, 56, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장명"), 16, 100);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약시작"), 16, 67, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약종료"), 16, 67, Qt::AlignHCenter);
    rgrGrid->OnRowChange = [this](QObject*) { RunCommand([this] { rgrGridRowChange(); }); };

    auto* pane = new QVBoxLayout(Panel2);
    pane->setContentsMargins(6, 4, 6, 4);

    rgrMonthIpgum = ScreenGrid::MonthStatusGrid(Panel2, rgrGrid->font());
    AmountColumn(rgrMonthIpgum, QStringLiteral("당월일별연체료"), 93);
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
    // Contract and amount code come from the grids, never typed.
    auto* fixed = new QWidget(entry);
    fixed->setEnabled(false);
    auto* fixedRow = new QHBoxLayout(fixed);
    fixedRow->setContentsMargins(0, 0, 0, 0);
    edtContCodeView = Edit(QStringLiteral("edtContCodeView"), fixed);
    edtContCodeView->setFixedWidth(90);
    edt_NapipCode = Edit(QStringLiteral("edt_NapipCode"), fixed);
    edt_NapipCode->setFixedWidth(50);
    fixedRow->addWidget(Caption(QStringLiteral("계약 코드"), fixed));
    fixedRow->addWidget(edtContCodeView);
    fixedRow->addSpacing(12);
    fixedRow->addWidget(Caption(QStringLiteral("납입 코드"), fixed));
    fixedRow->addWidget(edt_NapipCode);
    fixedRow->addStretch(1);
    form->addWidget(fixed, 0, 0, 1, 4);

    auto amount = [&](const QString& name) {
        TwNumEdit* box = AmountBox(name, entry);
        box->setFixedWidth(110);
        return box;
    };
    edt_NapipAmt = amount(QStringLiteral("edt_NapipAmt"));
    edt_RentAmt = amount(QStringLiteral("edt_RentAmt"));
    edt_ManagementAmt = amount(QStringLiteral("edt_ManagementAmt"));
    edt_BojungAmt = amount(QStringLiteral("edt_BojungAmt"));
    for (TwNumEdit* box : {edt_NapipAmt, edt_RentAmt, edt_ManagementAmt, edt_BojungAmt}) {
        box->SetReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        SetMoneyGreen(box);
    }
    edt_IpgumDate = DateBox(QStringLiteral("edt_IpgumDate"), entry);
    edt_IpgumAmt = amount(QStringLiteral("edt_IpgumAmt"));
    moRemark = Edit(QStringLiteral("moRemark"), entry, 100);
    edtSlipCode = Edit(QStringLiteral("edtSlipCode"), entry, 10);
    edtSlipCode->hide();
    int line = 1;
    auto add = [&](int column, const QString& caption, QWidget* editor) {
        form->addWidget(Caption(caption, entry), line, column);
        form->addWidget(editor, line, column + 1, Qt::AlignLeft);
    };
    add(0, QStringLiteral("납입 금액"), edt_NapipAmt);
    add(2, QStringLiteral("입금 일자"), edt_IpgumDate);
    ++line;
    add(0, QStringLiteral("임  대  료"), edt_RentAmt);
    add(2, QStringLiteral("입금 금액"), edt_IpgumAmt);
    ++line;
    add(0, QStringLiteral("관  리  비"), edt_ManagementAmt);
    bbt_DeatilSave = new QPushButton(QStringLiteral("입금 처리"), entry);
    bbt_DeatilSave->setObjectName(QStringLiteral("bbt_DeatilSave"));
    bbt_DeatilSave->setFixedHeight(30);
    form->addWidget(bbt_DeatilSave, line, 3, 2, 1);
    ++line;
    add(0, QStringLiteral("보  증  금"), edt_BojungAmt);
    ++line;
    form->addWidget(Caption(QStringLiteral("비       고"), entry), line, 0);
    form->addWidget(moRemark, line, 1, 1, 3);
    form->setColumnStretch(4, 1);
    pane->addWidget(entry);
    ConnectButton(bbt_DeatilSave, [this] { bbt_DeatilSaveClick(); });
    edt_IpgumAmt->OnChange = [this](QObject* sender) { RunCommand([&] { edt_IpgumAmtChange(sender); }); };
    edt_ManagementAmt->OnChange = [this](QObject* sender) { RunCommand([&] { edt_IpgumAmtChange(sender); }); };
    // What is open is checked when the clerk leaves an amount, never while typing.
    edt_IpgumAmt->OnExit = [this](QObject*) { NoteTooMuch(); };
    edt_ManagementAmt->OnExit = [this](QObject*) { NoteTooMuch(); };
    setTabOrder(edt_IpgumDate, edt_IpgumAmt);
    setTabOrder(edt_IpgumAmt, moRemark);
    setTabOrder(moRemark, bbt_DeatilSave);

    rgrIpgumProcess = new TwMemGrid(Panel2);
    rgrIpgumProcess->setObjectName(QStringLiteral("rgrIpgumProcess"));
    rgrIpgumProcess->setFont(rgrGrid->font());
    ScreenGrid::MakeListGrid(rgrIpgumProcess);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("계약코드"), 16, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("납입코드"), 16, 36, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("납입월"), 16, 49, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("납입일자"), 16, 64, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("납입구분"), 16, 64, Qt::AlignHCenter)->SetVisible(false);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("입금일자"), 16, 64, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("순번"), 16, 33, Qt::AlignHCenter);
    AmountColumn(rgrIpgumProcess, QStringLiteral("입금액"), 64);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("비고"), 100, 247);
    AddReadOnlyColumn(rgrIpgumProcess, QStringLiteral("입금일시"), 30, 150)->SetVisible(false);
    rgrIpgumProcess->OnDblClick = [this](QObject*) { RunCommand([this] { rgrIpgumProcessDblClick(); }); };
    rgrIpgumProcess->OnDrawCell = [](TwColumn* column, int, QString& text, QColor& back, QColor&, TwFontStyles&) {
        if (!text.isEmpty() && (column->Index() == hisNapipDate || column->Index() == hisIpgumDate))
            back = GradientInactiveCaption;
    };
    pane->addWidget(rgrIpgumProcess, 1);

    panDelete = new QWidget(Panel2);
    panDelete->setObjectName(QStringLiteral("panDelete"));
    auto* deleteRow = new QHBoxLayout(panDelete);
    deleteRow->setContentsMargins(0, 0, 0, 0);
    deleteRow->addStretch(1);
    bbtIpgumDelete = new QPushButton(QStringLiteral("입금삭제"), panDelete);
    bbtIpgumDelete->setObjectName(QStringLiteral("bbtIpgumDelete"));
    bbtIpgumCancel = new QPushButton(QStringLiteral("취소"), panDelete);
    bbtIpgumCancel->setObjectName(QStringLiteral("bbtIpgumCancel"));
    deleteRow->addWidget(bbtIpgumDelete);
    deleteRow->addWidget(bbtIpgumCancel);
    ConnectButton(bbtIpgumDelete, [this] { bbtIpgumDeleteClick(); });
    ConnectButton(bbtIpgumCancel, [this] { bbtIpgumCancelClick(); });
    panDelete->hide();
    pane->addWidget(panDelete);
}

QString TfrmNBI010::ContractCell(int column) const
{
    if (rgrGrid->RowCount() == 0 || rgrGrid->Row() < 0)
        return QString();
    return rgrGrid->Cells(column, rgrGrid->Row()).AsString();
}

double TfrmNBI010::Balance(int row) const
{
    return CellAmount(rgrMonthIpgum->Cells(colRemainAmt, row).AsString());
}

QString TfrmNBI010::SiteName() const
{
    return m_siteName;
}

void TfrmNBI010::bbtSearchClick()
{
    qryTemp.Close();
    qryTemp.SQL().clear();
    qryTemp.SQL() << QString::fromUtf8(DelayRefreshStatement);
    qryTemp.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(QString());
    qryTemp.ExecSQL();
    qryQuery.ParamByName(QStringLiteral("C_CODE")).SetAsString(edt_CCode->text());
    qryQuery.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(edt_UpjangCode->text());
    TfrmZZI070::bbtSearchClick();
    LoadMonthIpgum();
    LoadIpgumProcess();
}

bool TfrmNBI010::ShowContract(const QString& contCode, const QString& shopCode, const QString& cCode,
                              const QString& month)
{
    if (!SearchMode())
        bbtCancelClick();
    medMonth->SetText(month);
    edt_UpjangCode->setText(shopCode);
    edt_CCode->setText(cCode);
    bbtSearchClick();
    for (int row = 0; row < rgrGrid->RowCount(); ++row)
        if (rgrGrid->Cells(colContCode, row).AsString() == contCode) {
            rgrGrid->SetRow(row);
            rgrGridRowChange();
            return true;
        }
    return false;
}

void TfrmNBI010::rgrGridRowChange()
{
    if (rgrGrid->RowCount() == 0)
        return;
    ClearIpgumInput();
    LoadMonthIpgum();
    LoadIpgumProcess();
}

void TfrmNBI010::LoadMonthIpgum()
{
    rgrMonthIpgum->Clear();
    if (rgrGrid->RowCount() == 0)
        return;
    const QString contract = ContractCell(colContCode);
    qryMonthIpgum.Close();
    qryMonthIpgum.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(contract);
    qryMonthIpgum.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(medMonth->Text() + QStringLiteral("01"));
    qryMonthIpgum.Open();
    {
        rgrMonthIpgum->BeginUpdate();
        const auto done = qScopeGuard([this] { rgrMonthIpgum->EndUpdate(true); });
        for (int row = 0; !qryMonthIpgum.Eof(); qryMonthIpgum.Next(), ++row) {
            rgrMonthIpgum->AppendRow(true, false, false);
            for (int f = 0; f <= colMonthDelayAmt; ++f)
                rgrMonthIpgum->Cells(f, row).SetAsString(qryMonthIpgum.Fields(f).AsString());
        }
        rgrMonthIpgum->ClearRowStates(false);
    }
    qryMonthIpgum.Close();
    edtContCodeView->setText(contract);
    m_siteName = ContractCell(colShopName);
    panTitle->setText(m_siteName);
}

void TfrmNBI010::LoadIpgumProcess()
{
    rgrIpgumProcess->Clear();
    if (rgrGrid->RowCount() == 0)
        return;
    qryIpgumProcess.Close();
    qryIpgumProcess.ParamByName(QStringLiteral("cont_code")).SetAsString(ContractCell(colContCode));
    qryIpgumProcess.Open();
    {
        rgrIpgumProcess->BeginUpdate();
        const auto done = qScopeGuard([this] { rgrIpgumProcess->EndUpdate(true); });
        for (int row = 0; !qryIpgumProcess.Eof(); qryIpgumProcess.Next(), ++row) {
            rgrIpgumProcess->AppendRow(true, false, false);
            for (int f = 0; f <= hisSysDate; ++f)
                rgrIpgumProcess->Cells(f, row).SetAsString(qryIpgumProcess.Fields(f).AsString());
        }
        rgrIpgumProcess->ClearRowStates(false);
    }
    qryIpgumProcess.Close();
}

void TfrmNBI010::ClearIpgumInput()
{
    edt_IpgumDate->SetText(QString());
    for (TwNumEdit* box : {edt_NapipAmt, edt_ManagementAmt, edt_IpgumAmt, edt_RentAmt, edt_BojungAmt})
        box->SetValue(0);
    edtSlipCode->clear();
    moRemark->clear();
    rgrMonthIpgum->Clear();
    panTitle->clear();
    edtContCodeView->clear();
    rgrIpgumProcess->Clear();
    panDelete->hide();
}

void TfrmNBI010::ZeroShares()
{
    for (TwNumEdit* box : {edt_NapipAmt, edt_ManagementAmt, edt_BojungAmt, edt_RentAmt, edt_IpgumAmt})
        box->SetValue(0);
    // A receipt is dated in the month it is booked against.
    edt_IpgumDate->SetText(DayInMonthText(medMonth->Text()));
}

void TfrmNBI010::rgrMonthIpgumDblClick()
{
    const int row = rgrMonthIpgum->Row();
    if (rgrMonthIpgum->RowCount() == 0 || row < 0 || !rgrMonthIpgum->CurrentColumn())
        return;
    const QString code = rgrMonthIpgum->Cells(colAmtCode, row).AsString();
    const double balance = Balance(row);
    auto selectKind = [&] {
        QString title = SiteName() + QStringLiteral(" ");
        edt_NapipCode->setText(code);
        if (code == QLatin1String("01"))
            title += QStringLiteral(" 보증금 입금");
        else if (code == QLatin1String("02"))
            title += QStringLiteral(" 임대료 입금");
        else if (code == QLatin1String("03"))
            title += QStringLiteral(" 관리비 입금");
        panTitle->setText(title);
    };
    switch (rgrMonthIpgum->CurrentColumn()->Index()) {
    case colAmtCode:
        ZeroShares();
        selectKind();
        edt_IpgumDate->setFocus();
        break;
    case colRemainAmt:
        ZeroShares();
        if (balance == 0) {
            ShowError(QStringLiteral("입금할 금액이 없습니다. 확인하세요"));
            return;
        }
        selectKind();
        edt_NapipAmt->SetValue(balance);
        edt_IpgumAmt->SetValue(balance);
        if (code == QLatin1String("01")) {
            edt_BojungAmt->SetValue(balance);
        } else if (code == QLatin1String("02")) {
            edt_RentAmt->SetValue(balance);
        } else if (code == QLatin1String("03")) {
            edt_ManagementAmt->SetValue(balance);
        } else if (code == QLatin1String("T")) {
            const int lines = qMin(3, rgrMonthIpgum->RowCount());
            for (int r = 0; r < lines; ++r) {
                const QString lineCode = rgrMonthIpgum->Cells(colAmtCode, r).AsString();
                if (lineCode == QLatin1String("01"))
                    edt_BojungAmt->SetValue(Balance(r));
                else if (lineCode == QLatin1String("03"))
                    edt_ManagementAmt->SetValue(Balance(r));
                else if (lineCode == QLatin1String("02"))
                    edt_RentAmt->SetValue(Balance(r));
            }
        }
        edt_IpgumDate->setFocus();
        break;
    case colTotNapipAmt:
        if (edt_IpgumAmt->Value() > 0 && code == QLatin1String("03")) {
            edt_ManagementAmt->SetValue(CellAmount(rgrMonthIpgum->Cells(colTotNapipAmt, row).AsString()));
            edt_RentAmt->SetValue(edt_IpgumAmt->Value() - edt_ManagementAmt->Value());
        }
        break;
    default:
        break;
    }
}

namespace {
const QString TooMuch = QStringLiteral("전체납입금액보다 입금금액이 큽니다. 확인하시고 처리하세요.");
} // namespace

bool TfrmNBI010::AmountTooLarge() const
{
    return edt_NapipAmt->Value() > 0
           && (edt_IpgumAmt->Value() > edt_NapipAmt->Value() || edt_ManagementAmt->Value() > edt_NapipAmt->Value());
}

void TfrmNBI010::NoteTooMuch()
{
    if (AmountTooLarge())
        SetStatusText(TooMuch);
}

// Keeps the shares in step with what is typed; the check against what is
// open waits until the field is left or the receipt is booked.
void TfrmNBI010::edt_IpgumAmtChange(QObject* sender)
{
    if (sender == edt_ManagementAmt) {
        edt_RentAmt->SetValue(edt_IpgumAmt->Value() - edt_ManagementAmt->Value());
        return;
    }
    if (edt_IpgumAmt->Value() < 10) {
        edt_ManagementAmt->SetValue(0);
        edt_RentAmt->SetValue(0);
        edt_BojungAmt->SetValue(0);
    }
    const QString code = edt_NapipCode->text();
    if (code == QLatin1String("01"))
        edt_BojungAmt->SetValue(edt_IpgumAmt->Value());
    else if (code == QLatin1String("02"))
        edt_RentAmt->SetValue(edt_IpgumAmt->Value());
    else if (code == QLatin1String("03"))
        edt_ManagementAmt->SetValue(edt_IpgumAmt->Value());
}

void TfrmNBI010::CallInTransaction(TStoredProc& proc, const std::function<void()>& bind)
{
    SetStatusText(QString()); // an earlier success is no longer true of this save
    // The error has been shown; the command then ends silently.
    if (!SaveInTransaction(proc.Database(), [&] {
            bind();
            proc.ExecProc();
        }))
        Abort();
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
}

void TfrmNBI010::bbt_DeatilSaveClick()
{
    if (edt_NapipAmt->Value() == 0) {
        ShowError(QStringLiteral("납부할 요금을 선택하지 않았습니다. 확인하세요"));
        return;
    }
    if (AmountTooLarge()) {
        ShowError(TooMuch); // the entry stays as typed for the correction
        return;
    }
    if (AskYesNo(QStringLiteral("입금 처리 하시겠습니까?"))) {
        const int line = rgrMonthIpgum->Row();
        const QString amtCode = line >= 0 && line < rgrMonthIpgum->RowCount()
                                    ? rgrMonthIpgum->Cells(colAmtCode, line).AsString()
                                    : QString();
        CallInTransaction(prcProc, [&] {
            auto param = [this](const char* name, const QString& value) {
                prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
            };
            param("AGUBUN", QStringLiteral("I"));
            param("ACONT_CODE", ContractCell(colContCode));
            param("AAMT_CODE", amtCode);
            param("ANAPIP_MONTH", medMonth->Text());
            param("ANAPIP_DATE", QString());
            param("ASLIP_CODE", edtSlipCode->text());
            param("AIPGUM_DATE", edt_IpgumDate->Text());
            param("AIPGUM_AMT", AmountText(edt_IpgumAmt->Value()));
            param("AREMARKS", moRemark->text());
            param("AU_EMP_NO", SessionContext::EmpNo());
            param("AU_IP", SessionContext::ClientIP());
        });
    }
    ClearIpgumInput();
    LoadMonthIpgum();
    LoadIpgumProcess();
}

void TfrmNBI010::rgrIpgumProcessDblClick()
{
    if (rgrIpgumProcess->RowCount() > 0)
        panDelete->show();
}

void TfrmNBI010::bbtIpgumDeleteClick()
{
    const int row = rgrIpgumProcess->Row();
    if (row >= 0 && row < rgrIpgumProcess->RowCount()
        && AskYesNo(QStringLiteral("입금 데이타를 삭제 처리 하시겠습니까?"))) {
        CallInTransaction(prcDelete, [&] {
            const char* const names[] = {"ACONT_CODE", "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_DATE",
                                         "ANAPIP_GUBUN", "AIPGUM_DATE", "AIPGUM_SEQ"};
            for (int c = hisContCode; c <= hisIpgumSeq; ++c)
                prcDelete.ParamByName(QString::fromLatin1(names[c]))
                    .SetAsString(rgrIpgumProcess->Cells(c, row).AsString());
            prcDelete.ParamByName(QStringLiteral("AU_EMP_NO")).SetAsString(SessionContext::EmpNo());
            prcDelete.ParamByName(QStringLiteral("AU_IP")).SetAsString(SessionContext::ClientIP());
        });
        panDelete->hide();
    }
    LoadIpgumProcess();
}

void TfrmNBI010::bbtIpgumCancelClick()
{
    panDelete->hide();
}

void TfrmNBI010::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    ClearIpgumInput();
}

void TfrmNBI010::bbtExcelClick()
{
    CheckAvailable(bbtExcel);
    bbtExcel->setFocus();
    ScreenGrid::SaveGridAndOffer(*rgrIpgumProcess, windowTitle(), QStringLiteral("NBI010"));
}

void TfrmNBI010::bbt_CCodeClick()
{
    edt_CCode->setText(PickCode(QStringLiteral("3")));
}

void TfrmNBI010::bbt_UpjangCodeClick()
{
    // The lookup gives the code; the change handler fills the name.
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}
