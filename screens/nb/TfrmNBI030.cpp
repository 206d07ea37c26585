#include "screens/nb/TfrmNBI030.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
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

using namespace PanelEditors;

namespace {
const char* const ContractStatement =
    "SELECT CONT_CODE, C_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, SHOP_CODE, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, CONT_START_DATE, "
    "CONT_END_DATE, CONT_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE, "
    "(SELECT NAPIP_DATE FROM NB010MS WHERE CONT_CODE = A.CONT_CODE AND AMT_CODE = '03' AND NAPIP_MONTH = "
    ":NAPIP_MONTH) AS NAPIP_DATE, (SELECT NAPIP_AMT FROM NB010MS WHERE CONT_CODE = A.CONT_CODE AND AMT_CODE = "
    "'03' AND NAPIP_MONTH = :NAPIP_MONTH) AS NAPIP_AMT FROM NA020MS A WHERE (C_CODE = :C_CODE OR :C_CODE IS "
    "NULL) AND (SHOP_CODE = :SHOP_CODE OR :SHOP_CODE IS NULL) AND CONT_CANCEL_DATE IS NULL ORDER BY SHOP_CODE";
const char* const ScheduleStatement =
    "SELECT CONT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, (SELECT SUM(IPGUM_AMT) FROM NB020MS WHERE CONT_CODE = "
    "A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_MONTH = A.NAPIP_MONTH AND NAPIP_GUBUN = '1' ) AS IPGUM_AMT "
    "FROM NB010MS A WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = '03' AND NAPIP_MONTH <= :NAPIP_MONTH "
    "ORDER BY NAPIP_MONTH DESC";
const char* const SiteNameStatement = "SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = :SHOP_CODE";

constexpr int ContractPaneWidth = 489;
constexpr int DetailPaneWidth = 237;
constexpr int RemarkLength = 200;
const QString DateMask = QStringLiteral("9999-99-99;0;");

} // namespace

TfrmNBI030::TfrmNBI030(QWidget* parent) : TfrmZZI070(parent), qryContract(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNBI030"));
    AddQuery(qryContract);
    qryContract.SQL() << QString::fromUtf8(ContractStatement);
    qryQuery.SQL() << QString::fromUtf8(ScheduleStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NBI030_01"));
    // The bill has its own save button in the panel.
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    resize(1100, 700);
    BuildSearchBar();
    BuildGrids();
    BuildPanel();
    CreateForm();
}

void TfrmNBI030::FormCreate()
{
    TfrmZZI070::FormCreate();
    medMonth->SetText(TodayText().left(6));
}

void TfrmNBI030::BuildSearchBar()
{
    const TAddControl add = [this](QWidget* control) { AddSearchControl(control); };
    const TSearchCode partner = SearchCode(QStringLiteral("거래처"), QStringLiteral("CCode"), 10, 80, 110, add);
    edt_CCode = partner.code;
    bbt_CCode = partner.button;
    edt_CCodeName = partner.name;
    const TSearchCode site = SearchCode(QStringLiteral("업장코드"), QStringLiteral("UpjangCode"), 6, 70, 110, add);
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    const TMonthLine month = SearchMonth(QStringLiteral("청구년월"), add);
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;

    ConnectButton(bbt_CCode, [this] { bbt_CCodeClick(); });
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    connect(edt_UpjangCode, &QLineEdit::textChanged, this, [this](const QString& code) {
        RunCommand([&] {
            edt_UpjangCodeName->setText(
                CodeName(qryTemp, QString::fromUtf8(SiteNameStatement), QStringLiteral("SHOP_CODE"), code));
        });
    });
}

void TfrmNBI030::BuildGrids()
{
    using ScreenGrid::AddReadOnlyColumn;
    // The contract list takes the place of the base grid, which moves to the right.
    Panel1->layout()->removeWidget(rgrGrid);
    Panel1->setFixedWidth(ContractPaneWidth);
    rgrContract = new TwMemGrid(Panel1);
    rgrContract->setObjectName(QStringLiteral("rgrContract"));
    rgrContract->setFont(rgrGrid->font());
    ScreenGrid::MakeListGrid(rgrContract);
    Panel1->layout()->addWidget(rgrContract);
    auto column = [this](const QString& caption, int dataWidth, int width, bool shown,
                         Qt::Alignment alignment = Qt::AlignLeft) {
        TwMemColumn* c = AddReadOnlyColumn(rgrContract, caption, dataWidth, width, alignment);
        c->SetVisible(shown);
        return c;
    };
    column(QStringLiteral("계약코드"), 6, 64, false);
    column(QStringLiteral("거래처코드"), 10, 64, false);
    column(QStringLiteral("거래처명"), 50, 97, true);
    column(QStringLiteral("업장코드"), 6, 53, true, Qt::AlignHCenter);
    column(QStringLiteral("업장명"), 50, 92, true);
    column(QStringLiteral("계약시작"), 8, 68, true, Qt::AlignHCenter)->SetEditFormat(DateMask);
    column(QStringLiteral("계약종료"), 8, 67, true, Qt::AlignHCenter)->SetEditFormat(DateMask);
    column(QStringLiteral("보증금"), 20, 64, false);
    column(QStringLiteral("임대료"), 20, 64, false);
    column(QStringLiteral("관리비"), 20, 64, false);
    column(QStringLiteral("연체율"), 20, 64, false);
    column(QStringLiteral("납입일자"), 8, 64, true, Qt::AlignHCenter)->SetEditFormat(DateMask);
    column(QStringLiteral("납입금액"), 20, 64, false);
    rgrContract->OnRowChange = [this](QObject*) { RunCommand([this] { rgrContractRowChange(); }); };

    ScreenGrid::MakeListGrid(rgrGrid);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 6, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("납입월"), 6, 64, Qt::AlignHCenter)
        ->SetEditFormat(QStringLiteral("9999-99;0;"));
    AddReadOnlyColumn(rgrGrid, QStringLiteral("납입일자"), 8, 71, Qt::AlignHCenter)->SetEditFormat(DateMask);
    for (const auto& [caption, width] : {std::pair{QStringLiteral("납입관리비"), 82},
                                         std::pair{QStringLiteral("입금금액"), 75}}) {
        TwMemColumn* money = AddReadOnlyColumn(rgrGrid, caption, 0, width, Qt::AlignRight);
        money->SetDataType(wdtFloat);
        money->SetDisplayFormat(QStringLiteral("0,"));
    }
    for (int c = 6; c <= 14; ++c)
        AddReadOnlyColumn(rgrGrid, QStringLiteral("Column%1").arg(c), 20, 64)->SetVisible(false);
}

