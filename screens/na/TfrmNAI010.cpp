#include "screens/na/TfrmNAI010.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const SearchStatement =
    "SELECT SHOP_CODE, (SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, "
    "SHOP_PLACE, (SELECT DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA001' AND DETAIL = A.SHOP_PLACE) AS "
    "SHOP_PALCE_NAME, SHOP_POSITION, SHOP_LEASE_TYPE, (SELECT DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA002' "
    "AND DETAIL = A.SHOP_LEASE_TYPE) AS SHOP_LEASE_TYPE_NAME, SHOP_ITEM, SHOP_USED_YN, SHOP_DIRECT_YN, "
    "SHOP_PHONE, SHOP_REMARK FROM NA010MS A WHERE (SHOP_NAME LIKE :SHOP_NAME OR :SHOP_NAME IS NULL) AND "
    "(SHOP_PLACE = :SHOP_PLACE OR :SHOP_PLACE IS NULL) AND (SHOP_LEASE_TYPE = :SHOP_LEASE_TYPE OR "
    ":SHOP_LEASE_TYPE IS NULL)";
// Shop '4001' lends its lease type, extension and remark to the new sites
// when it exists; an office without it (a new one) still lists them.
const char* const NewSiteStatement =
    "SELECT A.UPJANG_CODE AS SHOP_CODE, A.UPJANG_NAME AS SHOP_NAME, '' AS SHOP_PLACE, '' AS SHOP_PALCE_NAME, "
    "'' AS SHOP_POSITION, SHOP_LEASE_TYPE, (SELECT DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA002' AND DETAIL = "
    "B.SHOP_LEASE_TYPE) AS SHOP_LEASE_TYPE_NAME, '' AS SHOP_ITEM, '' AS SHOP_USED_YN, '' AS SHOP_DIRECT_YN, "
    "SHOP_PHONE, SHOP_REMARK FROM JA010MS A LEFT JOIN (SELECT * FROM NA010MS WHERE SHOP_CODE = '4001') B ON 1 = 1 WHERE "
    "UPJANG_CODE IN ( SELECT UPJANG_CODE FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND ETC_FLAG = 'Y' MINUS "
    "SELECT SHOP_CODE FROM NA010MS )";
const char* const ArcadeListStatement =
    "SELECT DETAIL, DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA001' AND DETAIL <> ' '";
const char* const LeaseTypeListStatement =
    "SELECT DETAIL, DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA002' AND DETAIL <> ' '";
const QStringList PositionNameStatement = {"SELECT DETAIL_NAME AS PositionCodeName FROM ZX010MS",
                                           "  WHERE HEAD = 'NA001' AND DETAIL = :Position_Code"};
const QStringList LeaseNameStatement = {"SELECT DETAIL_NAME AS LeaseCodeName FROM ZX010MS",
                                        "  WHERE HEAD = 'NA002' AND DETAIL = :Lease_Code"};

constexpr int PanelWidth = 321;
constexpr int PhoneLength = 4;
constexpr int RemarkLength = 200;
} // namespace

using namespace PanelEditors;

TfrmNAI010::TfrmNAI010(QWidget* parent)
    : TfrmZZI070(parent), qryNewUpjang(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmNAI010"));
    AddQuery(qryNewUpjang);
    qryQuery.SQL() << QLatin1String(SearchStatement);
    qryNewUpjang.SQL() << QLatin1String(NewSiteStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NAI010_01"));
    bbtAdd->hide();

    BuildSearchBar();
    BuildPanel();
    BuildGrid();
    CreateForm();
}

void TfrmNAI010::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("영업장명")));
    edtFindName = Edit(QStringLiteral("edtFindName"), nullptr);
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);
    AddSearchControl(new QLabel(QStringLiteral("상가코드")));
    cbPositionSearch = new QComboBox();
    cbPositionSearch->setObjectName(QStringLiteral("cbPositionSearch"));
    cbPositionSearch->setMinimumWidth(150);
    AddSearchControl(cbPositionSearch);
    AddSearchControl(new QLabel(QStringLiteral("임대형태")));
    cbLeaseTypeSearch = new QComboBox();
    cbLeaseTypeSearch->setObjectName(QStringLiteral("cbLeaseTypeSearch"));
    cbLeaseTypeSearch->setMinimumWidth(120);
    AddSearchControl(cbLeaseTypeSearch);
}

