#include "screens/zz/TfrmZZA010.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TPasswordHash.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"

namespace {
constexpr int PanelWidth = 250;

const char* const EmployeeStatement =
    "SELECT A.EMP_NO, A.EMP_NAME, A.USE_YN, "
    "(SELECT B.PROJECT_LEVEL FROM ZA130MS B WHERE B.EMP_NO = A.EMP_NO AND B.PROJECT_ID = 'SELVAR_N') "
    "AS PROJECT_LEVEL, A.PASSWORD_SET_AT, '' AS NEW_HASH FROM ZA010MS A ORDER BY A.EMP_NO";
// The loaded key travels along, so that a changed row replaces its old one.
const char* const GrantStatement =
    "SELECT G.PROJECT_LEVEL, G.PROGRAM_ID, P.PROGRAM_NAME, G.PROJECT_LEVEL AS OLD_LEVEL, "
    "G.PROGRAM_ID AS OLD_PROGRAM_ID FROM ZA140MS G, ZA050MS P WHERE G.PROJECT_ID = 'SELVAR_N' "
    "AND P.PROJECT_ID = G.PROJECT_ID AND P.PROGRAM_ID = G.PROGRAM_ID "
    "ORDER BY G.PROJECT_LEVEL, P.MENU_ID, P.DISPLAY_SEQ";
const char* const ExceptionStatement =
    "SELECT X.EMP_NO, E.EMP_NAME, X.PROGRAM_ID, P.PROGRAM_NAME, X.ADD_YN, X.EMP_NO AS OLD_EMP_NO, "
    "X.PROGRAM_ID AS OLD_PROGRAM_ID, X.ADD_YN AS OLD_ADD_YN FROM ZA150MS X, ZA010MS E, ZA050MS P "
    "WHERE X.PROJECT_ID = 'SELVAR_N' AND E.EMP_NO = X.EMP_NO AND P.PROJECT_ID = X.PROJECT_ID "
    "AND P.PROGRAM_ID = X.PROGRAM_ID ORDER BY X.EMP_NO, X.PROGRAM_ID";

const char* const Help[] = {
    "사원을 추가하고 이름, 사용여부(Y/N), 권한 등급을 고칩니다. 새 사원과 비밀번호를 잊은 사원에게는 "
    "[비밀번호 지정]으로 비밀번호를 정해 주십시오. 그 사원은 다음 로그인 때 비밀번호를 바꿉니다. "
    "그만둔 사원은 사용여부를 N으로 바꿉니다.",
    "권한 등급마다 열 수 있는 프로그램입니다. 등급과 프로그램 ID를 입력해 추가하고, 지우면 그 등급의 "
    "사원 메뉴에서 빠집니다.",
    "한 사원에게만 프로그램을 더하거나(Y) 빼는(N) 예외입니다. 빼기가 등급과 더하기보다 우선합니다.",
};

QLineEdit* PasswordEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(64);
    return edit;
}
} // namespace

TfrmZZA010::TfrmZZA010(QWidget* parent) : TfrmZZI070(parent), prcCheck(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmZZA010"));
    cbxView = new QComboBox();
    cbxView->setObjectName(QStringLiteral("cbxView"));
    cbxView->addItems({QStringLiteral("사원"), QStringLiteral("권한 등급별 프로그램"), QStringLiteral("사원별 예외")});
    cbxView->setFixedWidth(180);
    AddSearchControl(new QLabel(QStringLiteral("목록")));
    AddSearchControl(cbxView);
    connect(cbxView, &QComboBox::currentIndexChanged, this, [this](int index) { SetView(TView(index)); });
    prcCheck.SetProcedureName(QStringLiteral("PR_ZZA010_04"));
    BuildPanel();
    SetView(vwEmployees);
    CreateForm();
}

void TfrmZZA010::BuildPanel()
{
    MoveGridToSecondPane(PanelWidth);
    auto* pane = static_cast<QVBoxLayout*>(Panel1->layout());
    lblHelp = new QLabel(Panel1);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setWordWrap(true);
    lblHelp->setContentsMargins(10, 10, 10, 10);
    pane->addWidget(lblHelp);
    bbtPassword = new QPushButton(QStringLiteral("비밀번호 지정"), Panel1);
    bbtPassword->setObjectName(QStringLiteral("bbtPassword"));
    bbtPassword->setFixedHeight(30);
    auto* foot = new QHBoxLayout();
    foot->setContentsMargins(10, 0, 10, 0);
    foot->addWidget(bbtPassword);
    pane->addLayout(foot);
    pane->addStretch(1);
    ConnectButton(bbtPassword, [this] { bbtPasswordClick(); });
}

TwMemColumn* TfrmZZA010::AddColumn(const QString& caption, int dataWidth, int width, bool readOnly, bool visible)
{
    auto* column = static_cast<TwMemColumn*>(rgrGrid->Columns()->Add());
    column->SetDataType(wdtString);
    column->SetDataWidth(dataWidth);
    column->SetWidth(width);
    column->SetReadOnly(readOnly);
    column->SetVisible(visible);
    column->Title()->SetCaption(caption);
    return column;
}