void TfrmNBI030::BuildPanel()
{
    auto* right = new QHBoxLayout(Panel2);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(2);
    auto* detail = new QWidget(Panel2);
    detail->setFixedWidth(DetailPaneWidth);
    rgrGrid->setParent(Panel2);
    right->addWidget(detail);
    right->addWidget(rgrGrid, 1);

    auto* pane = new QVBoxLayout(detail);
    pane->setContentsMargins(4, 4, 4, 4);
    auto* group = new QGroupBox(QStringLiteral(" [관리비 세부내역 입력]"), detail);
    auto* form = new QGridLayout(group);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    int line = 0;
    auto add = [&](const QString& caption, QWidget* editor) {
        form->addWidget(Caption(caption, group), line, 0);
        form->addWidget(editor, line++, 1, Qt::AlignLeft);
    };

    // Contract, month and due date come from the list, never typed: they sit
    // in a disabled container that the edit mode leaves alone.
    auto* fixed = new QWidget(group);
    fixed->setEnabled(false);
    auto* fixedForm = new QGridLayout(fixed);
    fixedForm->setContentsMargins(0, 0, 0, 0);
    fixedForm->setHorizontalSpacing(6);
    fixedForm->setVerticalSpacing(3);
    edtContCode = Edit(QStringLiteral("edtContCode"), fixed);
    edtContCode->setReadOnly(true);
    edtContCode->setFixedWidth(90);
    edt_NapipMonth = new TwCustomMaskEdit(fixed);
    edt_NapipMonth->setObjectName(QStringLiteral("edt_NapipMonth"));
    edt_NapipMonth->SetEditMask(QStringLiteral("!9999-99;0;"));
    edt_NapipMonth->setFixedWidth(90);
    edt_NapipDate = DateBox(QStringLiteral("edt_NapipDate"), fixed);
    int fixedLine = 0;
    for (const auto& [caption, box] : {std::pair<QString, QWidget*>{QStringLiteral("계약 코드"), edtContCode},
                                       {QStringLiteral("납입 년월"), edt_NapipMonth},
                                       {QStringLiteral("납입 일자"), edt_NapipDate}}) {
        SetMoneyGreen(box);
        fixedForm->addWidget(Caption(caption, fixed), fixedLine, 0);
        fixedForm->addWidget(box, fixedLine++, 1, Qt::AlignLeft);
    }
    form->addWidget(fixed, line++, 0, 1, 2);

    edt_RequestDate = DateBox(QStringLiteral("edt_RequestDate"), group);
    add(QStringLiteral("청구 일자"), edt_RequestDate);
    auto amount = [&](const QString& name, const QString& caption) {
        TwNumEdit* box = AmountBox(name, group);
        box->setFixedWidth(110);
        add(caption, box);
        return box;
    };
    edt_Elec = amount(QStringLiteral("edt_Elec"), QStringLiteral("전  기  료"));
    edt_Gas = amount(QStringLiteral("edt_Gas"), QStringLiteral("가  스  료"));
    edt_Cont = amount(QStringLiteral("edt_Cont"), QStringLiteral("냉 난방비"));
    edt_Envi = amount(QStringLiteral("edt_Envi"), QStringLiteral("환  경  비"));
    edt_Water = amount(QStringLiteral("edt_Water"), QStringLiteral("수  도  비"));
    edt_Tele = amount(QStringLiteral("edt_Tele"), QStringLiteral("기타 요금"));
    edt_Price = amount(QStringLiteral("edt_Price"), QStringLiteral("공급 가액"));
    edt_tax = amount(QStringLiteral("edt_tax"), QStringLiteral("부  가  세"));
    edt_TotAmt = amount(QStringLiteral("edt_TotAmt"), QStringLiteral("총  금  액"));
    for (TwNumEdit* box : {edt_Price, edt_tax, edt_TotAmt}) {
        box->SetReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        SetMoneyGreen(box);
    }
    edt_TotAmt->OnChange = [this](QObject*) { RunCommand([this] { edt_TotAmtChange(); }); };
    for (TwNumEdit* box : Charges())
        WireEditor(box);
    WireEditor(edt_RequestDate);
    pane->addWidget(group);

    auto* remarkRow = new QHBoxLayout();
    remarkRow->addWidget(Caption(QStringLiteral("비    고"), detail), 0, Qt::AlignTop);
    moRemark = new QPlainTextEdit(detail);
    moRemark->setObjectName(QStringLiteral("moRemark"));
    moRemark->setTabChangesFocus(true);
    moRemark->setFixedHeight(60);
    LimitLength(moRemark, RemarkLength);
    remarkRow->addWidget(moRemark, 1);
    pane->addLayout(remarkRow);
    bbt_DeatilSave = new QPushButton(QStringLiteral("관리비 세부내역 저장"), detail);
    bbt_DeatilSave->setObjectName(QStringLiteral("bbt_DeatilSave"));
    bbt_DeatilSave->setFixedHeight(30);
    ConnectButton(bbt_DeatilSave, [this] { bbt_DeatilSaveClick(); });
    pane->addWidget(bbt_DeatilSave);
    pane->addStretch(1);

    QList<QWidget*> order{edt_RequestDate};
    for (TwNumEdit* box : Charges())
        order << box;
    order << moRemark << bbt_DeatilSave;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QList<TwNumEdit*> TfrmNBI030::Charges() const
{
    return {edt_Elec, edt_Gas, edt_Cont, edt_Envi, edt_Water, edt_Tele};
}

bool TfrmNBI030::eventFilter(QObject* watched, QEvent* event)
{
    const bool taken = TfrmZZI070::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && Charges().contains(qobject_cast<TwNumEdit*>(watched)))
        RunCommand([this] { UpdateTotal(); });
    return taken;
}

