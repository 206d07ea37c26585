#include "screens/nb/TfrmNBI020.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"
#include "framework/TWaitCursor.h"

using namespace PanelEditors;

namespace {
const char* const ContractStatement =
    "SELECT CONT_CODE, C_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, SHOP_CODE, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, CONT_START_DATE, "
    "CONT_END_DATE, CONT_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE FROM NA020MS A "
    "WHERE (CONT_CODE = :CONT_CODE or :CONT_CODE is null) AND (C_CODE = :C_CODE OR :C_CODE IS NULL) "
    "AND (SHOP_CODE = :SHOP_CODE OR :SHOP_CODE IS NULL) AND CONT_CANCEL_DATE IS NULL ORDER BY SHOP_CODE";
// Month order: a rebuilt schedule keeps some lines and adds the others anew,
// so the stored order is not the months' order.
const char* const ScheduleStatement =
    "SELECT NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, DELAY_RATE FROM NB010MS A "
    "WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE ORDER BY NAPIP_MONTH";
const char* const PartnerNameStatement = "SELECT C_NAME FROM VA050MS WHERE C_CODE = :CODE";
const char* const SiteNameStatement = "SELECT SHOP_NAME FROM NA010MS WHERE SHOP_CODE = :CODE";

constexpr int ContractPaneWidth = 441;
} // namespace

TfrmNBI020::TfrmNBI020(QWidget* parent)
    : TfrmZZI070(parent), qrySchedule(SharedConnection::Database()), prcCreate(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNBI020"));
    AddQuery(qrySchedule);
    qryQuery.SQL() << QString::fromUtf8(ContractStatement);
    qrySchedule.SQL() << QString::fromUtf8(ScheduleStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NBI020_01"));
    prcCreate.SetProcedureName(QStringLiteral("PR_NBI020_02"));
    bbtAdd->hide();
    resize(1000, 700);
    BuildSearchBar();
    BuildSchedule();
    CreateForm();
}

void TfrmNBI020::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("계약코드")));
    edtContCode = Edit(QStringLiteral("edtContCode"), nullptr, 6);
    edtContCode->setFixedWidth(70);
    AddSearchControl(edtContCode);
    const TAddControl add = [this](QWidget* control) { AddSearchControl(control); };
    const TSearchCode partner = SearchCode(QStringLiteral("거래처"), QStringLiteral("CCode"), 10, 80, 120, add);
    edt_CCode = partner.code;
    bbt_CCode = partner.button;
    edt_CCodeName = partner.name;
    const TSearchCode site = SearchCode(QStringLiteral("업장코드"), QStringLiteral("UpjangCode"), 6, 70, 120, add);
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;

    ConnectButton(bbt_CCode, [this] { bbt_CCodeClick(); });
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    const QString param = QStringLiteral("CODE");
    connect(edt_CCode, &QLineEdit::textChanged, this, [this, param](const QString& code) {
        RunCommand([&] {
            edt_CCodeName->setText(CodeName(qryTemp, QString::fromUtf8(PartnerNameStatement), param, code));
        });
    });
    connect(edt_UpjangCode, &QLineEdit::textChanged, this, [this, param](const QString& code) {
        RunCommand([&] {
            edt_UpjangCodeName->setText(CodeName(qryTemp, QString::fromUtf8(SiteNameStatement), param, code));
        });
    });
}