void TfrmZZA010::SetView(TView view)
{
    m_view = view;
    rgrGrid->Clear();
    rgrGrid->Columns()->Clear();
    ChangeGrid->Clear();
    ChangeGrid->Columns()->Clear();
    ColumnNames.clear();
    RowCounter = 0;
    Modified = false;
    qryQuery.Close();
    qryQuery.SQL().clear();
    switch (view) {
    case vwEmployees:
        AddColumn(QStringLiteral("사원번호"), 8, 90);
        AddColumn(QStringLiteral("사원명"), 50, 120);
        AddColumn(QStringLiteral("사용여부"), 1, 70)->SetAlignment(Qt::AlignHCenter);
        AddColumn(QStringLiteral("권한 등급"), 5, 90);
        AddColumn(QStringLiteral("비밀번호 지정일"), 19, 150, true);
        AddColumn(QStringLiteral("새 비밀번호"), 255, 0, true, false);
        qryQuery.SQL() << QLatin1String(EmployeeStatement);
        prcProc.SetProcedureName(QStringLiteral("PR_ZZA010_01"));
        break;
    case vwGrants:
        AddColumn(QStringLiteral("권한 등급"), 5, 90);
        AddColumn(QStringLiteral("프로그램 ID"), 10, 100);
        AddColumn(QStringLiteral("프로그램명"), 50, 220, true);
        AddColumn(QString(), 5, 0, true, false);
        AddColumn(QString(), 10, 0, true, false);
        qryQuery.SQL() << QLatin1String(GrantStatement);
        prcProc.SetProcedureName(QStringLiteral("PR_ZZA010_02"));
        break;
    case vwExceptions:
        AddColumn(QStringLiteral("사원번호"), 8, 90);
        AddColumn(QStringLiteral("사원명"), 50, 110, true);
        AddColumn(QStringLiteral("프로그램 ID"), 10, 100);
        AddColumn(QStringLiteral("프로그램명"), 50, 200, true);
        AddColumn(QStringLiteral("추가(Y)/제외(N)"), 1, 110)->SetAlignment(Qt::AlignHCenter);
        for (int hidden : {8, 10, 1})
            AddColumn(QString(), hidden, 0, true, false);
        qryQuery.SQL() << QLatin1String(ExceptionStatement);
        prcProc.SetProcedureName(QStringLiteral("PR_ZZA010_03"));
        break;
    }
    lblHelp->setText(QString::fromUtf8(Help[view]));
    bbtPassword->setVisible(view == vwEmployees);
}

void TfrmZZA010::bbtPasswordClick()
{
    if (m_view != vwEmployees || rgrGrid->RowCount() == 0 || !rgrGrid->isEnabled())
        return;
    const QString empNo = rgrGrid->Cells(ecEmpNo, rgrGrid->Row()).AsString();
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgPassword"));
    dialog.setWindowTitle(QStringLiteral("비밀번호 지정"));
    QLineEdit* first = PasswordEdit(&dialog, QStringLiteral("edtNewPassword"));
    QLineEdit* second = PasswordEdit(&dialog, QStringLiteral("edtNewPasswordAgain"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("사원 %1의 새 비밀번호").arg(empNo)));
    form->addRow(QStringLiteral("새 비밀번호"), first);
    form->addRow(QStringLiteral("비밀번호 확인"), second);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(box);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(box, &QDialogButtonBox::accepted, &dialog, [&] {
        if (first->text() != second->text())
            ShowError(QStringLiteral("두 번 입력한 비밀번호가 같지 않습니다."));
        else if (first->text().size() < TPasswordHash::MinimumLength())
            ShowError(QStringLiteral("비밀번호는 %1자 이상이어야 합니다.").arg(TPasswordHash::MinimumLength()));
        else
            dialog.accept();
    });
    if (dialog.exec() == QDialog::Accepted)
        SetNewPassword(first->text());
}

bool TfrmZZA010::SetNewPassword(const QString& password)
{
    if (m_view != vwEmployees || rgrGrid->RowCount() == 0 || !rgrGrid->Edit())
        return false;
    const int row = rgrGrid->Row();
    rgrGrid->Cells(ecNewHash, row).SetAsString(TPasswordHash::Make(password));
    rgrGrid->Cells(ecPasswordSetAt, row).SetAsString(QStringLiteral("(저장하면 바뀜)"));
    SetStatusText(QStringLiteral("새 비밀번호는 저장할 때 기록됩니다."));
    return true;
}

// Each change goes through its list's procedure; after the last one the
// check runs in the same transaction, and a refusal rolls all of it back
// with the changes still pending on the screen.
void TfrmZZA010::SaveData()
{
    m_unsent = ChangeGrid->RowCount();
    TfrmZZI070::SaveData();
}

void TfrmZZA010::ExecSaveProc()
{
    TfrmZZI070::ExecSaveProc();
    if (--m_unsent != 0)
        return;
    prcCheck.ParamByName(QStringLiteral("AU_EMP_NO")).SetAsString(SessionContext::EmpNo());
    prcCheck.ParamByName(QStringLiteral("AU_IP")).SetAsString(SessionContext::ClientIP());
    prcCheck.ExecProc();
}
