#include "screens/na/TfrmNAI020.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "common/CommonHelpers.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwFormat.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "controls/TwNumEdit.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

using namespace PanelEditors;

namespace {
// The fields both contract screens list first, in column order.
const char* const ContractFields =
    "SELECT CONT_CODE, C_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, SHOP_CODE, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME, CONT_START_DATE, "
    "CONT_END_DATE, CONT_CANCEL_DATE, CONT_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_SHOP_TYPE, "
    "CONT_PENALTY, CONT_DELAYRATE, CONT_SIZE1, CONT_SIZE2, CONT_PERMIT, CONT_NO, PERMIT_DATE, CONT_REMARK, "
    "CONT_CANCEL_REM, CONT_DATE, BALANCE_DATE, FIRST_DEPOSIT, LAST_DEPOSIT, ";
const char* const ContractTail =
    "MINAP_CHK, CONT_UPJANGNAME, MANAGE_YN FROM NA020MS A WHERE SHOP_CODE IN (SELECT UPJANG_CODE FROM JA010MS "
    "WHERE (UPJANG_NAME LIKE :SHOP_NAME OR :SHOP_NAME IS NULL)) AND (DECODE(CONT_CANCEL_DATE,NULL,'Y','N') = "
    ":CONTRACT_YN OR :CONTRACT_YN IS NULL) ORDER BY SHOP_CODE";
// Renewal: the signing date and the running term a year on; only active
// contracts whose term has not ended.
const char* const RenewalTail =
    "TO_CHAR(TO_DATE(CONT_DATE)+365,'YYYYMMDD') AS CONT_DATE, TO_CHAR(TO_DATE(NVL(TERM_START_DATE, "
    "CONT_START_DATE))+365,'YYYYMMDD') AS RECONT_START_DATE, TO_CHAR(TO_DATE(CONT_END_DATE)+365,'YYYYMMDD') AS "
    "RECONT_END_DATE FROM NA020MS A WHERE SHOP_CODE IN (SELECT UPJANG_CODE FROM JA010MS WHERE (UPJANG_NAME LIKE "
    ":SHOP_NAME OR :SHOP_NAME IS NULL)) AND CONT_CANCEL_DATE IS NULL AND CONT_END_DATE >= :TODAY ORDER BY SHOP_CODE";
const char* const StateListStatement =
    "SELECT 'Y - 계약' AS DETAIL FROM DUAL UNION ALL SELECT 'N - 해약' AS DETAIL FROM DUAL";
const QStringList DateStatement = {
    "select :cont_date as cont_date,",
    "       to_char(add_months(to_date(:cont_date),1),'yyyymmdd') as balance_date,",
    "       to_char(add_months(to_date(:cont_date),1),'yyyymmdd') as s_date,",
    "       to_char(add_months(to_date(:cont_date)-1,13),'yyyymmdd') as e_date",
    "  from dual"};
// The earlier terms of a contract, then the running one.
const char* const TermsStatement =
    "SELECT TERM_SEQ, TERM_START_DATE, TERM_END_DATE, CONT_DEPOSIT, CONT_LEASE_MONEY FROM NA021MS "
    "WHERE CONT_CODE = :CONT_CODE UNION ALL SELECT 9999, NVL(TERM_START_DATE, CONT_START_DATE), CONT_END_DATE, "
    "CONT_DEPOSIT, CONT_LEASE_MONEY FROM NA020MS WHERE CONT_CODE = :CONT_CODE ORDER BY 1";
const QStringList PartnerNameStatement = {"SELECT C_NAME FROM VA050MS ", "  WHERE C_CODE = :C_CODE"};
const QStringList SiteNameStatement = {"SELECT UPJANG_NAME FROM JA010MS ", "  WHERE UPJANG_CODE = :SHOP_CODE"};

constexpr int PanelWidth = 321;
constexpr int MemoLength = 200;
const QString Terminate = QStringLiteral("계약취소");
const QString TakeBack = QStringLiteral("해지취소");

QString EditorText(QObject* editor)
{
    if (auto* mask = qobject_cast<TwCustomMaskEdit*>(editor))
        return mask->Text();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(editor))
        return list->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        return memo->toPlainText();
    if (auto* number = qobject_cast<TwNumEdit*>(editor))
        return AmountText(number->Value());
    if (auto* check = qobject_cast<QCheckBox*>(editor))
        return check->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
    return QString();
}

QPlainTextEdit* Memo(const QString& name, int height, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setTabChangesFocus(true);
    memo->setFixedHeight(height);
    LimitLength(memo, MemoLength);
    return memo;
}
} // namespace

