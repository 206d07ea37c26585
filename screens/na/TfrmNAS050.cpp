#include "screens/na/TfrmNAS050.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SpreadsheetExport.h"
#include "common/SqlTrace.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBGrid.h"
#include "controls/TwDataField.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/TPopupBtn.h"
#include "screens/NameSearch.h"
#include "screens/PanelEditors.h"

namespace {
const char* const Joins = " FROM NA020MS A, VA050MS B, NA010MS C WHERE A.C_CODE = B.C_CODE AND A.SHOP_CODE = "
                          "C.SHOP_CODE";
const char* const ExportColumns =
    "B.C_NAME \"거래처명\", B.BOSS_NAME \"대표자\", C.SHOP_NAME \"상가명\", A.CONT_START_DATE \"계약시작일\", "
    "A.CONT_END_DATE \"계약만료일\", A.CONT_DEPOSIT \"보증금\", A.CONT_LEASE_MONEY \"총임대료\", "
    "A.CONT_MANAGE_PAY \"월임대료\", A.CONT_PERMIT \"허가내용\", A.CONT_NO \"허가번호\"";
const QString DateMask = QStringLiteral("9999-99-99;0;");

struct TFieldLayout {
    const char* name;
    TwFieldType type;
    int size;
    bool required;
    bool date;
    bool currency;
};
const TFieldLayout Fields[] = {
    {"C_NAME", wftString, 50, false, false, false},          {"REP_PHONE", wftString, 20, false, false, false},
    {"BOSS_NAME", wftString, 50, false, false, false},       {"MOBILE_NO", wftString, 20, false, false, false},
    {"SHOP_NAME", wftString, 30, false, false, false},       {"CONT_CODE", wftString, 6, true, false, false},
    {"C_CODE", wftString, 10, true, false, false},           {"SHOP_CODE", wftString, 6, true, false, false},
    {"CONT_START_DATE", wftString, 8, true, true, false},    {"CONT_END_DATE", wftString, 8, true, true, false},
    {"CONT_CANCEL_DATE", wftString, 8, false, true, false},  {"CONT_DEPOSIT", wftBCD, 10, false, false, true},
    {"CONT_LEASE_MONEY", wftBCD, 10, false, false, true},    {"CONT_MANAGE_PAY", wftBCD, 10, false, false, true},
    {"CONT_SHOP_TYPE", wftString, 20, false, false, false},  {"CONT_PENALTY", wftBCD, 10, false, false, false},
    {"CONT_SIZE1", wftBCD, 5, false, false, false},          {"CONT_SIZE2", wftBCD, 5, false, false, false},
    {"CONT_PERMIT", wftString, 20, false, false, false},     {"CONT_NO", wftString, 15, false, false, false},
    {"PERMIT_DATE", wftString, 8, false, true, false},       {"CONT_REMARK", wftString, 200, false, false, false},
    {"CONT_CANCEL_REM", wftString, 200, false, false, false}, {"U_SYS_DATE", wftDateTime, 0, true, false, false},
    {"U_EMP_NO", wftString, 8, true, false, false},          {"U_IP", wftString, 15, true, false, false},
};

struct TColumnLayout {
    const char* caption;
    const char* field;
    int width;
    Qt::Alignment alignment;
};
const TColumnLayout Columns[] = {
    {"거래처명", "C_NAME", 206, Qt::AlignLeft},
    {"대표자", "BOSS_NAME", 105, Qt::AlignLeft},
    {"상가명", "SHOP_NAME", 139, Qt::AlignLeft},
    {"계약시작일", "CONT_START_DATE", 97, Qt::AlignHCenter},
    {"계약만료일", "CONT_END_DATE", 105, Qt::AlignHCenter},
    {"보증금", "CONT_DEPOSIT", 101, Qt::AlignRight},
    {"임대료", "CONT_LEASE_MONEY", 92, Qt::AlignRight},
    {"관리비", "CONT_MANAGE_PAY", 90, Qt::AlignRight},
    {"청구일", "CONT_PLACING_DAY", 64, Qt::AlignHCenter},
    {"허가내용", "CONT_PERMIT", 64, Qt::AlignLeft},
    {"허가번호", "CONT_NO", 64, Qt::AlignHCenter},
};
} // namespace

TfrmNAS050::TfrmNAS050(QWidget* parent) : TfrmZZI020(parent)
{
    setObjectName(QStringLiteral("frmNAS050"));
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    BuildSearchBar();
    DeclareFields();
    BuildColumns();
    cdsGrid.SetReadOnly(true);
    // The list fills the data area.
    rgrGrid->setMinimumHeight(120);
    rgrGrid->setMaximumHeight(QWIDGETSIZE_MAX);
    delete DataLayout()->takeAt(0);
    DataLayout()->setStretchFactor(rgrGrid, 1);
    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), 80, 25);
    AddButton(bbtExcel, bbtCancel);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
    CreateForm();
}