// The editor panel takes the left pane (its width follows the splitter) and
// the grid the right one.
void TfrmNAI010::BuildPanel()
{
    MoveGridToSecondPane(PanelWidth);

    QWidget* panel = Panel1;
    auto* form = new QGridLayout();
    form->setContentsMargins(8, 10, 8, 8);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(6);
    int line = 0;
    auto addLine = [&](const QString& caption, QLayout* editors) {
        form->addWidget(Caption(caption, panel), line, 0);
        form->addLayout(editors, line, 1);
        ++line;
    };
    auto single = [](QWidget* editor) {
        auto* row = new QHBoxLayout();
        row->setSpacing(2);
        row->addWidget(editor);
        return row;
    };

    // The site's name belongs to the site master: shown, never edited. Its box
    // sits in a container of its own that stays disabled, so that switching
    // the screen to edit mode, which enables every data control, leaves it
    // disabled.
    auto* shopNameHolder = new QWidget(panel);
    shopNameHolder->setEnabled(false);
    auto* holderLayout = new QHBoxLayout(shopNameHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    edtShopName = Edit(QStringLiteral("edtShopName"), shopNameHolder);
    QPalette green = edtShopName->palette();
    green.setColor(QPalette::Disabled, QPalette::Base, MoneyGreen());
    green.setColor(QPalette::Disabled, QPalette::Text, green.color(QPalette::Active, QPalette::Text));
    edtShopName->setPalette(green);
    holderLayout->addWidget(edtShopName);
    form->addWidget(Caption(QStringLiteral("영업장명"), panel), line, 0);
    form->addWidget(shopNameHolder, line++, 1);

    auto codeLine = [&](QLineEdit*& code, QPushButton*& button, QLineEdit*& name, const QString& codeName,
                        const QString& buttonName, const QString& nameName) {
        const TCodeLine parts = CodeLine(codeName, buttonName, nameName, 46, panel);
        code = parts.code;
        button = parts.button;
        name = parts.name;
        return parts.row;
    };
    addLine(QStringLiteral("상가코드"), codeLine(edt_PositionCode, bbt_PositionCode, edt_PositionCodeName,
                                              QStringLiteral("edt_PositionCode"), QStringLiteral("bbt_PositionCode"),
                                              QStringLiteral("edt_PositionCodeName")));
    edtShopLocation = Edit(QStringLiteral("edtShopLocation"), panel);
    edtShopLocation->setMaxLength(50);
    addLine(QStringLiteral("영업장 위치"), single(edtShopLocation));
    addLine(QStringLiteral("임대형태"), codeLine(edt_LeaseCode, bbt_LeaseCode, edt_LeaseCodeName,
                                              QStringLiteral("edt_LeaseCode"), QStringLiteral("bbt_LeaseCode"),
                                              QStringLiteral("edt_LeaseCodeName")));
    edtItem = Edit(QStringLiteral("edtItem"), panel);
    edtItem->setMaxLength(30);
    addLine(QStringLiteral("영업 Item"), single(edtItem));

    cmbUseYN = new QComboBox(panel);
    cmbUseYN->setObjectName(QStringLiteral("cmbUseYN"));
    cmbUseYN->addItems({QStringLiteral("N"), QStringLiteral("Y")});
    cmbUseYN->setFixedWidth(60);
    auto* useLine = single(cmbUseYN);
    useLine->addStretch(1);
    addLine(QStringLiteral("사용여부"), useLine);

    edtPhone = Edit(QStringLiteral("edtPhone"), panel);
    edtPhone->setMaxLength(PhoneLength);
    edtPhone->setFixedWidth(60);
    auto* phoneLine = single(edtPhone);
    phoneLine->addStretch(1);
    addLine(QStringLiteral("내선번호"), phoneLine);

    moRemark = new QPlainTextEdit(panel);
    moRemark->setObjectName(QStringLiteral("moRemark"));
    moRemark->setTabChangesFocus(true);
    moRemark->setFixedHeight(110);
    form->addWidget(Caption(QStringLiteral("비    고"), panel), line, 0, Qt::AlignTop);
    form->addWidget(moRemark, line++, 1);
    form->setColumnStretch(1, 1);

    bbtNewUpjang = new QPushButton(QStringLiteral("신규 임대영업장 조회"), panel);
    bbtNewUpjang->setObjectName(QStringLiteral("bbtNewUpjang"));
    bbtNewUpjang->setFixedHeight(30);

    auto* pane = static_cast<QVBoxLayout*>(Panel1->layout());
    pane->addLayout(form);
    pane->addStretch(1);
    auto* foot = new QHBoxLayout();
    foot->setContentsMargins(8, 0, 8, 8);
    foot->addWidget(bbtNewUpjang);
    pane->addLayout(foot);

    const std::pair<QWidget*, int> mirrored[] = {
        {edt_PositionCode, colShopPlace}, {edtShopLocation, colShopPosition}, {edt_LeaseCode, colShopLeaseType},
        {edtItem, colShopItem},           {cmbUseYN, colShopUsedYn},          {edtPhone, colShopPhone},
        {moRemark, colShopRemark}};
    for (const auto& [editor, column] : mirrored) {
        m_panelColumns.insert(editor, column);
        WireEditor(editor);
    }
    for (QLineEdit* edit : {edt_PositionCode, edtShopLocation, edt_LeaseCode, edtItem, edtPhone})
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { RunCommand([&] { edtShopNameChange(edit); }); });
    connect(edtShopName, &QLineEdit::textChanged, this,
            [this] { RunCommand([&] { edtShopNameChange(edtShopName); }); });
    connect(cmbUseYN, &QComboBox::currentTextChanged, this,
            [this] { RunCommand([&] { edtShopNameChange(cmbUseYN); }); });
    LimitLength(moRemark, RemarkLength);
    connect(moRemark, &QPlainTextEdit::textChanged, this, [this] { RunCommand([&] { edtShopNameChange(moRemark); }); });

    ConnectButton(bbt_PositionCode, [this] { bbt_PositionCodeClick(); });
    ConnectButton(bbt_LeaseCode, [this] { bbt_LeaseCodeClick(); });
    ConnectButton(bbtNewUpjang, [this] { bbtNewUpjangClick(); });
}

