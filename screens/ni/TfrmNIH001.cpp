#include "screens/ni/TfrmNIH001.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

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
} // namespace

TfrmNIH001::TfrmNIH001(QWidget* parent)
    : TLookupDialog(QStringLiteral("frmNIH001"), QStringLiteral("코드 조회"), QSize(368, 507), parent)
{
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("코드"), 16, 74);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("코드 명"), 30, 173);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QString(), 16, 64)->SetVisible(false); // partners' representative
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QString(), 16, 64)->SetVisible(false);

    CreateForm();
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
    TLookupDialog::bbtSearchClick();
}

void TfrmNIH001::PickRow(int row)
{
    m_pickedCode = rgrGrid->Cells(0, row).AsString();
    m_pickedName = rgrGrid->Cells(1, row).AsString();
}
