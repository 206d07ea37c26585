#include "screens/ni/TfrmNIH002.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const ContractStatement =
    "SELECT A.UPJANG_CODE, UPJANG_NAME, CONT_CODE, (SELECT BOSS_NAME FROM VA050MS WHERE C_CODE = B.C_CODE) "
    "AS BOSS_NAME, CONT_END_DATE, B.CONT_CANCEL_DATE FROM ( SELECT UPJANG_CODE, UPJANG_NAME FROM JA010MS "
    "WHERE USE_YN = 'Y' AND (UPJANG_NAME LIKE :SHOP_NAME or :SHOP_NAME is null) ) A,NA020MS B WHERE "
    "A.UPJANG_CODE = B.SHOP_CODE";
} // namespace

TfrmNIH002::TfrmNIH002(QWidget* parent) : TfrmZZI090(parent)
{
    setObjectName(QStringLiteral("frmNIH002"));
    setWindowTitle(QStringLiteral("계약 조회"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(537, 507);

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
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 16, 74);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("업장 명"), 30, 114);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 16, 64, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("계약자명"), 16, 64, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("종료일자"), 16, 67, Qt::AlignHCenter);
    ScreenGrid::AddReadOnlyColumn(rgrGrid, QStringLiteral("해지일자"), 16, 70, Qt::AlignHCenter);
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { rgrGridDblClick(); }); };

    CreateForm();
}

void TfrmNIH002::showEvent(QShowEvent* e)
{
    TfrmZZI090::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
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
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
    TfrmZZI090::bbtSearchClick();
}

void TfrmNIH002::bbtCancelClick()
{
    TfrmZZI090::bbtCancelClick();
    rgrGrid->Clear();
}

void TfrmNIH002::rgrGridDblClick()
{
    // An empty list has no row to pick: the dialog stays open.
    if (rgrGrid->RowCount() == 0)
        return;
    const int row = rgrGrid->Row();
    m_pickedSiteCode = rgrGrid->Cells(0, row).AsString();
    m_pickedSiteName = rgrGrid->Cells(1, row).AsString();
    m_pickedContractCode = rgrGrid->Cells(2, row).AsString();
    bbtCloseClick();
}