void TfrmNAI010::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 16, 64, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("영업장명"), 30, 107);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("상가코드"), 16, 64, Qt::AlignHCenter)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("상가코드명"), 30, 78);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("위치"), 50, 112);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("임대코드"), 16, 64, Qt::AlignHCenter)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("임대형태명"), 30, 75);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("영업아이템"), 30, 64);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("사용여부"), 16, 38, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("직영여부"), 16, 64, Qt::AlignHCenter)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("내선번호"), 16, 58, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("비고"), RemarkLength, 98);
    rgrGrid->OnRowChange = [this](QObject*) { LoadPanel(); };
}

void TfrmNAI010::FormCreate()
{
    TfrmZZI070::FormCreate();
    // Without its lists the screen still opens; the error has been shown.
    RunCommand([this] { FillCodeList(cbPositionSearch, QLatin1String(ArcadeListStatement)); });
    RunCommand([this] { FillCodeList(cbLeaseTypeSearch, QLatin1String(LeaseTypeListStatement)); });
}

void TfrmNAI010::FillCodeList(QComboBox* list, const QString& statement)
{
    list->clear();
    list->addItem(QString());
    qryTemp.Close();
    qryTemp.SQL().clear();
    qryTemp.SQL() << statement;
    qryTemp.Open();
    for (; !qryTemp.Eof(); qryTemp.Next())
        list->addItem(qryTemp.Fields(0).AsString() + QLatin1Char('-') + qryTemp.Fields(1).AsString());
    qryTemp.Close();
    list->setCurrentIndex(0);
}

void TfrmNAI010::BindSearch()
{
    const QString find = edtFindName->text();
    qryQuery.ParamByName(QStringLiteral("SHOP_NAME"))
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
    // The code is the item's first two characters, in front of its "-".
    qryQuery.ParamByName(QStringLiteral("SHOP_PLACE")).SetAsString(cbPositionSearch->currentText().left(2));
    qryQuery.ParamByName(QStringLiteral("SHOP_LEASE_TYPE")).SetAsString(cbLeaseTypeSearch->currentText().left(2));
}

void TfrmNAI010::bbtSearchClick()
{
    BindSearch();
    TfrmZZI070::bbtSearchClick();
    LoadPanel();
}

void TfrmNAI010::EnsureSaveColumns()
{
    if (!ColumnNames.isEmpty())
        return;
    BindSearch();
    qryQuery.Open();
    BuildSaveColumns();
    qryQuery.Close();
}

