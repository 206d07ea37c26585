#include "screens/nd/TfrmNDS020.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QUrl>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SpreadsheetExport.h"
#include "controls/TwColumns.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

using namespace PanelEditors;

namespace {
const char* const ContractSelect =
    "SELECT CONT_CODE, C_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, SHOP_CODE, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, CONT_START_DATE, "
    "CONT_END_DATE FROM NA020MS A WHERE (SHOP_CODE = :SHOP_CODE OR :SHOP_CODE IS NULL) ";
const char* const ValidOnly = "AND MINAP_CHK = 'Y' ";
const char* const ContractOrder = "ORDER BY SHOP_CODE";
const char* const MagamStatement =
    "SELECT (SELECT (SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = B.SHOP_CODE) FROM NA020MS B WHERE "
    "CONT_CODE = A.CONT_CODE) AS UPJANG_NAME, DECODE(AMT_CODE,'01','보증금','02','임대료','03','관리비') AS AMT_CODE, "
    "NAPIP_MONTH, NAPIP_DATE, LAST_MINAPAMT, LAST_DELAYAMT, NAPIP_AMT, IPGUM_AMT, IPGUM_DELAYAMT, THIS_MINAPAMT, "
    "THIS_MINAPDEALYAMT FROM NB030MS A WHERE CONT_CODE = :CONT_CODE AND (AMT_CODE = :AMT_CODE or :AMT_CODE is null)";
const char* const SiteNameStatement = "SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = :CODE";

constexpr int ContractPaneWidth = 420;
constexpr int MagamColumns = 11;

// The inactive-caption gradient the figures to watch are laid on.
const QColor HighlightedColumn(215, 228, 242);
} // namespace

TfrmNDS020::TfrmNDS020(QWidget* parent) : TfrmZZI070(parent), qryMagam(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNDS020"));
    AddQuery(qryMagam);
    qryMagam.SQL() << QString::fromUtf8(MagamStatement);
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    resize(1150, 700);
    BuildSearchBar();
    BuildGrids();
    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), 93, 35);
    AddButton(bbtExcel, bbtCancel);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
    CreateForm();
}

void TfrmNDS020::BuildSearchBar()
{
    const TSearchCode site = SearchCode(QStringLiteral("업장코드"), QStringLiteral("UpjangCode"), 6, 70, 140,
                                        [this](QWidget* control) { AddSearchControl(control); });
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    chkYesCont = new QCheckBox(QStringLiteral("유효 계약건"));
    chkYesCont->setObjectName(QStringLiteral("chkYesCont"));
    chkYesCont->setChecked(true);
    AddSearchControl(chkYesCont);
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    connect(edt_UpjangCode, &QLineEdit::textChanged, this, [this](const QString& code) {
        RunCommand([&] {
            edt_UpjangCodeName->setText(
                CodeName(qryTemp, QString::fromUtf8(SiteNameStatement), QStringLiteral("CODE"), code));
        });
    });
}

