#include "screens/ni/TfrmNIH002.h"

#include <QLineEdit>

#include "controls/TwMemGrid.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const ContractStatement =
    "SELECT A.UPJANG_CODE, UPJANG_NAME, CONT_CODE, (SELECT BOSS_NAME FROM VA050MS WHERE C_CODE = B.C_CODE) "
    "AS BOSS_NAME, CONT_END_DATE, B.CONT_CANCEL_DATE FROM ( SELECT UPJANG_CODE, UPJANG_NAME FROM JA010MS "
    "WHERE USE_YN = 'Y' AND (UPJANG_NAME LIKE :SHOP_NAME or :SHOP_NAME is null) ) A,NA020MS B WHERE "
    "A.UPJANG_CODE = B.SHOP_CODE";
} // namespace

TfrmNIH002::TfrmNIH002(QWidget* parent)
    : TLookupDialog(QStringLiteral("frmNIH002"), QStringLiteral("계약 조회"), QSize(537, 507), parent)
{
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 16, 74);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("업장 명"), 30, 114);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 16, 64, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("계약자명"), 16, 64, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("종료일자"), 16, 67, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("해지일자"), 16, 70, Qt::AlignHCenter);

    CreateForm();
}

// The list is not loaded by itself: the user narrows it by name first.
void TfrmNIH002::FormShow()
{
    edtFindName->setFocus();
}

void TfrmNIH002::bbtSearchClick()
{
    const QString find = edtFindName->text();
    qryQuery.SQL().clear();
    qryQuery.SQL() << QLatin1String(ContractStatement);
    qryQuery.ParamByName(QStringLiteral("SHOP_NAME"))
        .SetAsString(Pattern(find));
    TLookupDialog::bbtSearchClick();
}

void TfrmNIH002::PickRow(int row)
{
    m_pickedSiteCode = rgrGrid->Cells(0, row).AsString();
    m_pickedSiteName = rgrGrid->Cells(1, row).AsString();
    m_pickedContractCode = rgrGrid->Cells(2, row).AsString();
}