TfrmNAI020::TfrmNAI020(QWidget* parent) : TfrmNAI020(false, parent)
{
    CreateForm();
}

TfrmNAI020::TfrmNAI020(bool renewal, QWidget* parent)
    : TfrmZZI070(parent), qryDate(SharedConnection::Database()), m_renewal(renewal)
{
    setObjectName(renewal ? QStringLiteral("frmNAI030") : QStringLiteral("frmNAI020"));
    AddQuery(qryDate);
    qryDate.SQL() = DateStatement;
    qryQuery.SQL() << QLatin1String(ContractFields) + QLatin1String(renewal ? RenewalTail : ContractTail);
    prcProc.SetProcedureName(QStringLiteral("PR_NAI020_01"));
    bbtDelete->hide(); // contracts are terminated, never deleted
    resize(1108, 903);
    Build();
}

void TfrmNAI020::Build()
{
    BuildSearchBar();
    BuildPanel();
    BuildGrid();
}

void TfrmNAI020::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("영업장명")));
    edtFindName = Edit(QStringLiteral("edtFindName"), nullptr);
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);
    AddSearchControl(new QLabel(QStringLiteral("계약여부")));
    cbContractYN = new QComboBox();
    cbContractYN->setObjectName(QStringLiteral("cbContractYN"));
    cbContractYN->setMinimumWidth(100);
    AddSearchControl(cbContractYN);
}