void TfrmNBI020::BuildSchedule()
{
    using ScreenGrid::AddReadOnlyColumn;
    Panel1->setFixedWidth(ContractPaneWidth);
    ScreenGrid::MakeListGrid(rgrGrid);
    auto hidden = [this](const QString& caption, int dataWidth) {
        AddReadOnlyColumn(rgrGrid, caption, dataWidth, 64)->SetVisible(false);
    };
    const QString dateMask = QStringLiteral("9999-99-99;0;");
    hidden(QStringLiteral("계약코드"), 6);
    hidden(QStringLiteral("Column5"), 10);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처명"), 50, 99);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 6, 56, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장명"), 50, 98);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("시작일자"), 8, 66, Qt::AlignHCenter)->SetEditFormat(dateMask);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("종료일자"), 8, 68, Qt::AlignHCenter)->SetEditFormat(dateMask);
    hidden(QStringLiteral("Column6"), 20);
    hidden(QStringLiteral("Column8"), 20);
    hidden(QStringLiteral("Column9"), 20);
    hidden(QStringLiteral("Column10"), 20);
    hidden(QStringLiteral("Column11"), 20);
    rgrGrid->OnRowChange = [this](QObject*) { RunCommand([this] { LoadSchedule(); }); };

    auto* pane = new QVBoxLayout(Panel2);
    pane->setContentsMargins(6, 4, 6, 4);
    auto* choice = new QGroupBox(QStringLiteral("  [ 선택 ] "), Panel2);
    auto* choiceRow = new QHBoxLayout(choice);
    RadioButton2 = new QRadioButton(QStringLiteral("임 대 료"), choice);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setChecked(true);
    RadioButton3 = new QRadioButton(QStringLiteral("관 리 비"), choice);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    choiceRow->addWidget(RadioButton2);
    choiceRow->addWidget(RadioButton3);
    choiceRow->addStretch(1);
    for (QRadioButton* radio : {RadioButton2, RadioButton3})
        connect(radio, &QRadioButton::clicked, this, [this] { RunCommand([this] { LoadSchedule(); }); });
    pane->addWidget(choice);

    rgrSchedule = new TwMemGrid(Panel2);
    rgrSchedule->setObjectName(QStringLiteral("rgrSchedule"));
    rgrSchedule->setFont(rgrGrid->font());
    ScreenGrid::MakeListGrid(rgrSchedule);
    rgrSchedule->Footers()->Add();
    AddReadOnlyColumn(rgrSchedule, QStringLiteral("청구월"), 6, 69, Qt::AlignHCenter)
        ->SetEditFormat(QStringLiteral("9999-99;0;"));
    AddReadOnlyColumn(rgrSchedule, QStringLiteral("청구일자"), 8, 83, Qt::AlignHCenter)->SetEditFormat(dateMask);
    TwMemColumn* amount = AddReadOnlyColumn(rgrSchedule, QStringLiteral("청구금액"), 0, 88, Qt::AlignRight);
    amount->SetDataType(wdtFloat);
    amount->SetDisplayFormat(QStringLiteral("0,"));
    TwMemColumn* rate = AddReadOnlyColumn(rgrSchedule, QStringLiteral("연체율"), 0, 64, Qt::AlignRight);
    rate->SetDataType(wdtFloat);
    rate->SetDisplayFormat(QStringLiteral("0,"));
    for (int c = 0; c < rgrSchedule->Columns()->Count(); ++c)
        static_cast<TwMemColumnFooter*>(rgrSchedule->Columns()->Items(c)->Footer())
            ->SetStyle(0, c == colAmount ? QStringLiteral("300020") : TwMemColumnFooter::NoAggregate);
    rgrSchedule->OnAfterCalcFooters = [this](QObject*) {
        auto* footer = static_cast<TwMemColumnFooter*>(rgrSchedule->Columns()->Items(colAmount)->Footer());
        bool ok = false;
        const double total = footer->Values(0).toDouble(&ok);
        footer->SetValues(0, ScreenGrid::GroupedAmount(ok ? total : 0));
    };
    rgrSchedule->OnDblClick = [this](QObject*) { RunCommand([this] { rgrScheduleDblClick(); }); };
    pane->addWidget(rgrSchedule, 1);

    auto* editors = new QHBoxLayout();
    editors->setSpacing(4);
    editors->addWidget(Caption(QStringLiteral("청구금액"), Panel2));
    edt_NapipAmt = AmountBox(QStringLiteral("edt_NapipAmt"), Panel2);
    edt_NapipAmt->setFixedWidth(100);
    editors->addWidget(edt_NapipAmt);
    editors->addSpacing(8);
    editors->addWidget(Caption(QStringLiteral("청구년월"), Panel2));
    const TMonthLine month = MonthLine(Panel2);
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    editors->addLayout(month.row);
    editors->addStretch(1);
    pane->addLayout(editors);

    auto* actions = new QHBoxLayout();
    bbtSCreate = new QPushButton(QStringLiteral("납입스케쥴 재생성"), Panel2);
    bbtSCreate->setObjectName(QStringLiteral("bbtSCreate"));
    ConnectButton(bbtSCreate, [this] { bbtSCreateClick(); });
    actions->addWidget(bbtSCreate);
    actions->addSpacing(8);
    actions->addWidget(Caption(QStringLiteral("계약 코드"), Panel2));
    // Shows the contract the month calls go to; never typed into, so it sits
    // in a disabled container the edit mode leaves alone.
    auto* holder = new QWidget(Panel2);
    holder->setEnabled(false);
    auto* holderRow = new QHBoxLayout(holder);
    holderRow->setContentsMargins(0, 0, 0, 0);
    edtContCodeView = Edit(QStringLiteral("edtContCodeView"), holder);
    edtContCodeView->setReadOnly(true);
    edtContCodeView->setFixedWidth(80);
    SetMoneyGreen(edtContCodeView);
    holderRow->addWidget(edtContCodeView);
    actions->addWidget(holder);
    actions->addStretch(1);
    pane->addLayout(actions);
}

QString TfrmNBI020::AmountCode() const
{
    return RadioButton2->isChecked() ? QStringLiteral("02") : QStringLiteral("03");
}

QString TfrmNBI020::CurrentCell(int column) const
{
    return rgrGrid->Cells(column, rgrGrid->Row()).AsString();
}

void TfrmNBI020::bbtSearchClick()
{
    qryQuery.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(edtContCode->text());
    qryQuery.ParamByName(QStringLiteral("C_CODE")).SetAsString(edt_CCode->text());
    qryQuery.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(edt_UpjangCode->text());
    TfrmZZI070::bbtSearchClick();
    LoadSchedule();
}