void TfrmNAS050::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("업  주  명")));
    edtBossName = PanelEditors::Edit(QStringLiteral("edtBossName"), nullptr, 50);
    edtBossName->setFixedWidth(110);
    AddSearchControl(edtBossName);
    pbtBossName = new TPopupBtn();
    pbtBossName->setObjectName(QStringLiteral("pbtBossName"));
    AddSearchControl(pbtBossName);
    AddSearchControl(new QLabel(QStringLiteral("상  가  명")));
    edtShopName = PanelEditors::Edit(QStringLiteral("edtShopName"), nullptr, 50);
    edtShopName->setFixedWidth(130);
    AddSearchControl(edtShopName);
    pbtShopName = new TPopupBtn();
    pbtShopName->setObjectName(QStringLiteral("pbtShopName"));
    AddSearchControl(pbtShopName);
    for (QLineEdit* edit : {edtBossName, edtShopName}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled);
        edit->installEventFilter(this);
    }
    pbtBossName->OnClick = [this](QObject*) { pbtBossNameClick(); };
    pbtShopName->OnClick = [this](QObject*) { pbtShopNameClick(); };
}

void TfrmNAS050::DeclareFields()
{
    for (const TFieldLayout& layout : Fields) {
        TwDataField* field = cdsGrid.AddField(QString::fromLatin1(layout.name), layout.type, layout.size);
        field->SetRequired(layout.required);
        field->SetCurrency(layout.currency);
        if (layout.date)
            field->SetEditMask(DateMask);
    }
}

void TfrmNAS050::BuildColumns()
{
    for (const TColumnLayout& layout : Columns)
        rgrGrid->AddColumn(QString::fromLatin1(layout.field), QString::fromUtf8(layout.caption), layout.width,
                           layout.alignment);
    rgrGrid->Column(8)->SetVisible(false);
}

void TfrmNAS050::FormCreate()
{
    TfrmZZI020::FormCreate();
    NameSearch::SetupPopup(pbtBossName, edtBossName,
                           QStringLiteral("SELECT BOSS_NAME, C_NAME                           \r"
                                          "  FROM VA050MS                                     \r"
                                          " WHERE USE_YN = 'Y'"),
                           QStringLiteral("BOSS_NAME"), {QStringLiteral("대표자 명"), QStringLiteral("거래처 명")},
                           {QStringLiteral("25"), QStringLiteral("60")});
    NameSearch::SetupShopPopup(pbtShopName, edtShopName);
}

// Enter in a name box opens its popup on what was typed.
bool TfrmNAS050::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            TPopupBtn* button = watched == edtBossName ? pbtBossName : watched == edtShopName ? pbtShopName : nullptr;
            if (button) {
                RunCommand([button] { button->LinkClick(); });
                return true;
            }
        }
    }
    return TfrmZZI020::eventFilter(watched, event);
}

void TfrmNAS050::pbtBossNameClick()
{
    NameSearch::TakePick(pbtBossName, edtBossName);
}

void TfrmNAS050::pbtShopNameClick()
{
    NameSearch::TakePick(pbtShopName, edtShopName);
}

QString TfrmNAS050::SearchStatement() const
{
    return QStringLiteral("SELECT B.C_NAME, B.REP_PHONE, B.BOSS_NAME, B.MOBILE_NO, C.SHOP_NAME, A.*")
           + QString::fromLatin1(Joins) + NameSearch::NameFilters(edtShopName->text(), edtBossName->text());
}

QString TfrmNAS050::ExportStatement() const
{
    return QStringLiteral("SELECT ") + QString::fromUtf8(ExportColumns) + QString::fromLatin1(Joins)
           + NameSearch::NameFilters(edtShopName->text(), edtBossName->text());
}

void TfrmNAS050::bbtSearchClick()
{
    TfrmZZI020::bbtSearchClick();
    cdsGrid.Close();
    qryGrid.Close();
    qryGrid.SQL().clear();
    qryGrid.SQL() << SearchStatement();
    RunQueryWithTrace(qryGrid, QStringLiteral("Open"));
    rgrGrid->BeginUpdate();
    const auto resume = qScopeGuard([this] { rgrGrid->EndUpdate(true); });
    cdsGrid.Open();
}

void TfrmNAS050::bbtCancelClick()
{
    TfrmZZI020::bbtCancelClick();
    cdsGrid.Close();
    edtBossName->clear();
    edtShopName->clear();
}

void TfrmNAS050::bbtExcelClick()
{
    qryQuery.Close();
    qryQuery.SQL().clear();
    qryQuery.SQL() << ExportStatement();
    RunQueryWithTrace(qryQuery, QStringLiteral("Open"));
    if (!ExportQueryToExcel(qryQuery, QStringLiteral("임대업주 계약 현황 조회")))
        ShowInfo(QStringLiteral("자료를 저장하지 못했습니다."));
}
