#include "screens/nb/TfrmNBI050.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "common/MessageBoxes.h"
#include "common/TBusinessClock.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwGroup.h"
#include "controls/TwGroupTitle.h"
#include "controls/TwGroups.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

using namespace PanelEditors;

namespace {
const char* const SiteNameStatement = "SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = :SHOP_CODE";
const char* const ContractStatement =
    "SELECT CONT_CODE, (select boss_name from va050ms where c_code = a.c_code) as boss_name, CONT_END_DATE "
    "FROM NA020MS a WHERE SHOP_CODE = :SHOP_CODE ORDER BY CONT_END_DATE DESC";

constexpr int LeftPaneWidth = 330;
} // namespace

TfrmNBI050::TfrmNBI050(QWidget* parent) : TSheetImportScreen(QStringLiteral("frmNBI050"), SheetColumns, parent)
{
    prcProc.SetProcedureName(QStringLiteral("PR_NBI050_01"));
    auto* data = new QHBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->setSpacing(2);
    auto* left = new TPanel(panMain);
    left->setObjectName(QStringLiteral("panLeft"));
    left->setFixedWidth(LeftPaneWidth);
    auto* pane = new QVBoxLayout(left);
    pane->setContentsMargins(4, 4, 4, 4);
    pane->addWidget(BuildInitialGroup(left));
    pane->addWidget(BuildLoadGroup(left), 1);
    data->addWidget(left);
    data->addWidget(rgrGrid, 1);
    BuildGrid();
    SetAmountColumns({colNapipAmt, colIpgumAmt});
    AddRowButton(bbtSave);
    CreateForm();
}

QWidget* TfrmNBI050::BuildInitialGroup(QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("[기초데이타등록 기간 초기화]"), parent);
    auto* form = new QGridLayout(group);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(6);

    auto* months = new QHBoxLayout();
    months->setSpacing(2);
    const TMonthLine from = MonthLine(group);
    btnMinus = from.minus;
    medMonth = from.month;
    btnPlus = from.plus;
    const TMonthLine to = MonthLine(group);
    btnMinus2 = to.minus;
    medMonth2 = to.month;
    btnPlus2 = to.plus;
    btnMinus2->setObjectName(QStringLiteral("btnMinus2"));
    medMonth2->setObjectName(QStringLiteral("medMonth2"));
    btnPlus2->setObjectName(QStringLiteral("btnPlus2"));
    months->addLayout(from.row);
    months->addWidget(new QLabel(QStringLiteral("~"), group));
    months->addLayout(to.row);
    months->addStretch(1);
    form->addWidget(Caption(QStringLiteral("납입월"), group), 0, 0);
    form->addLayout(months, 0, 1);

    const TCodeLine site = CodeLine(QStringLiteral("edt_UpjangCode"), QStringLiteral("bbt_UpjangCode"),
                                    QStringLiteral("edt_UpjangCodeName"), 60, group);
    edt_UpjangCode = site.code;
    edt_UpjangCode->setMaxLength(6);
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    form->addWidget(Caption(QStringLiteral("업장코드"), group), 1, 0);
    form->addLayout(site.row, 1, 1);

    bbtDataInitial = new QPushButton(QStringLiteral("초기화"), group);
    bbtDataInitial->setObjectName(QStringLiteral("bbtDataInitial"));
    bbtDataInitial->setFixedSize(93, 30);
    form->addWidget(bbtDataInitial, 2, 1, Qt::AlignRight);

    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    ConnectButton(bbtDataInitial, [this] { bbtSaveClick(bbtDataInitial); });
    connect(edt_UpjangCode, &QLineEdit::textChanged, this, [this] { RunCommand([this] { edt_UpjangCodeChange(); }); });
    return group;
}

QWidget* TfrmNBI050::BuildLoadGroup(QWidget* parent)
{
    using ScreenGrid::AddReadOnlyColumn;
    auto* group = new QGroupBox(QStringLiteral("[ 데이타 엑셀 로드 ]"), parent);
    auto* column = new QVBoxLayout(group);
    column->addWidget(new QLabel(QStringLiteral("거래처선택"), group));
    rgrUpjangList = new TwMemGrid(group);
    rgrUpjangList->setObjectName(QStringLiteral("rgrUpjangList"));
    rgrUpjangList->setFont(rgrGrid->font());
    ScreenGrid::MakeListGrid(rgrUpjangList);
    AddReadOnlyColumn(rgrUpjangList, QStringLiteral("계약코드"), 16, 60, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrUpjangList, QStringLiteral("대표자명"), 30, 105)->SetMarginLeft(4);
    AddReadOnlyColumn(rgrUpjangList, QStringLiteral("종료일자"), 16, 71, Qt::AlignHCenter)
        ->SetEditFormat(QStringLiteral("9999-99-99;0;"));
    column->addWidget(rgrUpjangList, 1);
    bbtExcelLoad->setParent(group);
    column->addWidget(bbtExcelLoad, 0, Qt::AlignRight);
    return group;
}