void TfrmNAI020::BuildPanel()
{
    MoveGridToSecondPane(PanelWidth);

    QWidget* panel = Panel1;
    m_form = new QGridLayout();
    m_form->setContentsMargins(8, 8, 8, 4);
    m_form->setHorizontalSpacing(6);
    m_form->setVerticalSpacing(3);
    auto addLine = [this, panel](const QString& caption, QWidget* editor, bool stretch = false) {
        m_form->addWidget(Caption(caption, panel), m_formLine, 0);
        auto* row = new QHBoxLayout();
        row->setSpacing(2);
        row->addWidget(editor);
        if (!stretch)
            row->addStretch(1);
        m_form->addLayout(row, m_formLine++, 1);
    };
    auto addCodeLine = [this, panel](const QString& caption, const TCodeLine& line) {
        m_form->addWidget(Caption(caption, panel), m_formLine, 0);
        m_form->addLayout(line.row, m_formLine++, 1);
    };
    auto amount = [panel](const QString& name) {
        TwNumEdit* box = AmountBox(name, panel);
        box->setFixedWidth(110);
        return box;
    };

    const TCodeLine partner = CodeLine(QStringLiteral("edt_CCode"), QStringLiteral("bbt_CCode"),
                                       QStringLiteral("edt_CCodeName"), 80, panel);
    edt_CCode = partner.code;
    edt_CCode->setMaxLength(10);
    bbt_CCode = partner.button;
    edt_CCodeName = partner.name;
    addCodeLine(QStringLiteral("거래처코드"), partner);
    const TCodeLine site = CodeLine(QStringLiteral("edt_UpjangCode"), QStringLiteral("bbt_UpjangCode"),
                                    QStringLiteral("edt_UpjangCodeName"), 80, panel);
    edt_UpjangCode = site.code;
    edt_UpjangCode->setMaxLength(6);
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    if (m_renewal) {
        // A renewal keeps its shop. The code box and its button sit in a
        // container of their own that stays disabled, so that the switch to
        // edit mode, which enables every data control, leaves them disabled.
        auto* holder = new QWidget(panel);
        holder->setEnabled(false);
        auto* holderRow = new QHBoxLayout(holder);
        holderRow->setContentsMargins(0, 0, 0, 0);
        holderRow->setSpacing(2);
        site.row->removeWidget(edt_UpjangCode);
        site.row->removeWidget(bbt_UpjangCode);
        edt_UpjangCode->setParent(holder);
        bbt_UpjangCode->setParent(holder);
        holderRow->addWidget(edt_UpjangCode);
        holderRow->addWidget(bbt_UpjangCode);
        site.row->insertWidget(0, holder);
    }
    addCodeLine(QStringLiteral("업장코드"), site);

    MedContDate = DateBox(QStringLiteral("MedContDate"), panel);
    SetMoneyGreen(MedContDate);
    addLine(m_renewal ? QStringLiteral("재계약체결일") : QStringLiteral("계약체결일"), MedContDate);
    nedDeposit = amount(QStringLiteral("nedDeposit"));
    SetMoneyGreen(nedDeposit);
    addLine(m_renewal ? QStringLiteral("기존보증금") : QStringLiteral("보증금"), nedDeposit);
    if (m_renewal) {
        m_addRate = amount(QStringLiteral("edt_AddRate"));
        m_addRate->SetMaxLength(3);
        m_addRate->setFixedWidth(60);
        addLine(QStringLiteral("추가요율(%)"), m_addRate);
    }
    firstDeposit = amount(QStringLiteral("firstDeposit"));
    addLine(m_renewal ? QStringLiteral("추가보증금") : QStringLiteral("계약금"), firstDeposit);
    lastDeposit = amount(QStringLiteral("lastDeposit"));
    addLine(m_renewal ? QStringLiteral("보증금합계") : QStringLiteral("잔   금"), lastDeposit);
    if (m_renewal)
        lastDeposit->SetReadOnly(true); // always the existing plus the additional deposit
    medSDate = DateBox(QStringLiteral("medSDate"), panel);
    addLine(QStringLiteral("계약시작일"), medSDate);
    medEDate = DateBox(QStringLiteral("medEDate"), panel);
    addLine(QStringLiteral("계약만료일"), medEDate);
    MedBalDate = DateBox(QStringLiteral("MedBalDate"), panel);
    addLine(m_renewal ? QStringLiteral("잔금납부일") : QStringLiteral("잔금예정일"), MedBalDate);
    nedTotMoney = amount(QStringLiteral("nedTotMoney"));
    addLine(QStringLiteral("임대료"), nedTotMoney);
    nedMagMoney = amount(QStringLiteral("nedMagMoney"));
    addLine(QStringLiteral("관리비"), nedMagMoney);
    nedAllSize = Edit(QStringLiteral("nedAllSize"), panel, 20);
    nedAllSize->setFixedWidth(110);
    addLine(QStringLiteral("전체면적"), nedAllSize);
    nedContSize = Edit(QStringLiteral("nedContSize"), panel, 20);
    nedContSize->setFixedWidth(110);
    addLine(QStringLiteral("계약면적"), nedContSize);
    nedDelayRate = amount(QStringLiteral("nedDelayRate"));
    nedDelayRate->SetMaxLength(3);
    nedDelayRate->setFixedWidth(60);
    addLine(QStringLiteral("연체율(%)"), nedDelayRate);
    moRemark = Memo(QStringLiteral("moRemark"), 60, panel);
    m_form->addWidget(Caption(QStringLiteral("비   고"), panel), m_formLine, 0, Qt::AlignTop);
    m_form->addWidget(moRemark, m_formLine++, 1);
    if (!m_renewal) {
        edt_ContUpjangName = Edit(QStringLiteral("edt_ContUpjangName"), panel, 20);
        addLine(QStringLiteral("계약업장명"), edt_ContUpjangName, true);
        cmb_ManageYN = new QComboBox(panel);
        cmb_ManageYN->setObjectName(QStringLiteral("cmb_ManageYN"));
        cmb_ManageYN->addItems({QStringLiteral("Y"), QStringLiteral("N")});
        cmb_ManageYN->setFixedWidth(60);
        addLine(QStringLiteral("관리여부"), cmb_ManageYN);
    }
    edtPermit = Edit(QStringLiteral("edtPermit"), panel, 20);
    addLine(QStringLiteral("허가내용"), edtPermit, true);
    edtPermitNo = Edit(QStringLiteral("edtPermitNo"), panel, 15);
    addLine(QStringLiteral("허가번호"), edtPermitNo, true);
    medPDate = DateBox(QStringLiteral("medPDate"), panel);
    addLine(QStringLiteral("허가일자"), medPDate);
    edtShopType = Edit(QStringLiteral("edtShopType"), panel, 20);
    addLine(QStringLiteral("업장형태"), edtShopType, true);
    m_form->setColumnStretch(1, 1);

    chkNextSave = new QCheckBox(m_renewal ? QStringLiteral("미납금이월여부(체크시 이월)")
                                          : QStringLiteral("해약 후에도 관리"),
                                panel);
    chkNextSave->setObjectName(QStringLiteral("chkNextSave"));
    chkNextSave->setChecked(true);
    if (m_renewal)
        m_form->addWidget(chkNextSave, m_formLine++, 1);

    // The termination panel at the foot of the editor panel.
    panContCancel = new TPanel(panel, TPanel::bvTopLine);
    panContCancel->setObjectName(QStringLiteral("panContCancel"));
    auto* cancelForm = new QGridLayout(panContCancel);
    cancelForm->setContentsMargins(8, 6, 8, 6);
    cancelForm->setHorizontalSpacing(6);
    cancelForm->setVerticalSpacing(3);
    medContCanceldate = DateBox(QStringLiteral("medContCanceldate"), panContCancel);
    cancelForm->addWidget(Caption(QStringLiteral("해약일자"), panContCancel), 0, 0);
    auto* dateRow = new QHBoxLayout();
    dateRow->addWidget(medContCanceldate);
    dateRow->addStretch(1);
    cancelForm->addLayout(dateRow, 0, 1);
    moCancelReason = Memo(QStringLiteral("moCancelReason"), 50, panContCancel);
    cancelForm->addWidget(Caption(QStringLiteral("해약사유"), panContCancel), 1, 0, Qt::AlignTop);
    cancelForm->addWidget(moCancelReason, 1, 1);
    if (!m_renewal) {
        chkNextSave->setParent(panContCancel);
        cancelForm->addWidget(Caption(QStringLiteral("미납금관리"), panContCancel), 2, 0);
        cancelForm->addWidget(chkNextSave, 2, 1);
    }
    cancelForm->setColumnStretch(1, 1);
    panContCancel->hide();

    moTerms = new QPlainTextEdit(panel);
    moTerms->setObjectName(QStringLiteral("moTerms"));
    moTerms->setReadOnly(true);
    moTerms->setFocusPolicy(Qt::NoFocus);
    moTerms->setFixedHeight(84);
    m_form->addWidget(Caption(QStringLiteral("계약기간"), panel), m_formLine, 0, Qt::AlignTop);
    m_form->addWidget(moTerms, m_formLine++, 1);

    auto* pane = static_cast<QVBoxLayout*>(Panel1->layout());
    pane->addLayout(m_form);
    pane->addStretch(1);
    pane->addWidget(panContCancel);

    bbtCancelCheckIn = NewButton(Terminate, QStringLiteral("bbtCancelCheckIn"), 93, 35);
    bbtCancelCheckIn->setToolTip(QStringLiteral("Ctrl+F1"));
    AddButton(bbtCancelCheckIn, bbtAdd);
    ConnectButton(bbtCancelCheckIn, [this] { bbtCancelCheckInClick(); });
    if (m_renewal)
        bbtCancelCheckIn->hide();

    const std::pair<QWidget*, int> mirrored[] = {
        {edt_CCode, colCCode},           {edt_UpjangCode, colShopCode},  {MedContDate, colContDate},
        {nedDeposit, colDeposit},        {firstDeposit, colFirstDeposit}, {lastDeposit, colLastDeposit},
        {medSDate, colStartDate},        {medEDate, colEndDate},         {MedBalDate, colBalanceDate},
        {nedTotMoney, colLeaseMoney},    {nedMagMoney, colManagePay},    {nedAllSize, colSize1},
        {nedContSize, colSize2},         {nedDelayRate, colDelayRate},   {moRemark, colRemark},
        {edtPermit, colPermit},          {edtPermitNo, colContNo},       {medPDate, colPermitDate},
        {edtShopType, colShopType},      {medContCanceldate, colCancelDate}, {moCancelReason, colCancelRem}};
    for (const auto& [editor, column] : mirrored)
        m_panelColumns.insert(editor, column);
    if (!m_renewal) {
        m_panelColumns.insert(edt_ContUpjangName, colUpjangName);
        m_panelColumns.insert(cmb_ManageYN, colManageYn);
        // Ticking the box is a change of the row like any other.
        m_panelColumns.insert(chkNextSave, colMinapChk);
    }
    for (QObject* editor : m_panelColumns.keys())
        WireChange(static_cast<QWidget*>(editor));
    if (m_addRate)
        WireChange(m_addRate);

    // Tab order: the permit and the shop type come between the late-fee rate
    // and the remark.
    QList<QWidget*> order{edt_CCode, edt_UpjangCode, MedContDate, nedDeposit};
    if (m_addRate)
        order << m_addRate;
    order << firstDeposit << lastDeposit << medSDate << medEDate << MedBalDate << nedTotMoney << nedMagMoney
          << nedAllSize << nedContSize << nedDelayRate << edtPermit << edtPermitNo << medPDate << edtShopType
          << moRemark;
    if (!m_renewal)
        order << edt_ContUpjangName << cmb_ManageYN;
    order << chkNextSave << medContCanceldate << moCancelReason;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    ConnectButton(bbt_CCode, [this] { bbt_CCodeClick(); });
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
}

