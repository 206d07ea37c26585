#include "screens/na/TfrmNAI070.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const SearchStatement =
    "SELECT UPJANG_CODE, UPJANG_NAME, ETC_FLAG, DIRECT_MANAGE_YN, USE_YN FROM JA010MS "
    "WHERE (UPJANG_NAME LIKE :UPJANG_NAME OR :UPJANG_NAME IS NULL) ORDER BY UPJANG_CODE";
constexpr int PanelWidth = 281;
} // namespace

using namespace PanelEditors;

TfrmNAI070::TfrmNAI070(QWidget* parent) : TRegisterScreen(parent)
{
    setObjectName(QStringLiteral("frmNAI070"));
    setWindowTitle(QStringLiteral("업장 등록"));
    qryQuery.SQL() << QLatin1String(SearchStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NAI070_01"));

    AddSearchControl(new QLabel(QStringLiteral("업장명")));
    edtFindName = Edit(QStringLiteral("edtFindName"), nullptr);
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);

    BuildPanelFrame(PanelWidth);
    edtCode = ShownBox(QStringLiteral("edtCode"), colCode);
    AddLine(QStringLiteral("업장코드"), edtCode->parentWidget());
    edtName = Edit(QStringLiteral("edtName"), Panel1, 50);
    AddLine(QStringLiteral("업장명"), edtName, colName);
    cmbLeasable = YesNoBox(QStringLiteral("cmbLeasable"));
    cmbLeasable->setToolTip(QStringLiteral("임대할 수 있는 업장은 코드가 4로 시작합니다."));
    AddLine(QStringLiteral("임대영업장"), cmbLeasable, colLeasable);
    cmbDirect = YesNoBox(QStringLiteral("cmbDirect"));
    AddLine(QStringLiteral("직영여부"), cmbDirect, colDirect);
    cmbUseYN = YesNoBox(QStringLiteral("cmbUseYN"));
    AddLine(QStringLiteral("사용여부"), cmbUseYN, colUseYn);

    using ScreenGrid::AddReadOnlyColumn;
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장코드"), 6, 64, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장명"), 50, 180);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("임대"), 1, 40, Qt::AlignHCenter)->SetDefaults(QStringLiteral("Y"));
    AddReadOnlyColumn(rgrGrid, QStringLiteral("직영"), 1, 40, Qt::AlignHCenter)->SetDefaults(QStringLiteral("N"));
    AddReadOnlyColumn(rgrGrid, QStringLiteral("사용"), 1, 40, Qt::AlignHCenter)->SetDefaults(QStringLiteral("Y"));
    CreateForm();
}

void TfrmNAI070::BindSearch()
{
    const QString find = edtFindName->text();
    qryQuery.ParamByName(QStringLiteral("UPJANG_NAME"))
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
}