void TfrmNBI030::UpdateTotal()
{
    double total = 0;
    for (TwNumEdit* box : Charges())
        total += box->Value();
    edt_TotAmt->SetValue(total);
}

void TfrmNBI030::edt_TotAmtChange()
{
    const double total = edt_TotAmt->Value();
    // The box keeps whole amounts; the tax is what the rounded price leaves,
    // so the two always add up to the total.
    edt_Price->SetValue(std::round(total / 1.1));
    edt_tax->SetValue(total - edt_Price->Value());
}

void TfrmNBI030::bbtSearchClick()
{
    CheckAvailable(bbtSearch);
    rgrContract->Clear();
    const QString month = medMonth->Text();
    qryContract.Close();
    qryContract.ParamByName(QStringLiteral("C_CODE")).SetAsString(edt_CCode->text());
    qryContract.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(edt_UpjangCode->text());
    qryContract.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    qryContract.Open();
    {
        rgrContract->BeginUpdate();
        const auto done = qScopeGuard([this] { rgrContract->EndUpdate(true); });
        for (int row = 0; !qryContract.Eof(); qryContract.Next(), ++row) {
            rgrContract->AppendRow(true, false, false);
            for (int f = 0; f < qryContract.FieldCount() && f <= colNapipAmt; ++f)
                rgrContract->Cells(f, row).SetAsString(qryContract.Fields(f).AsString());
        }
        rgrContract->ClearRowStates(false);
    }
    qryContract.Close();
    if (rgrContract->RowCount() == 0)
        return;
    qryQuery.ParamByName(QStringLiteral("CONT_CODE"))
        .SetAsString(rgrContract->Cells(colContCode, rgrContract->Row()).AsString());
    qryQuery.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    TfrmZZI070::bbtSearchClick();
    FillPanelHeader();
}