void TfrmNAI020::WireChange(QWidget* editor)
{
    if (editor != chkNextSave)
        WireEditor(editor);
    auto change = [this, editor] { RunCommand([&] { edt_CCodeChange(editor); }); };
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        connect(edit, &QLineEdit::textChanged, this, change);
    else if (auto* list = qobject_cast<QComboBox*>(editor))
        connect(list, &QComboBox::currentTextChanged, this, change);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        connect(memo, &QPlainTextEdit::textChanged, this, change);
    else if (auto* check = qobject_cast<QCheckBox*>(editor))
        connect(check, &QCheckBox::toggled, this, change);
    else if (auto* number = qobject_cast<TwNumEdit*>(editor))
        number->OnChange = [change](QObject*) { change(); };
}

void TfrmNAI020::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    auto text = [this](const QString& caption, int dataWidth, int width, bool shown,
                       Qt::Alignment alignment = Qt::AlignLeft) {
        TwMemColumn* column = AddReadOnlyColumn(rgrGrid, caption, dataWidth, width, alignment);
        column->SetVisible(shown);
        return column;
    };
    auto money = [&](const QString& caption, int width, bool shown) {
        TwMemColumn* column = text(caption, 0, width, shown, Qt::AlignRight);
        column->SetDataType(wdtFloat);
        column->SetDisplayFormat(QStringLiteral("0,"));
        return column;
    };
    const bool full = !m_renewal; // the re-contract list shows the contract, its shop, its end and the split
    text(QStringLiteral("계약코드"), 6, 64, true, Qt::AlignHCenter);
    text(QStringLiteral("거래처코드"), 10, 64, false);
    text(QStringLiteral("거래처명"), 50, 100, false);
    text(QStringLiteral("업장코드"), 6, 56, true, Qt::AlignHCenter);
    text(QStringLiteral("영업장명"), 50, 104, true);
    // Dates are kept as eight digits and shown with their separators.
    const QString dateMask = QStringLiteral("9999-99-99;0;");
    text(QStringLiteral("계약시작일"), 8, 76, full, Qt::AlignHCenter)->SetEditFormat(dateMask);
    text(QStringLiteral("계약종료일"), 8, 76, true, Qt::AlignHCenter)->SetEditFormat(dateMask);
    text(QStringLiteral("계약해약일"), 8, 76, full, Qt::AlignHCenter)->SetEditFormat(dateMask);
    money(QStringLiteral("보증금"), 77, full);
    money(QStringLiteral("임대료"), 64, full);
    money(QStringLiteral("관리비"), 64, false);
    text(QStringLiteral("업장형태"), 20, 64, false);
    money(QStringLiteral("위약금"), 64, false);
    text(QStringLiteral("연체율"), 10, 41, full, Qt::AlignRight);
    text(QStringLiteral("전용면적"), 20, 64, false);
    text(QStringLiteral("계약면적"), 20, 64, false);
    text(QStringLiteral("허가내용"), 20, 64, false);
    text(QStringLiteral("허가번호"), 15, 64, false);
    text(QStringLiteral("허가일자"), 8, 64, false);
    text(QStringLiteral("비고"), MemoLength, 169, full);
    text(QStringLiteral("해지사유"), MemoLength, 64, false);
    text(QStringLiteral("계약체결일"), 8, 64, false)->SetReadOnly(m_renewal);
    text(QStringLiteral("잔금예정일"), 8, 64, false)->SetReadOnly(m_renewal);
    money(QStringLiteral("계약금"), 90, m_renewal)->SetReadOnly(m_renewal);
    money(QStringLiteral("잔금"), 90, m_renewal)->SetReadOnly(m_renewal);
    if (m_renewal) {
        text(QStringLiteral("재계약체결일"), 8, 64, false);
        text(QStringLiteral("계약시작일"), 8, 70, false);
        text(QStringLiteral("계약종료일"), 8, 69, false);
    } else {
        text(QStringLiteral("미납금관리"), 1, 64, false, Qt::AlignHCenter);
        text(QStringLiteral("계약업장명"), 20, 70, true);
        text(QStringLiteral("관리여부"), 1, 64, true, Qt::AlignHCenter);
    }
    rgrGrid->OnRowChange = [this](QObject*) { RunCommand([this] { LoadPanel(); }); };
}