void TfrmNDS020::BuildGrids()
{
    using ScreenGrid::AddReadOnlyColumn;
    Panel1->setFixedWidth(ContractPaneWidth);
    ScreenGrid::MakeListGrid(rgrGrid);
    const QString dateMask = QStringLiteral("9999-99-99;0;");
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 6, 65, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처코드"), 10, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처명"), 50, 64)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 6, 53, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장명"), 50, 116);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("시작일자"), 8, 64, Qt::AlignHCenter)->SetEditFormat(dateMask);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("종료일자"), 8, 64, Qt::AlignHCenter)->SetEditFormat(dateMask);
    rgrGrid->OnRowChange = [this](QObject*) { RunCommand([this] { LoadMagamData(); }); };

    auto* pane = new QVBoxLayout(Panel2);
    pane->setContentsMargins(6, 4, 6, 4);
    auto* choice = new QGroupBox(QStringLiteral("  [ 선택 ] "), Panel2);
    auto* choiceRow = new QHBoxLayout(choice);
    auto radio = [choice, choiceRow](const QString& caption, const QString& name) {
        auto* button = new QRadioButton(caption, choice);
        button->setObjectName(name);
        choiceRow->addWidget(button);
        return button;
    };
    RadioButton2 = radio(QStringLiteral("임 대 료"), QStringLiteral("RadioButton2"));
    RadioButton3 = radio(QStringLiteral("관 리 비"), QStringLiteral("RadioButton3"));
    RadioButton1 = radio(QStringLiteral("보 증 금"), QStringLiteral("RadioButton1"));
    RadioButton4 = radio(QStringLiteral("전    체"), QStringLiteral("RadioButton4"));
    RadioButton2->setChecked(true);
    choiceRow->addStretch(1);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        connect(button, &QRadioButton::clicked, this, [this] { RunCommand([this] { LoadMagamData(); }); });
    pane->addWidget(choice);

    rgrMagamData = new TwMemGrid(Panel2);
    rgrMagamData->setObjectName(QStringLiteral("rgrMagamData"));
    rgrMagamData->setFont(rgrGrid->font());
    ScreenGrid::MakeListGrid(rgrMagamData);
    rgrMagamData->Footers()->Add();
    AddReadOnlyColumn(rgrMagamData, QStringLiteral("업장명"), 50, 82, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrMagamData, QStringLiteral("구분"), 10, 53, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrMagamData, QStringLiteral("납입월"), 6, 55, Qt::AlignHCenter)
        ->SetEditFormat(QStringLiteral("9999-99;0;"));
    AddReadOnlyColumn(rgrMagamData, QStringLiteral("납입일자"), 8, 75, Qt::AlignHCenter)->SetEditFormat(dateMask);
    const char* const amounts[] = {"전월미납금", "전월연체금", "납입금액", "입금액", "입금연체료", "미납금", "미납연체료"};
    for (const char* caption : amounts) {
        TwMemColumn* column = AddReadOnlyColumn(rgrMagamData, QString::fromUtf8(caption), 0, 65, Qt::AlignRight);
        column->SetDataType(wdtFloat);
        column->SetDisplayFormat(QStringLiteral("0,"));
    }
    for (int c = 0; c < MagamColumns; ++c) {
        QString style = TwMemColumnFooter::NoAggregate;
        if (c == mcNapipAmt)
            style = QStringLiteral("300020");
        else if (c == mcIpgumAmt)
            style = QStringLiteral("300070");
        static_cast<TwMemColumnFooter*>(rgrMagamData->Columns()->Items(c)->Footer())->SetStyle(0, style);
    }
    rgrMagamData->OnAfterCalcFooters = [this](QObject*) {
        for (int c : {int(mcNapipAmt), int(mcIpgumAmt)}) {
            auto* footer = static_cast<TwMemColumnFooter*>(rgrMagamData->Columns()->Items(c)->Footer());
            bool ok = false;
            const double total = footer->Values(0).toDouble(&ok);
            footer->SetValues(0, ScreenGrid::GroupedAmount(ok ? total : 0));
        }
    };
    rgrMagamData->OnDrawCell = [](TwColumn* column, int, QString&, QColor& background, QColor&, TwFontStyles&) {
        const int index = column->Index();
        if (index == mcNapipAmt || index == mcIpgumAmt || index == mcThisMinap)
            background = HighlightedColumn;
    };
    pane->addWidget(rgrMagamData, 1);
}

QString TfrmNDS020::AmountCode() const
{
    if (RadioButton1->isChecked())
        return QStringLiteral("01");
    if (RadioButton2->isChecked())
        return QStringLiteral("02");
    if (RadioButton3->isChecked())
        return QStringLiteral("03");
    return QString();
}

void TfrmNDS020::bbtSearchClick()
{
    qryQuery.Close();
    qryQuery.SQL().clear();
    qryQuery.SQL() << QString::fromUtf8(ContractSelect)
                          + (chkYesCont->isChecked() ? QString::fromUtf8(ValidOnly) : QString())
                          + QString::fromUtf8(ContractOrder);
    qryQuery.ParamByName(QStringLiteral("SHOP_CODE")).SetAsString(edt_UpjangCode->text());
    TfrmZZI070::bbtSearchClick();
    LoadMagamData();
}

void TfrmNDS020::LoadMagamData()
{
    if (rgrGrid->RowCount() == 0)
        return;
    rgrMagamData->Clear();
    qryMagam.Close();
    qryMagam.ParamByName(QStringLiteral("CONT_CODE"))
        .SetAsString(rgrGrid->Cells(colContCode, rgrGrid->Row()).AsString());
    qryMagam.ParamByName(QStringLiteral("AMT_CODE")).SetAsString(AmountCode());
    qryMagam.Open();
    ScreenGrid::AppendQueryRows(rgrMagamData, qryMagam, MagamColumns);
    qryMagam.Close();
    rgrMagamData->CalcFooters();
}

void TfrmNDS020::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    rgrMagamData->Clear();
    rgrMagamData->CalcFooters();
}

void TfrmNDS020::bbtExcelClick()
{
    CheckAvailable(bbtExcel);
    ScreenGrid::SaveGridAndOffer(*rgrMagamData, windowTitle(), QStringLiteral("NDS020"));
}

void TfrmNDS020::bbt_UpjangCodeClick()
{
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}