void TfrmNAI010::bbtNewUpjangClick()
{
    SetStatusText(QString());
    if (rgrGrid->EditState() != wgsBrowse)
        rgrGrid->Post(); // a change made in the panel stays pending
    EnsureSaveColumns();
    if (SearchMode())
        EnterEditMode();
    rgrGrid->Clear();
    qryNewUpjang.Open();
    rgrGrid->BeginUpdate();
    try {
        const int fields = qMin(qryNewUpjang.FieldCount(), colShopRemark + 1);
        for (int row = 0; !qryNewUpjang.Eof(); qryNewUpjang.Next(), ++row) {
            rgrGrid->AppendRow(true, false, false);
            for (int f = 0; f < fields; ++f)
                rgrGrid->Cells(f, row).SetAsString(qryNewUpjang.Fields(f).AsString());
        }
    } catch (...) {
        rgrGrid->EndUpdate(true);
        qryNewUpjang.Close();
        throw;
    }
    rgrGrid->EndUpdate(true);
    qryNewUpjang.Close();
    if (rgrGrid->RowCount() == 0)
        SetStatusText(QStringLiteral("조회할 내용이 없습니다."));
    LoadPanel();
}

void TfrmNAI010::bbt_PositionCodeClick()
{
    edt_PositionCode->setText(PickCode(QStringLiteral("1")));
}

void TfrmNAI010::bbt_LeaseCodeClick()
{
    edt_LeaseCode->setText(PickCode(QStringLiteral("2")));
}

QString TfrmNAI010::PanelText(QObject* editor) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(editor))
        return list->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        return memo->toPlainText();
    return QString();
}

QString TfrmNAI010::CodeName(const QStringList& statement, const QString& paramName, const QString& fieldName,
                             const QString& code)
{
    qryTemp.Close();
    qryTemp.SQL() = statement;
    qryTemp.ParamByName(paramName).SetAsString(code);
    qryTemp.Open();
    const QString name = qryTemp.Eof() ? QString() : qryTemp.FieldByName(fieldName).AsString();
    qryTemp.Close();
    return name;
}

void TfrmNAI010::edtShopNameChange(QObject* Sender)
{
    const int column = m_panelColumns.value(Sender, -1);
    // The shop's name is never written; without a row there is nothing to
    // write into (an edit would start a new row).
    if (m_loadingPanel || column < 0 || rgrGrid->RowCount() == 0)
        return;
    if (!rgrGrid->Edit())
        return;
    const int row = rgrGrid->Row();
    rgrGrid->Cells(column, row).SetAsString(PanelText(Sender));
    if (Sender == edt_PositionCode) {
        const QString name = CodeName(PositionNameStatement, QStringLiteral("Position_Code"),
                                      QStringLiteral("PositionCodeName"), edt_PositionCode->text());
        edt_PositionCodeName->setText(name);
        rgrGrid->Cells(colShopPlaceName, row).SetAsString(name);
    } else if (Sender == edt_LeaseCode) {
        const QString name = CodeName(LeaseNameStatement, QStringLiteral("Lease_Code"),
                                      QStringLiteral("LeaseCodeName"), edt_LeaseCode->text());
        edt_LeaseCodeName->setText(name);
        rgrGrid->Cells(colShopLeaseTypeName, row).SetAsString(name);
    }
}

void TfrmNAI010::LoadPanel()
{
    const QScopedValueRollback<bool> loading(m_loadingPanel, true);
    if (rgrGrid->RowCount() == 0) {
        ClearPanel();
        return;
    }
    const int row = rgrGrid->Row();
    auto cell = [&](int column) { return rgrGrid->Cells(column, row).AsString(); };
    edtShopName->setText(cell(colShopName));
    edt_PositionCode->setText(cell(colShopPlace));
    edt_PositionCodeName->setText(cell(colShopPlaceName));
    edtShopLocation->setText(cell(colShopPosition));
    edt_LeaseCode->setText(cell(colShopLeaseType));
    edt_LeaseCodeName->setText(cell(colShopLeaseTypeName));
    edtItem->setText(cell(colShopItem));
    cmbUseYN->setCurrentText(cell(colShopUsedYn) == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"));
    edtPhone->setText(cell(colShopPhone));
    moRemark->setPlainText(cell(colShopRemark));
}

// With no row to show, the panel shows nothing rather than the last shop.
void TfrmNAI010::ClearPanel()
{
    for (QLineEdit* edit : {edtShopName, edt_PositionCode, edt_PositionCodeName, edtShopLocation, edt_LeaseCode,
                            edt_LeaseCodeName, edtItem, edtPhone})
        edit->clear();
    cmbUseYN->setCurrentIndex(0);
    moRemark->clear();
}