void TfrmNAI020::FormCreate()
{
    TfrmZZI070::FormCreate();
    // Without its list the screen still opens; the error has been shown.
    RunCommand([this] {
        cbContractYN->clear();
        cbContractYN->addItem(QString());
        qryTemp.Close();
        qryTemp.SQL().clear();
        qryTemp.SQL() << QString::fromUtf8(StateListStatement);
        qryTemp.Open();
        for (; !qryTemp.Eof(); qryTemp.Next())
            cbContractYN->addItem(qryTemp.Fields(0).AsString());
        qryTemp.Close();
        cbContractYN->setCurrentIndex(0);
    });
}

void TfrmNAI020::BindSearch()
{
    const QString find = edtFindName->text();
    qryQuery.ParamByName(QStringLiteral("SHOP_NAME"))
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
    if (m_renewal)
        qryQuery.ParamByName(QStringLiteral("TODAY")).SetAsString(TodayText());
    else
        qryQuery.ParamByName(QStringLiteral("CONTRACT_YN")).SetAsString(cbContractYN->currentText().left(1));
}

void TfrmNAI020::bbtSearchClick()
{
    BindSearch();
    TfrmZZI070::bbtSearchClick();
    LoadPanel();
}

// ---- the panel ------------------------------------------------------------

int TfrmNAI020::EditRow()
{
    if (rgrGrid->RowCount() == 0 || !rgrGrid->Edit())
        return -1;
    return rgrGrid->Row();
}

