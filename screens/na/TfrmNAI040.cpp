#include "screens/na/TfrmNAI040.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSplitter>
#include <QVBoxLayout>

#include "common/CommonHelpers.h"
#include "common/KoreanFonts.h"
#include "common/SqlTrace.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBGrid.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TPopupBtn.h"
#include "screens/NameSearch.h"
#include "screens/PanelEditors.h"

namespace {
constexpr int ContractGridHeight = 197;

// 'd' centred date, 'n' right-aligned number, 'c' centred, 'r' right, 't' text.
struct TColumnLayout {
    const char* caption;
    const char* field;
    int width;
    char kind;
};
const TColumnLayout ContractColumns[] = {
    {"거래처명", "C_NAME", 182, 't'},           {"대표자", "BOSS_NAME", 87, 't'},
    {"상가명", "SHOP_NAME", 205, 't'},          {"계약시작일", "CONT_START_DATE", 83, 'd'},
    {"계약만료일", "CONT_END_DATE", 87, 'd'},   {"보증금", "CONT_DEPOSIT", 119, 'n'},
    {"총임대료", "CONT_MONEY", 96, 'n'},        {"월임대료", "CONT_MONTH_PAY", 94, 'n'},
    {"청구일", "CONT_PLACING_DAY", 64, 'c'},    {"허가내용", "CONT_PERMIT", 159, 't'},
    {"허가번호", "CONT_NO", 99, 'r'},           {"허가일자", "CONT_PLACING_DAY", 99, 'c'},
};
} // namespace

TfrmNAI040::TfrmNAI040(QWidget* parent)
    : TfrmZZI010(parent), sqlMain(SharedConnection::Database()), dspMain(&sqlMain), dsMain(&cdsMain)
{
    setObjectName(QStringLiteral("frmNAI040"));
    cdsMain.SetProvider(&dspMain);
    cdsMain.SetReadOnly(true);
    dsMain.SetAutoEdit(false);
    AddQuery(sqlMain);
    BuildSearchBar();
    Splitter1 = new QSplitter(Qt::Vertical, panMain);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    BuildContractGrid();
    BuildRateGrid();
    Splitter1->setSizes({ContractGridHeight, 400});
    auto* data = new QVBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->addWidget(Splitter1);
    CreateForm();
}

TfrmNAI040::~TfrmNAI040()
{
    rdbMain->SetDataSource(nullptr);
}

void TfrmNAI040::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("업  주  명")));
    edtFindBossName = PanelEditors::Edit(QStringLiteral("edtFindBossName"), nullptr, 50);
    edtFindBossName->setReadOnly(true);
    edtFindBossName->setFixedWidth(110);
    AddSearchControl(edtFindBossName);
    pbtBossName = new TPopupBtn();
    pbtBossName->setObjectName(QStringLiteral("pbtBossName"));
    AddSearchControl(pbtBossName);
    AddSearchControl(new QLabel(QStringLiteral("상  가  명")));
    edtFindShopName = PanelEditors::Edit(QStringLiteral("edtFindShopName"), nullptr, 50);
    edtFindShopName->setReadOnly(true);
    edtFindShopName->setFixedWidth(130);
    AddSearchControl(edtFindShopName);
    pbtShopName = new TPopupBtn();
    pbtShopName->setObjectName(QStringLiteral("pbtShopName"));
    AddSearchControl(pbtShopName);
    pbtBossName->OnClick = [this](QObject*) { pbtBossNameClick(); };
    pbtShopName->OnClick = [this](QObject*) { pbtShopNameClick(); };
}

void TfrmNAI040::BuildContractGrid()
{
    rdbMain = new TwDBGrid(Splitter1);
    rdbMain->setObjectName(QStringLiteral("rdbMain"));
    rdbMain->SetOptions(wgoArrowMove | wgoColSizing | wgoFocusRect | wgoRowSelect);
    rdbMain->Headers()->SetColHeight(21);
    rdbMain->SetColRowHeight(18);
    rdbMain->setMinimumHeight(60);
    rdbMain->SetDataSource(&dsMain);
    for (const TColumnLayout& layout : ContractColumns) {
        const Qt::Alignment alignment = layout.kind == 'n' || layout.kind == 'r' ? Qt::AlignRight
                                        : layout.kind == 't'                     ? Qt::AlignLeft
                                                                                 : Qt::AlignHCenter;
        TwDBColumn* column = rdbMain->AddColumn(QString::fromLatin1(layout.field), QString::fromUtf8(layout.caption),
                                                layout.width, alignment);
        if (layout.kind == 'd') {
            column->SetEditStyle(wesDate);
            column->SetEditFormat(QStringLiteral("9999-99-99;0;"));
        } else if (layout.kind == 'n') {
            column->SetEditStyle(wesNumber);
        }
    }
}