void TfrmNBI050::BuildGrid()
{
    BuildSheetColumns({
        {"업장코드", 79, 1000, Qt::AlignHCenter}, {"납입코드", 65, 30, Qt::AlignHCenter},
        {"납입월", 75, 200, Qt::AlignHCenter},    {"청구금액", 80, 16, Qt::AlignRight},
        {"납입월", 80, 16, Qt::AlignHCenter},     {"입금일자", 80, 16, Qt::AlignRight},
        {"입금금액", 80, 16, Qt::AlignRight},
    });
    struct TGroupLayout {
        const char* title;
        int width;
        std::vector<int> columns;
    };
    const TGroupLayout groups[] = {
        {"업장코드", 84, {colUpjangCode}},
        {"납입코드", 68, {colAmtCode}},
        {"청구", 160, {colNapipMonth, colNapipAmt}},
        {"입금", 240, {colIpgumMonth, colIpgumDate, colIpgumAmt}},
    };
    for (const TGroupLayout& layout : groups) {
        TwGroup* group = rgrGrid->Groups()->Add();
        group->Title()->SetCaption(QString::fromUtf8(layout.title));
        group->SetWidth(layout.width);
        int position = 0;
        for (int c : layout.columns) {
            TwMemColumn* column = rgrGrid->Column(c);
            column->SetGrpWidth(column->Width());
            column->SetLevelIndex(position++);
            column->SetGroup(group->Index());
        }
    }
    rgrGrid->SetGrpRowHeight(25);
    rgrGrid->SetGroupMode(true);
}

void TfrmNBI050::FormCreate()
{
    TSheetImportScreen::FormCreate();
    const QString month = TBusinessClock::TodayText().left(6);
    medMonth->SetText(month);
    medMonth2->SetText(month);
}

void TfrmNBI050::bbt_UpjangCodeClick()
{
    CheckAvailable(bbt_UpjangCode);
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}

void TfrmNBI050::edt_UpjangCodeChange()
{
    const QString code = edt_UpjangCode->text();
    const auto closeQuery = qScopeGuard([this] { qryQuery.Close(); });
    qryQuery.Close();
    qryQuery.SQL().clear();
    qryQuery.SQL() << QString::fromUtf8(SiteNameStatement);
    qryQuery.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(code);
    qryQuery.Open();
    edt_UpjangCodeName->setText(qryQuery.Eof() ? QString() : qryQuery.Fields(0).AsString());
    qryQuery.Close();

    rgrUpjangList->Clear();
    qryQuery.SQL().clear();
    qryQuery.SQL() << QString::fromUtf8(ContractStatement);
    qryQuery.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(code);
    qryQuery.Open();
    rgrUpjangList->BeginUpdate();
    const auto done = qScopeGuard([this] { rgrUpjangList->EndUpdate(true); });
    for (int row = 0; !qryQuery.Eof(); qryQuery.Next(), ++row) {
        rgrUpjangList->AppendRow(true, false, false);
        for (int f = conContCode; f <= conEndDate; ++f)
            rgrUpjangList->Cells(f, row).SetAsString(qryQuery.Fields(f).AsString());
    }
    rgrUpjangList->ClearRowStates(false);
}

void TfrmNBI050::bbtSaveClick()
{
    bbtSaveClick(bbtSave);
}

void TfrmNBI050::bbtSaveClick(QPushButton* Sender)
{
    CheckAvailable(Sender);
    const bool initialise = Sender == bbtDataInitial;
    if (initialise && edt_UpjangCode->text().size() != 4) {
        ShowError(QStringLiteral("업장코드가 입력되지 않으면 초기화할수 없습니다."));
        Abort();
    }
    if (rgrUpjangList->RowCount() == 0) {
        ShowError(QStringLiteral("계약된 자료가 존재하지 않습니다."));
        Abort();
    }
    const QString contract = rgrUpjangList->Cells(conContCode, rgrUpjangList->Row()).AsString();
    if (initialise)
        Initialise(contract);
    else
        Register(contract);
}

void TfrmNBI050::Initialise(const QString& contract)
{
    RunInTransaction([&] {
        BindCall({{"ACONT_CODE", contract},
                  {"AFROM_MONTH", medMonth->Text()},
                  {"ATO_MONTH", medMonth2->Text()},
                  {"ASHOP_CODE", edt_UpjangCode->text()},
                  {"AGUBUN", QStringLiteral("3")}});
        prcProc.ExecProc();
    });
    ShowInfo(QStringLiteral("초기화가 완료되었습니다."));
}

void TfrmNBI050::Register(const QString& contract)
{
    int rows = 0;
    RunInTransaction([&] {
            rows = CallForEveryLine([&](int line) {
                BindCall({{"ACONT_CODE", contract},
                          {"AGUBUN", QStringLiteral("1")},
                          {"AUPJANG_CODE", Cell(colUpjangCode, line)},
                          {"AAMT_CODE", Cell(colAmtCode, line)},
                          {"ANAPIP_MONTH", Cell(colNapipMonth, line)},
                          {"ANAPIP_AMT", Cell(colNapipAmt, line)},
                          {"AIPGUM_MONTH", Cell(colIpgumMonth, line)},
                          {"AIPGUM_DATE", Cell(colIpgumDate, line)},
                          {"AIPGUM_AMT", Cell(colIpgumAmt, line)}});
            });
    });
    ShowInfo(QStringLiteral("등록이 완료되었습니다. (%1건)").arg(rows));
}