void TfrmNAI020::WriteCell(int column, const QString& text)
{
    const int row = EditRow();
    if (row >= 0)
        rgrGrid->Cells(column, row).SetAsString(text);
}

void TfrmNAI020::WriteAmount(int column, const TwNumEdit* box)
{
    WriteCell(column, AmountText(box->Value()));
}

QString TfrmNAI020::CodeName(const QStringList& statement, const QString& paramName, const QString& code)
{
    qryTemp.Close();
    qryTemp.SQL() = statement;
    qryTemp.ParamByName(paramName).SetAsString(code);
    qryTemp.Open();
    const QString name = qryTemp.Eof() ? QString() : qryTemp.Fields(0).AsString();
    qryTemp.Close();
    return name;
}

void TfrmNAI020::RefreshPartnerName(bool writeColumn)
{
    const QString name = CodeName(PartnerNameStatement, QStringLiteral("C_CODE"), edt_CCode->text());
    edt_CCodeName->setText(name);
    if (writeColumn)
        WriteCell(colCName, name);
}

void TfrmNAI020::RefreshSiteName(bool writeColumn)
{
    const QString name = CodeName(SiteNameStatement, QStringLiteral("SHOP_CODE"), edt_UpjangCode->text());
    edt_UpjangCodeName->setText(name);
    if (writeColumn)
        WriteCell(colShopName, name);
}

void TfrmNAI020::edt_CCodeChange(QObject* Sender)
{
    const int column = m_panelColumns.value(Sender, -1);
    // Without a row there is nothing to write into: an edit would start one.
    if (m_loadingPanel || column < 0 || EditRow() < 0)
        return;
    WriteCell(column, EditorText(Sender));
    if (Sender == edt_CCode) {
        RefreshPartnerName(true);
    } else if (Sender == edt_UpjangCode) {
        RefreshSiteName(true);
    } else if (Sender == nedDeposit) {
        WriteAmount(colManagePay, nedMagMoney);
    } else if (Sender == firstDeposit) {
        // The box shows the rest of the deposit; its own change writes col 25.
        lastDeposit->SetValue(nedDeposit->Value() - firstDeposit->Value());
        WriteAmount(colLastDeposit, lastDeposit);
    }
}

bool TfrmNAI020::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == MedContDate || watched == nedDeposit)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunCommand([&] { nedDepositKeyPress(static_cast<QWidget*>(watched)); });
            return true;
        }
    }
    return TfrmZZI070::eventFilter(watched, event);
}

bool TfrmNAI020::nedDepositKeyPress(QWidget* Sender)
{
    if (Sender == MedContDate) {
        const QString contDate = MedContDate->Text();
        if (contDate.size() != 8)
            return true;
        qryDate.Close();
        qryDate.ParamByName(QStringLiteral("cont_date")).SetAsString(contDate);
        qryDate.Open();
        const QString balance = qryDate.FieldByName(QStringLiteral("balance_date")).AsString();
        const QString start = qryDate.FieldByName(QStringLiteral("s_date")).AsString();
        const QString end = qryDate.FieldByName(QStringLiteral("e_date")).AsString();
        qryDate.Close();
        MedBalDate->SetText(balance);
        medSDate->SetText(start);
        medEDate->SetText(end);
        WriteCell(colContDate, contDate);
        WriteCell(colBalanceDate, balance);
        nedDeposit->setFocus();
        return true;
    }
    if (Sender == nedDeposit) {
        EditRow();
        const double deposit = nedDeposit->Value();
        firstDeposit->SetValue(deposit * 0.1);
        // The balance is what the rounded down payment leaves, so the two
        // always add up to the deposit.
        lastDeposit->SetValue(deposit - firstDeposit->Value());
        WriteAmount(colLeaseMoney, nedTotMoney);
        WriteAmount(colManagePay, nedMagMoney);
        WriteAmount(colDelayRate, nedDelayRate);
        WriteAmount(colFirstDeposit, firstDeposit);
        WriteAmount(colLastDeposit, lastDeposit);
        nedTotMoney->setFocus();
        return true;
    }
    return false;
}