void TfrmNAI040::BuildRateGrid()
{
    pnlList = new TPanel(Splitter1);
    pnlList->setObjectName(QStringLiteral("pnlList"));
    rgRate = new TwMemGrid(pnlList);
    rgRate->setObjectName(QStringLiteral("rgRate"));
    rgRate->setFont(ScreenFont());
    rgRate->SetOptions(wgoArrowMove | wgoConfirmDelete | wgoEditing | wgoEnterToTab | wgoFocusRect);
    rgRate->Headers()->SetColHeight(21);
    rgRate->SetColRowHeight(18);
    auto add = [this](const char* caption, TwDataType type, int width, Qt::Alignment alignment) {
        auto* column = static_cast<TwMemColumn*>(rgRate->Columns()->Add());
        column->SetDataType(type);
        column->SetWidth(width);
        column->SetAlignment(alignment);
        column->Title()->SetCaption(QString::fromUtf8(caption));
        return column;
    };
    add("적용년월", wdtString, 80, Qt::AlignHCenter)->SetEditFormat(QStringLiteral("9999-99;0;"));
    add("해지적용비율", wdtFloat, 90, Qt::AlignRight);
    add("해지적용임대료", wdtFloat, 126, Qt::AlignRight)->SetDisplayFormat(QStringLiteral("#,##0"));
    add("납입년월", wdtString, 64, Qt::AlignLeft);
    add("납입임대료", wdtString, 64, Qt::AlignLeft);
    rgRate->OnEdit = [this](TwColumn*, bool&) { m_editFlag = QStringLiteral("U"); };
    auto* list = new QVBoxLayout(pnlList);
    list->setContentsMargins(0, 0, 0, 0);
    list->addWidget(rgRate);
}

void TfrmNAI040::FormCreate()
{
    TfrmZZI010::FormCreate();
    // The owner popup's columns are the owner, the partner and its code.
    NameSearch::SetupPopup(pbtBossName, edtFindBossName,
                           QStringLiteral("SELECT BOSS_NAME, C_NAME, C_CODE   \r"
                                          "  FROM VA050MS                     \r"
                                          " WHERE USE_YN = 'Y'"),
                           QStringLiteral("BOSS_NAME"), {QStringLiteral("대표자 명"), QStringLiteral("거래처 명")},
                           {QStringLiteral("25"), QStringLiteral("60"), QStringLiteral("0")});
    NameSearch::SetupShopPopup(pbtShopName, edtFindShopName);
}

void TfrmNAI040::pbtBossNameClick()
{
    NameSearch::TakePick(pbtBossName, edtFindBossName);
}

void TfrmNAI040::pbtShopNameClick()
{
    NameSearch::TakePick(pbtShopName, edtFindShopName);
}

QString TfrmNAI040::SearchStatement() const
{
    return QStringLiteral("SELECT B.C_NAME, B.REP_PHONE, B.BOSS_NAME, B.MOBILE_NO, C.SHOP_NAME, A.* FROM NA020MS A, "
                          "VA050MS B, NA010MS C WHERE A.C_CODE = B.C_CODE AND A.SHOP_CODE = C.SHOP_CODE AND ")
           + QuotedText(TodayText()) + QStringLiteral(" BETWEEN A.CONT_START_DATE    \r")
           + QStringLiteral("   AND A.CONT_END_DATE                                     \r")
           + QStringLiteral("\t  AND USE_YN = 'Y'")
           + NameSearch::NameFilters(edtFindShopName->text(), edtFindBossName->text());
}

void TfrmNAI040::bbtSearchClick()
{
    TfrmZZI010::bbtSearchClick();
    cdsMain.Close();
    sqlMain.Close();
    sqlMain.SQL().clear();
    sqlMain.SQL() << SearchStatement();
    RunQueryWithTrace(sqlMain, QStringLiteral("Open"));
    rdbMain->BeginUpdate();
    const auto resume = qScopeGuard([this] { rdbMain->EndUpdate(true); });
    cdsMain.Open();
    SetNumericFormats(cdsMain);
}

void TfrmNAI040::bbtCancelClick()
{
    TfrmZZI010::bbtCancelClick();
    if (m_editFlag == QLatin1String("U")) {
        rgRate->Cancel();
        m_editFlag = QStringLiteral("S");
        return;
    }
    cdsMain.Close();
    ClearContainer(pnlList);
    rgRate->Clear();
    rgRate->SetRowCount(0);
}