void TfrmNBI020::LoadSchedule()
{
    if (rgrGrid->RowCount() == 0)
        return;
    rgrSchedule->Clear();
    const QString contract = CurrentCell(colContCode);
    qrySchedule.Close();
    qrySchedule.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(contract);
    qrySchedule.ParamByName(QStringLiteral("AMT_CODE")).SetAsString(AmountCode());
    qrySchedule.Open();
    {
        rgrSchedule->BeginUpdate();
        const auto done = qScopeGuard([this] { rgrSchedule->EndUpdate(true); });
        for (int row = 0; !qrySchedule.Eof(); qrySchedule.Next(), ++row) {
            rgrSchedule->AppendRow(true, false, false);
            for (int f = 0; f < 4; ++f)
                rgrSchedule->Cells(f, row).SetAsString(qrySchedule.Fields(f).AsString());
        }
        rgrSchedule->ClearRowStates(false);
    }
    qrySchedule.Close();
    rgrSchedule->CalcFooters();
    edtContCodeView->setText(contract);
}

void TfrmNBI020::rgrScheduleDblClick()
{
    if (rgrSchedule->RowCount() == 0 || rgrSchedule->Row() < 0)
        return;
    const int row = rgrSchedule->Row();
    medMonth->SetText(rgrSchedule->Cells(colMonth, row).AsString());
    double amount = 0;
    WholeAmount(rgrSchedule->Cells(colAmount, row).AsString(), amount);
    edt_NapipAmt->SetValue(amount);
}

void TfrmNBI020::CallInTransaction(TStoredProc& proc, const std::function<void()>& bind,
                                   const std::function<void()>& afterCall)
{
    TDatabase& database = proc.Database();
    if (!database.Connected())
        database.Open();
    if (!database.InTransaction())
        database.StartTransaction();
    TWaitCursor wait;
    try {
        // Binding reads the contract row: without one it is a failed save.
        bind();
        proc.ExecProc();
        wait.Restore();
        if (afterCall)
            afterCall();
        database.Commit();
    } catch (const EAbort&) {
        database.Rollback();
        throw;
    } catch (const std::exception& e) {
        database.Rollback();
        wait.Restore();
        // Shown once here; the command then ends silently.
        ShowError(QStringLiteral("자료를 저장하지 못했습니다.\r\r에러내용:\r") + ErrorText(e));
        Abort();
    }
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
}

void TfrmNBI020::bbtSaveClick()
{
    CheckAvailable(bbtSave);
    SaveMonth(false);
}

void TfrmNBI020::bbtDeleteClick()
{
    CheckAvailable(bbtDelete);
    SaveMonth(true);
}

void TfrmNBI020::SaveMonth(bool deleting)
{
    if (!AskYesNo(deleting ? QStringLiteral("선택된 월의 스케쥴을 삭제하시겠습니까?")
                           : QStringLiteral("선택된 월의 스케쥴을 등록하시겠습니까?"))) {
        LoadSchedule();
        Abort();
    }
    const QString month = medMonth->Text();
    const double amount = edt_NapipAmt->Value();
    auto bind = [this, deleting, month, amount] {
        auto param = [this](const char* name, const QString& value) {
            prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
        };
        param("AGUBUN", deleting ? QStringLiteral("D") : QStringLiteral("I"));
        param("ACONT_CODE", CurrentCell(colContCode));
        param("AAMT_CODE", AmountCode());
        param("ANAPIP_MONTH", month);
        param("ANAPIP_AMT", AmountText(amount));
        param("AU_EMP_NO", SessionContext::EmpNo());
        param("AU_IP", SessionContext::ClientIP());
    };
    CallInTransaction(prcProc, bind, [&] {
        if (amount == 0 && !deleting)
            ShowInfo(QStringLiteral("납부할 요금이 입력되지 않았습니다. ") + month
                     + QStringLiteral("월은 0원으로 등록됩니다.."));
    });
    LoadSchedule();
}

void TfrmNBI020::bbtSCreateClick()
{
    CheckAvailable(bbtSCreate);
    auto bind = [this] {
        auto param = [this](const char* name, const QString& value) {
            prcCreate.ParamByName(QString::fromLatin1(name)).SetAsString(value);
        };
        param("ACONT_CODE", CurrentCell(colContCode));
        // The start date goes twice: as the first due date and as the start.
        param("AIPGUM_DATE", CurrentCell(colStartDate));
        param("ASTART_DATE", CurrentCell(colStartDate));
        param("AEND_DATE", CurrentCell(colEndDate));
        param("AU_EMP_NO", SessionContext::EmpNo());
        param("AU_IP", SessionContext::ClientIP());
    };
    CallInTransaction(prcCreate, bind, {});
    LoadSchedule();
}

void TfrmNBI020::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    rgrSchedule->Clear();
    rgrSchedule->CalcFooters();
    edtContCodeView->clear();
}

void TfrmNBI020::bbt_CCodeClick()
{
    edt_CCode->setText(PickCode(QStringLiteral("3")));
}

void TfrmNBI020::bbt_UpjangCodeClick()
{
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}