void TfrmNAI020::LoadAmount(TwNumEdit* box, int column, int row)
{
    // An empty cell shows as 0, never as the amount of the row shown before.
    double value = 0;
    WholeAmount(rgrGrid->Cells(column, row).AsString(), value);
    box->SetValue(value);
}

void TfrmNAI020::ShowCancelPanel(bool shown)
{
    panContCancel->setVisible(shown && !m_renewal);
}

void TfrmNAI020::LoadPanel()
{
    if (rgrGrid->RowCount() == 0) {
        ClearPanel();
        return;
    }
    const QScopedValueRollback<bool> loading(m_loadingPanel, true);
    const int row = rgrGrid->Row();
    auto cell = [&](int column) { return rgrGrid->Cells(column, row).AsString(); };
    edt_CCode->setText(cell(colCCode));
    edt_CCodeName->setText(cell(colCName));
    edt_UpjangCode->setText(cell(colShopCode));
    edt_UpjangCodeName->setText(cell(colShopName));
    MedContDate->SetText(cell(colContDate));
    MedBalDate->SetText(cell(colBalanceDate));
    medSDate->SetText(cell(colStartDate));
    medEDate->SetText(cell(colEndDate));
    LoadAmount(nedDeposit, colDeposit, row);
    LoadAmount(nedTotMoney, colLeaseMoney, row);
    LoadAmount(nedMagMoney, colManagePay, row);
    LoadAmount(nedDelayRate, colDelayRate, row);
    LoadAmount(firstDeposit, colFirstDeposit, row);
    LoadAmount(lastDeposit, colLastDeposit, row);
    nedAllSize->setText(cell(colSize1));
    nedContSize->setText(cell(colSize2));
    moRemark->setPlainText(cell(colRemark));
    if (!m_renewal) {
        edt_ContUpjangName->setText(cell(colUpjangName));
        cmb_ManageYN->setCurrentText(cell(colManageYn) == QLatin1String("Y") ? QStringLiteral("Y")
                                                                              : QStringLiteral("N"));
        chkNextSave->setChecked(cell(colMinapChk) == QLatin1String("Y"));
    }
    edtPermit->setText(cell(colPermit));
    edtPermitNo->setText(cell(colContNo));
    medPDate->SetText(cell(colPermitDate));
    edtShopType->setText(cell(colShopType));
    medContCanceldate->SetText(cell(colCancelDate));
    moCancelReason->setPlainText(cell(colCancelRem));
    ShowTerms();
    const bool terminated = cell(colCancelDate).size() == 8;
    ShowCancelPanel(terminated);
    // The button offers what can be done to the contract shown.
    bbtCancelCheckIn->setText(terminated ? TakeBack : Terminate);
}

void TfrmNAI020::ClearPanel()
{
    const QScopedValueRollback<bool> loading(m_loadingPanel, true);
    for (QLineEdit* edit : {edt_CCode, edt_CCodeName, edt_UpjangCode, edt_UpjangCodeName, nedAllSize, nedContSize,
                            edtPermit, edtPermitNo, edtShopType})
        edit->clear();
    if (edt_ContUpjangName)
        edt_ContUpjangName->clear();
    for (TwCustomMaskEdit* date : {MedContDate, MedBalDate, medSDate, medEDate, medPDate, medContCanceldate})
        date->SetText(QString());
    for (TwNumEdit* amount : {nedDeposit, firstDeposit, lastDeposit, nedTotMoney, nedMagMoney, nedDelayRate})
        amount->SetValue(0);
    if (m_addRate)
        m_addRate->SetValue(0);
    moRemark->clear();
    moCancelReason->clear();
    moTerms->clear();
    if (cmb_ManageYN)
        cmb_ManageYN->setCurrentIndex(-1);
    ShowCancelPanel(false);
}