void TfrmNBI030::FillPanelHeader()
{
    if (rgrContract->RowCount() == 0)
        return;
    const int row = rgrContract->Row();
    edtContCode->setText(rgrContract->Cells(colContCode, row).AsString());
    edt_NapipMonth->SetText(medMonth->Text());
    edt_NapipDate->SetText(rgrContract->Cells(colNapipDate, row).AsString());
    edt_RequestDate->SetText(TodayText());
    edt_Elec->setFocus();
}

void TfrmNBI030::ClearPanel()
{
    edtContCode->clear();
    for (TwCustomMaskEdit* box : {edt_NapipMonth, edt_NapipDate, edt_RequestDate})
        box->SetText(QString());
    moRemark->clear();
    for (TwNumEdit* box : Charges())
        box->SetValue(0);
    edt_TotAmt->SetValue(0);
    edt_Price->SetValue(0);
    edt_tax->SetValue(0);
}

void TfrmNBI030::LoadSchedule()
{
    rgrGrid->Clear();
    qryQuery.Close();
    qryQuery.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(edtContCode->text());
    qryQuery.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(medMonth->Text());
    qryQuery.Open();
    if (ColumnNames.isEmpty())
        BuildSaveColumns();
    LoadRows();
    qryQuery.Close();
    Modified = false; // the list is only read, never edited
}

void TfrmNBI030::rgrContractRowChange()
{
    if (rgrContract->RowCount() == 0)
        return;
    ClearPanel();
    FillPanelHeader();
    LoadSchedule();
}

void TfrmNBI030::bbt_DeatilSaveClick()
{
    CheckAvailable(bbt_DeatilSave);
    if (edt_NapipDate->Text().size() != 8) {
        ShowError(QStringLiteral("납입스케쥴이 등록되어 있지 않습니다. 확인하세요."));
        Abort();
    }
    if (!AskYesNo(QStringLiteral("저장 하시겠습니까?")))
        Abort();
    const bool saved = SaveInTransaction(prcProc.Database(), [&] {
        auto param = [this](const char* name, const QString& value) {
            prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
        };
        auto amount = [&](const char* name, const TwNumEdit* box) { param(name, AmountText(box->Value())); };
        param("ACONT_CODE", edtContCode->text());
        param("ANAPIP_MONTH", edt_NapipMonth->Text());
        param("ANAPIP_DATE", edt_NapipDate->Text());
        param("AREQUEST_DATE", edt_RequestDate->Text());
        amount("ATOT_MONEY", edt_TotAmt);
        amount("ASUP_PRICE", edt_Price);
        amount("ASUP_TAX", edt_tax);
        amount("ASUP_ELEC", edt_Elec);
        amount("ASUP_GAS", edt_Gas);
        amount("ASUP_CONT", edt_Cont);
        amount("ASUP_ENVI", edt_Envi);
        amount("ASUP_WATER", edt_Water);
        amount("ASUP_TELE", edt_Tele);
        param("ASUP_REMARK", moRemark->toPlainText());
        param("AU_EMP_NO", SessionContext::EmpNo());
        param("AU_IP", SessionContext::ClientIP());
        prcProc.ParamByName(QStringLiteral("AEDITSTATUS")).Clear();
        prcProc.ExecProc();
    });
    if (!saved)
        Abort(); // shown once; the panel keeps what was typed
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
    LoadSchedule();
}

void TfrmNBI030::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    ClearPanel();
    rgrContract->Clear();
}

void TfrmNBI030::bbt_CCodeClick()
{
    edt_CCode->setText(PickCode(QStringLiteral("3")));
}

void TfrmNBI030::bbt_UpjangCodeClick()
{
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}
