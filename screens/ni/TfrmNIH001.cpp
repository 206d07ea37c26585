#include "screens/ni/TfrmNIH001.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/TwColumnTitle.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const ArcadeStatement =
    "SELECT DETAIL,DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA001' AND DETAIL > ' ' AND :DETAIL IS NULL";
const char* const LeaseTypeStatement =
    "SELECT DETAIL,DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA002' AND DETAIL > ' '  AND :DETAIL IS NULL";
const char* const PartnerStatement =
    "SELECT C_CODE,C_NAME,BOSS_NAME FROM VA050MS WHERE USE_YN = 'Y' AND (C_NAME LIKE :C_NAME OR BOSS_NAME "
    "LIKE :BOSS_NAME)";
const char* const SiteStatement =
    "SELECT UPJANG_CODE,UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE LIKE '4%' AND USE_YN = 'Y' AND "
    "DIRECT_MANAGE_YN = 'N' AND (UPJANG_NAME LIKE :SHOP_NAME or :SHOP_NAME is null)";

QString Pattern(const QString& text)
{
    return text.isEmpty() ? QString() : QStringLiteral("%") + text + QStringLiteral("%");
}
} // namespace

TfrmNIH001::TfrmNIH001(QWidget* parent) : TfrmZZI090(parent)
{
    setObjectName(QStringLiteral("frmNIH001"));
    setWindowTitle(QStringLiteral("코드 조회"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(368, 507);

    lbl_Find = new QLabel(QStringLiteral("영업장명"));
    lbl_Find->setObjectName(QStringLiteral("lbl_Find"));
    AddSearchControl(lbl_Find);
    edtFindName = new QLineEdit();
    edtFindName->setObjectName(QStringLiteral("edtFindName"));
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);
    lbl_Find->setBuddy(edtFindName);

    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();

    ScreenGrid::MakeListGrid(rgrGrid);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("코드"), 16, 74);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("코드 명"), 30, 173);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QString(), 16, 64)->SetVisible(false); // partners' representative
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QString(), 16, 64)->SetVisible(false);
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { rgrGridDblClick(); }); };

    CreateForm();
}

void TfrmNIH001::showEvent(QShowEvent* e)
{
    TfrmZZI090::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TfrmNIH001::FormShow()
{
    if (m_lookupMode == QLatin1String("1") || m_lookupMode == QLatin1String("2")) {
        lbl_Find->hide();
        edtFindName->hide();
        rgrGrid->Column(2)->SetVisible(false);
        RunCommand([this] { bbtSearchClick(); });
    } else if (m_lookupMode == QLatin1String("3")) {
        lbl_Find->show();
        edtFindName->show();
        lbl_Find->setText(QStringLiteral("거래처명"));
        rgrGrid->Column(2)->Title()->SetCaption(QStringLiteral("대표자명"));
        rgrGrid->Column(2)->SetVisible(true);
        // Partner codes run to ten characters; the column shows them whole.
        const int codeWidth = QFontMetrics(rgrGrid->font()).horizontalAdvance(QString(10, QLatin1Char('0'))) + 12;
        rgrGrid->Column(0)->SetWidth(qMax(rgrGrid->Column(0)->Width(), codeWidth));
        edtFindName->setFocus();
    } else {
        rgrGrid->Column(2)->SetVisible(false);
        edtFindName->setFocus();
    }
}

void TfrmNIH001::bbtSearchClick()
{
    const QString find = edtFindName->text();
    qryQuery.SQL().clear();
    if (m_lookupMode == QLatin1String("1") || m_lookupMode == QLatin1String("2")) {
        qryQuery.SQL() << QLatin1String(m_lookupMode == QLatin1String("1") ? ArcadeStatement : LeaseTypeStatement);
        qryQuery.ParamByName(QStringLiteral("DETAIL")).SetAsString(QString());
    } else if (m_lookupMode == QLatin1String("3")) {
        // An empty find text binds both names empty (NULL), so that no
        // partner is listed rather than a name left without a value.
        qryQuery.SQL() << QLatin1String(PartnerStatement);
        qryQuery.ParamByName(QStringLiteral("C_NAME")).SetAsString(Pattern(find));
        qryQuery.ParamByName(QStringLiteral("BOSS_NAME")).SetAsString(Pattern(find));
    } else if (m_lookupMode == QLatin1String("4")) {
        qryQuery.SQL() << QLatin1String(SiteStatement);
        qryQuery.ParamByName(QStringLiteral("SHOP_NAME")).SetAsString(Pattern(find));
    }
    TfrmZZI090::bbtSearchClick();
}

void TfrmNIH001::bbtCancelClick()
{
    TfrmZZI090::bbtCancelClick();
    rgrGrid->Clear();
}

void TfrmNIH001::rgrGridDblClick()
{
    // An empty list has no row to pick: the dialog stays open.
    if (rgrGrid->RowCount() == 0)
        return;
    const int row = rgrGrid->Row();
    m_pickedCode = rgrGrid->Cells(0, row).AsString();
    m_pickedName = rgrGrid->Cells(1, row).AsString();
    bbtCloseClick();
}