void TfrmNAI020::ShowTerms()
{
    moTerms->clear();
    if (rgrGrid->RowCount() == 0)
        return;
    const QString code = rgrGrid->Cells(colContCode, rgrGrid->Row()).AsString();
    if (code.isEmpty())
        return; // a new contract has no terms yet
    qryTemp.Close();
    qryTemp.SQL().clear();
    qryTemp.SQL() << QString::fromUtf8(TermsStatement);
    qryTemp.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(code);
    qryTemp.Open();
    QStringList lines;
    for (; !qryTemp.Eof(); qryTemp.Next()) {
        const int seq = qryTemp.Fields(0).AsInteger();
        lines << QStringLiteral("%1 %2 ~ %3\n    보증금 %4 임대료 %5")
                     .arg(seq == 9999 ? QStringLiteral("현재") : QStringLiteral("%1차").arg(seq),
                          FormatDateText(qryTemp.Fields(1).AsString()), FormatDateText(qryTemp.Fields(2).AsString()),
                          TwFormat::FormatNumber(QStringLiteral("#,##0"), qryTemp.Fields(3).AsFloat()),
                          TwFormat::FormatNumber(QStringLiteral("#,##0"), qryTemp.Fields(4).AsFloat()));
    }
    qryTemp.Close();
    moTerms->setPlainText(lines.join(QLatin1Char('\n')));
}

// ---- commands -------------------------------------------------------------

void TfrmNAI020::bbt_CCodeClick()
{
    edt_CCode->setText(PickCode(QStringLiteral("3")));
}

void TfrmNAI020::bbt_UpjangCodeClick()
{
    edt_UpjangCode->setText(PickCode(QStringLiteral("4")));
}

void TfrmNAI020::bbtCancelCheckInClick()
{
    CheckAvailable(bbtCancelCheckIn);
    // Without a contract there is nothing to terminate.
    if (rgrGrid->RowCount() == 0)
        return;
    ShowCancelPanel(true);
    if (bbtCancelCheckIn->text() == Terminate) {
        medContCanceldate->SetText(TodayText());
        moCancelReason->setFocus();
        bbtCancelCheckIn->setText(TakeBack);
    } else {
        medContCanceldate->SetText(QString());
        bbtCancelCheckIn->setText(Terminate);
    }
}

void TfrmNAI020::bbtAddClick()
{
    TfrmZZI070::bbtAddClick();
    ClearPanel();
    {
        const QScopedValueRollback<bool> loading(m_loadingPanel, true);
        cmb_ManageYN->setCurrentText(QStringLiteral("Y"));
        chkNextSave->setChecked(true); // a new contract carries its arrears
    }
    bbtCancelCheckIn->setText(Terminate);
    edt_CCode->setFocus();
}

void TfrmNAI020::bbtCancelClick()
{
    TfrmZZI070::bbtCancelClick();
    ClearPanel();
}

void TfrmNAI020::bbtSaveClick()
{
    CheckAvailable(bbtSave);
    if (rgrGrid->RowCount() > 0 && rgrGrid->EditState() != wgsBrowse) {
        const int row = rgrGrid->Row();
        for (int column : {colDeposit, colLeaseMoney, colManagePay, colDelayRate, colSize1, colSize2})
            if (rgrGrid->Cells(column, row).AsString().isEmpty())
                rgrGrid->Cells(column, row).SetAsString(QStringLiteral("0"));
        rgrGrid->Cells(colMinapChk, row)
            .SetAsString(chkNextSave->isChecked() ? QStringLiteral("Y") : QStringLiteral("N"));
    }
    const QString current = rgrGrid->RowCount() > 0 ? rgrGrid->Cells(colContCode, rgrGrid->Row()).AsString()
                                                    : QString();
    TfrmZZI070::bbtSaveClick();
    // A new contract gets its code from the server: the list is read again,
    // so that a later change of that row goes to the contract just stored.
    // The current contract stays current; a new one is the highest code.
    TfrmZZI070::bbtCancelClick();
    bbtSearchClick();
    int row = -1;
    QString highest;
    for (int r = 0; r < rgrGrid->RowCount(); ++r) {
        const QString code = rgrGrid->Cells(colContCode, r).AsString();
        if (!current.isEmpty() ? code == current : code > highest) {
            row = r;
            highest = code;
            if (!current.isEmpty())
                break;
        }
    }
    if (row >= 0 && row != rgrGrid->Row()) {
        rgrGrid->SetRow(row);
        LoadPanel();
    }
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
}
