#include "screens/na/TfrmNAI060.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

namespace {
const char* const SearchStatement =
    "SELECT C_CODE, C_NAME, BOSS_NAME, BIZ_NO, REP_PHONE, MOBILE_NO, ADDRESS, USE_YN FROM VA050MS "
    "WHERE (C_NAME LIKE :C_NAME OR BOSS_NAME LIKE :C_NAME OR :C_NAME IS NULL) ORDER BY C_CODE";
const char* const BizNoMask = "999-99-99999;0;";
constexpr int PanelWidth = 321;
} // namespace

using namespace PanelEditors;

TfrmNAI060::TfrmNAI060(QWidget* parent) : TRegisterScreen(parent)
{
    setObjectName(QStringLiteral("frmNAI060"));
    setWindowTitle(QStringLiteral("거래처 등록"));
    qryQuery.SQL() << QLatin1String(SearchStatement);
    prcProc.SetProcedureName(QStringLiteral("PR_NAI060_01"));

    AddSearchControl(new QLabel(QStringLiteral("거래처명")));
    edtFindName = Edit(QStringLiteral("edtFindName"), nullptr);
    edtFindName->setFixedWidth(121);
    edtFindName->setToolTip(QStringLiteral("거래처명이나 대표자명의 일부"));
    AddSearchControl(edtFindName);
    BuildPanel();
    BuildGrid();
    CreateForm();
}

void TfrmNAI060::BuildPanel()
{
    BuildPanelFrame(PanelWidth);
    edtCode = ShownBox(QStringLiteral("edtCode"), colCode);
    AddLine(QStringLiteral("거래처코드"), edtCode->parentWidget());
    edtName = Edit(QStringLiteral("edtName"), Panel1, 50);
    AddLine(QStringLiteral("거래처명"), edtName, colName);
    edtBossName = Edit(QStringLiteral("edtBossName"), Panel1, 50);
    AddLine(QStringLiteral("대표자명"), edtBossName, colBossName);
    medBizNo = new TwCustomMaskEdit(Panel1);
    medBizNo->setObjectName(QStringLiteral("medBizNo"));
    medBizNo->SetEditMask(QLatin1String(BizNoMask));
    medBizNo->SetLayout(tlCenter); // level with the text of the boxes around it
    medBizNo->setFixedWidth(110);
    AddLine(QStringLiteral("사업자등록번호"), medBizNo, colBizNo);
    edtPhone = Edit(QStringLiteral("edtPhone"), Panel1, 20);
    edtPhone->setFixedWidth(130);
    AddLine(QStringLiteral("전화번호"), edtPhone, colPhone);
    edtMobile = Edit(QStringLiteral("edtMobile"), Panel1, 20);
    edtMobile->setFixedWidth(130);
    AddLine(QStringLiteral("휴대전화"), edtMobile, colMobile);
    edtAddress = Edit(QStringLiteral("edtAddress"), Panel1, 100);
    AddLine(QStringLiteral("주소"), edtAddress, colAddress);
    cmbUseYN = YesNoBox(QStringLiteral("cmbUseYN"));
    AddLine(QStringLiteral("사용여부"), cmbUseYN, colUseYn);
}

void TfrmNAI060::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처코드"), 10, 84, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처명"), 50, 150);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("대표자명"), 50, 80);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("사업자등록번호"), 10, 100, Qt::AlignHCenter)
        ->SetEditFormat(QLatin1String(BizNoMask));
    AddReadOnlyColumn(rgrGrid, QStringLiteral("전화번호"), 20, 100);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("휴대전화"), 20, 100);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("주소"), 100, 200);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("사용"), 1, 38, Qt::AlignHCenter)->SetDefaults(QStringLiteral("Y"));
}

void TfrmNAI060::BindSearch()
{
    const QString find = edtFindName->text();
    qryQuery.ParamByName(QStringLiteral("C_NAME"))
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
}
