#include "screens/nb/TfrmNBI060.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TQuery.h"
#include "controls/ESelvarError.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SaveInTransaction.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TWaitCursor.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"
#include "screens/nb/TDepositBooking.h"
#include "screens/ni/TfrmNIH002.h"

using namespace PanelEditors;

namespace {
const char* const ContractNameStatement =
    "SELECT (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME "
    "FROM NA020MS A WHERE CONT_CODE = :CONT_CODE";
const char* const ClosedMonthStatement = "SELECT DISTINCT NAPIP_MONTH FROM NB030MS";

QString Won(double amount)
{
    return QLocale(QLocale::English).toString(amount, 'f', 0);
}

QString ColumnName(int col)
{
    QString name;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar('A' + (n - 1) % 26));
    return name;
}
} // namespace

TfrmNBI060::TfrmNBI060(QWidget* parent) : TfrmZZI000(parent)
{
    setObjectName(QStringLiteral("frmNBI060"));
    resize(1200, 720);
    auto* pane = new QVBoxLayout(panMain);
    pane->setContentsMargins(4, 4, 4, 4);
    pane->setSpacing(4);
    pane->addWidget(BuildMapping(panMain));
    rgrGrid = new TwMemGrid(panMain);
    rgrGrid->setObjectName(QStringLiteral("rgrGrid"));
    BuildGrid();
    pane->addWidget(rgrGrid, 1);

    lblSummary = new QLabel(panButtons);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    bbtChange = NewButton(QStringLiteral("계약 변경"), QStringLiteral("bbtChange"), 90, 35);
    bbtUnmatch = NewButton(QStringLiteral("가수금으로"), QStringLiteral("bbtUnmatch"), 90, 35);
    bbtBook = NewButton(QStringLiteral("입금 처리"), QStringLiteral("bbtBook"), 90, 35);
    AddButton(bbtChange);
    AddButton(bbtUnmatch);
    AddButton(bbtBook);
    ConnectButton(bbtChange, [this] { bbtChangeClick(); });
    ConnectButton(bbtUnmatch, [this] { bbtUnmatchClick(); });
    ConnectButton(bbtBook, [this] { bbtBookClick(); });
    ConnectButton(bbtFileOpen, [this] { bbtFileOpenClick(); });
    connect(edtAccountNo, &QLineEdit::textEdited, this, [this] { m_accountFromFile = false; });
    ConnectButton(bbtReread, [this] { bbtRereadClick(); });
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { bbtChangeClick(); }); };
    if (auto* strip = qobject_cast<QHBoxLayout*>(panButtons->layout()))
        strip->insertWidget(0, lblSummary, 1);
    CreateForm();
}

QWidget* TfrmNBI060::BuildMapping(QWidget* parent)
{
    auto* panel = new TPanel(parent);
    panel->setObjectName(QStringLiteral("panMapping"));
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(4);
    auto* file = new QHBoxLayout();
    file->setSpacing(6);
    file->addWidget(Caption(QStringLiteral("계좌번호"), panel));
    edtAccountNo = Edit(QStringLiteral("edtAccountNo"), panel, 30);
    edtAccountNo->setFixedWidth(160);
    SetMoneyGreen(edtAccountNo);
    file->addWidget(edtAccountNo);
    file->addSpacing(12);
    file->addWidget(Caption(QStringLiteral("파일"), panel));
    edtFileName = NameBox(QStringLiteral("edtFileName"), panel);
    file->addWidget(edtFileName, 1);
    bbtFileOpen = new QPushButton(QStringLiteral("파일 열기"), panel);
    bbtFileOpen->setObjectName(QStringLiteral("bbtFileOpen"));
    file->addWidget(bbtFileOpen);
    rows->addLayout(file);

    // Which column holds what: found from the titles, corrected here.
    auto* mapping = new QHBoxLayout();
    mapping->setSpacing(4);
    mapping->addWidget(Caption(QStringLiteral("제목 행"), panel));
    spnTitleRow = new QSpinBox(panel);
    spnTitleRow->setObjectName(QStringLiteral("spnTitleRow"));
    spnTitleRow->setRange(1, 100);
    mapping->addWidget(spnTitleRow);
    const std::pair<const char*, QComboBox**> combos[] = {
        {"거래일자", &cmbDate}, {"시간", &cmbTime}, {"입금액", &cmbDeposit}, {"출금액", &cmbWithdrawal},
        {"잔액", &cmbBalance}, {"입금자", &cmbDepositor}, {"적요", &cmbMemo}};
    static const char* const names[] = {"cmbDate", "cmbTime", "cmbDeposit", "cmbWithdrawal",
                                        "cmbBalance", "cmbDepositor", "cmbMemo"};
    for (size_t i = 0; i < std::size(combos); ++i) {
        mapping->addSpacing(8);
        mapping->addWidget(new QLabel(QString::fromUtf8(combos[i].first), panel));
        auto* box = new QComboBox(panel);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setMinimumWidth(120);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(10);
        *combos[i].second = box;
        mapping->addWidget(box);
    }
    mapping->addStretch(1);
    bbtReread = new QPushButton(QStringLiteral("다시 읽기"), panel);
    bbtReread->setObjectName(QStringLiteral("bbtReread"));
    mapping->addWidget(bbtReread);
    rows->addLayout(mapping);
    connect(spnTitleRow, &QSpinBox::valueChanged, this, [this](int) { FillCombos(ChosenColumns()); });
    return panel;
}

void TfrmNBI060::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    using ScreenGrid::AmountColumn;
    ScreenGrid::MakeListGrid(rgrGrid);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("행"), 8, 40, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래일시"), 19, 130, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("입금자"), 50, 120);
    AmountColumn(rgrGrid, QStringLiteral("입금액"), 90);
    AmountColumn(rgrGrid, QStringLiteral("잔액"), 100);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("적요"), 100, 80);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 6, 64, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처명"), 50, 120);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장명"), 50, 110);
    AmountColumn(rgrGrid, QStringLiteral("미납금액"), 90);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("근거"), 20, 72, Qt::AlignHCenter);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("처리"), 30, 120, Qt::AlignHCenter);
    rgrGrid->OnDrawCell = [this](TwColumn*, int row, QString&, QColor& back, QColor& font, TwFontStyles&) {
        if (row < 0 || row >= int(m_rows.size()))
            return;
        if (m_rows[row].done) {
            font = QColor(150, 150, 150);
            back = QColor(240, 240, 240);
        } else if (m_rows[row].contCode.isEmpty()) {
            back = QColor(255, 244, 214); // to the suspense account
        }
    };
}

std::vector<QComboBox*> TfrmNBI060::Combos() const
{
    return {cmbDate, cmbTime, cmbDeposit, cmbWithdrawal, cmbBalance, cmbDepositor, cmbMemo};
}

void TfrmNBI060::FillCombos(const TBankColumns& columns)
{
    const QStringList titles = BankStatement::RowTexts(m_table, columns.titleRow);
    const int chosen[] = {columns.date, columns.time, columns.deposit, columns.withdrawal,
                          columns.balance, columns.depositor, columns.memo};
    int width = int(titles.size());
    for (size_t row = 0; row < std::min<size_t>(m_table.size(), 30); ++row)
        width = std::max(width, int(m_table[row].size()));
    for (int c : chosen)
        width = std::max(width, c + 1);
    const auto combos = Combos();
    for (size_t i = 0; i < combos.size(); ++i) {
        QComboBox* box = combos[i];
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(QStringLiteral("(없음)"), -1);
        for (int c = 0; c < width; ++c)
            box->addItem(QStringLiteral("%1: %2").arg(ColumnName(c), titles.value(c)), c);
        box->setCurrentIndex(std::max(0, box->findData(chosen[i])));
    }
    const QSignalBlocker quiet(spnTitleRow);
    spnTitleRow->setValue(std::max(1, columns.titleRow + 1));
}

TBankColumns TfrmNBI060::ChosenColumns() const
{
    TBankColumns c;
    c.titleRow = spnTitleRow->value() - 1;
    int* fields[] = {&c.date, &c.time, &c.deposit, &c.withdrawal, &c.balance, &c.depositor, &c.memo};
    const auto combos = Combos();
    for (size_t i = 0; i < combos.size(); ++i)
        *fields[i] = combos[i]->currentData().isValid() ? combos[i]->currentData().toInt() : -1;
    return c;
}

QString TfrmNBI060::TitleText(const TBankColumns& columns) const
{
    return BankStatement::RowTexts(m_table, columns.titleRow).join(QLatin1Char('\t'));
}

// The mapping kept for the account, when this file's title row reads as the
// one it was made for: a bank that changes its layout gets detected afresh.
TBankColumns TfrmNBI060::RememberedColumns(const QString& account) const
{
    if (account.isEmpty())
        return TBankColumns();
    const auto [text, titles] = TDepositBooking::RememberedColumns(SharedConnection::Database(), account);
    const TBankColumns columns = TBankColumns::FromText(text);
    return columns.Usable() && TitleText(columns) == titles ? columns : TBankColumns();
}

void TfrmNBI060::bbtFileOpenClick()
{
    CheckAvailable(bbtFileOpen);
    const QString fileName = QFileDialog::getOpenFileName(
        this, QStringLiteral("은행 거래내역 파일"), QString(),
        QStringLiteral("거래내역 파일 (*.xlsx *.xls *.csv);;모든 파일 (*)"));
    if (!fileName.isEmpty())
        LoadFile(fileName);
}

bool TfrmNBI060::LoadFile(const QString& fileName)
{
    m_rows.clear();
    m_table.clear();
    FillGrid();
    edtFileName->setText(fileName);
    TWaitCursor wait;
    try {
        m_table = BankStatement::ReadFile(fileName);
    } catch (const ESelvarError& e) {
        ShowError(QStringLiteral("파일을 읽지 못했습니다.\r\r%1").arg(e.Message()));
        return false;
    }
    TBankColumns columns = BankStatement::Detect(m_table);
    QString account = columns.Usable() ? BankStatement::FindAccount(m_table, columns.titleRow) : QString();
    if (account.isEmpty() && m_accountFromFile)
        edtAccountNo->clear(); // the last file's account is not this file's: the clerk names it
    m_accountFromFile = !account.isEmpty();
    if (account.isEmpty())
        account = edtAccountNo->text().trimmed();
    const TBankColumns remembered = RememberedColumns(account);
    if (remembered.Usable())
        columns = remembered;
    if (columns.titleRow < 0)
        columns.titleRow = 0; // titles not found: the clerk starts from the first row
    if (!account.isEmpty())
        edtAccountNo->setText(account);
    FillCombos(columns);
    return Propose(columns);
}

void TfrmNBI060::bbtRereadClick()
{
    CheckAvailable(bbtReread);
    if (m_table.empty()) {
        ShowError(QStringLiteral("먼저 거래내역 파일을 여세요."));
        return;
    }
    Propose(ChosenColumns());
}

bool TfrmNBI060::Propose(const TBankColumns& columns)
{
    m_rows.clear();
    TBankStatement statement;
    try {
        statement = BankStatement::Parse(m_table, columns);
    } catch (const ESelvarError& e) {
        FillGrid();
        ShowError(e.Message());
        return false;
    }
    if (!statement.account.isEmpty()) {
        edtAccountNo->setText(statement.account);
        m_accountFromFile = true;
    }
    const QString account = edtAccountNo->text().trimmed();

    TWaitCursor wait;
    TDatabase& db = SharedConnection::Database();
    QStringList months;
    for (const TBankLine& line : statement.deposits)
        if (!months.contains(line.date.left(6)))
            months << line.date.left(6);
    m_matcher = TDepositMatcher();
    m_matcher.Load(db, months);
    m_closedMonths.clear();
    TQuery closed(db);
    closed.SQL() << QString::fromLatin1(ClosedMonthStatement);
    closed.Open();
    for (; !closed.Eof(); closed.Next())
        m_closedMonths.insert(closed.Fields(0).AsString());
    const QHash<QString, QString> recorded = RecordedKeys(account, statement.deposits);
    m_recordedAccount = account;
    for (const TBankLine& line : statement.deposits) {
        TRow row;
        row.line = line;
        row.done = recorded.contains(line.Key(account));
        const QString month = line.date.left(6);
        if (row.done) {
            ShowContract(row, recorded.value(line.Key(account)));
        } else if (m_closedMonths.contains(month)) {
            row.reason = QStringLiteral("마감된 월");
        } else {
            const auto p = m_matcher.Propose(line.depositor, line.deposit, month);
            if (p.contract >= 0) {
                const auto& c = m_matcher.Contracts()[p.contract];
                row.contCode = c.contCode;
                row.cName = c.cName;
                row.shopName = c.shopName;
                row.open = p.open;
                row.reason = TDepositMatcher::ReasonText(p.reason);
            }
        }
        m_rows.push_back(row);
    }
    FillGrid();
    return true;
}

// Keys of the lines already booked on the account, between the first and
// the last date of the lines.
QHash<QString, QString> TfrmNBI060::RecordedKeys(const QString& account, const std::vector<TBankLine>& lines) const
{
    if (account.isEmpty() || lines.empty())
        return {};
    QString first = lines.front().date, last = first;
    for (const TBankLine& line : lines) {
        first = std::min(first, line.date);
        last = std::max(last, line.date);
    }
    return TDepositBooking::Recorded(SharedConnection::Database(), account, first, last);
}

QString TfrmNBI060::Action(const TRow& row) const
{
    if (row.done)
        return QStringLiteral("이미 처리됨");
    if (row.contCode.isEmpty())
        return QStringLiteral("가수금");
    if (row.line.deposit > row.open + 0.5)
        return QStringLiteral("입금 (초과 %1)").arg(Won(row.line.deposit - std::max(0.0, row.open)));
    return row.remember ? QStringLiteral("입금 (입금자 기억)") : QStringLiteral("입금");
}

void TfrmNBI060::FillLine(int r)
{
    const TRow& row = m_rows[r];
    const TBankLine& l = row.line;
    rgrGrid->Cells(colRow, r).SetAsString(QString::number(l.sheetRow));
    rgrGrid->Cells(colDateTime, r)
        .SetAsString(QStringLiteral("%1-%2-%3 %4:%5:%6")
                         .arg(l.date.left(4), l.date.mid(4, 2), l.date.mid(6, 2), l.time.left(2), l.time.mid(2, 2),
                              l.time.mid(4, 2)));
    rgrGrid->Cells(colDepositor, r).SetAsString(l.depositor);
    rgrGrid->Cells(colAmount, r).SetAsFloat(l.deposit);
    rgrGrid->Cells(colBalance, r).SetAsFloat(l.balance);
    rgrGrid->Cells(colMemo, r).SetAsString(l.memo);
    rgrGrid->Cells(colContCode, r).SetAsString(row.contCode);
    rgrGrid->Cells(colCName, r).SetAsString(row.cName);
    rgrGrid->Cells(colShopName, r).SetAsString(row.shopName);
    if (row.contCode.isEmpty() || row.done) // what a booked line left open is the receipts screen's to show
        rgrGrid->Cells(colOpen, r).Clear();
    else
        rgrGrid->Cells(colOpen, r).SetAsFloat(row.open);
    rgrGrid->Cells(colReason, r).SetAsString(row.reason);
    rgrGrid->Cells(colAction, r).SetAsString(Action(row));
}

void TfrmNBI060::FillGrid()
{
    rgrGrid->BeginUpdate();
    rgrGrid->Clear();
    rgrGrid->SetRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r)
        FillLine(r);
    rgrGrid->EndUpdate(true);
    ShowSummary();
}

void TfrmNBI060::ShowSummary()
{
    int matched = 0, suspense = 0, done = 0;
    double matchedAmount = 0, suspenseAmount = 0;
    for (const TRow& row : m_rows) {
        if (row.done) {
            ++done;
        } else if (row.contCode.isEmpty()) {
            ++suspense;
            suspenseAmount += row.line.deposit;
        } else {
            ++matched;
            matchedAmount += row.line.deposit;
        }
    }
    lblSummary->setText(m_rows.empty() ? QString()
                                       : QStringLiteral("입금 %1건 %2원 · 가수금 %3건 %4원 · 이미 처리됨 %5건")
                                             .arg(matched).arg(Won(matchedAmount)).arg(suspense)
                                             .arg(Won(suspenseAmount)).arg(done));
}

int TfrmNBI060::CurrentRow() const
{
    const int row = rgrGrid->Row();
    return row >= 0 && row < int(m_rows.size()) ? row : -1;
}

void TfrmNBI060::bbtChangeClick()
{
    CheckAvailable(bbtChange);
    const int row = CurrentRow();
    if (row < 0)
        return;
    if (m_rows[row].done) {
        ShowError(QStringLiteral("이미 처리된 입금입니다."));
        return;
    }
    TfrmNIH002 dialog;
    dialog.ShowModal();
    if (!dialog.PickedContractCode().isEmpty())
        SetContract(row, dialog.PickedContractCode());
}

// The contract's tenant and site as the line shows them.
void TfrmNBI060::ShowContract(TRow& row, const QString& contCode)
{
    row.contCode = contCode;
    row.cName.clear();
    row.shopName.clear();
    if (contCode.isEmpty())
        return;
    if (const int index = m_matcher.IndexOf(contCode); index >= 0) {
        row.cName = m_matcher.Contracts()[index].cName;
        row.shopName = m_matcher.Contracts()[index].shopName;
        return;
    }
    TQuery q(SharedConnection::Database());
    q.SQL() << QString::fromLatin1(ContractNameStatement);
    q.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(contCode);
    q.Open();
    if (!q.Eof()) {
        row.cName = q.Fields(0).AsString();
        row.shopName = q.Fields(1).AsString();
    }
}

void TfrmNBI060::SetContract(int r, const QString& contCode)
{
    TRow& row = m_rows[r];
    const QString month = row.line.date.left(6);
    if (m_closedMonths.contains(month)) {
        ShowError(QStringLiteral("%1년 %2월은 마감되어 입금할 수 없습니다. 가수금으로 처리하세요.")
                      .arg(month.left(4), month.mid(4, 2)));
        return;
    }
    ShowContract(row, contCode);
    row.open = TDepositMatcher::OpenAmounts(SharedConnection::Database(), month, contCode).value(contCode);
    row.reason = QStringLiteral("직접 지정");
    const int index = m_matcher.IndexOf(contCode);
    QStringList known;
    if (index >= 0) {
        const auto& c = m_matcher.Contracts()[index];
        known << c.cName << c.bossName << c.depositors;
    }
    bool knownName = false;
    for (const QString& name : known)
        knownName = knownName || TDepositMatcher::Normal(name) == TDepositMatcher::Normal(row.line.depositor);
    row.remember = !row.line.depositor.isEmpty() && !knownName &&
                   AskYesNo(QStringLiteral("입금자명 \"%1\"을(를) 이 계약의 입금자명으로 기억할까요?\r"
                                           "다음 거래내역부터는 바로 이 계약으로 맞춰집니다.")
                                .arg(row.line.depositor));
    FillLine(r);
    rgrGrid->update();
    ShowSummary();
}

void TfrmNBI060::bbtUnmatchClick()
{
    CheckAvailable(bbtUnmatch);
    const int r = CurrentRow();
    if (r < 0 || m_rows[r].done)
        return;
    TRow& row = m_rows[r];
    row.contCode.clear();
    row.cName.clear();
    row.shopName.clear();
    row.reason.clear();
    row.open = 0;
    row.remember = false;
    FillLine(r);
    rgrGrid->update();
    ShowSummary();
}

void TfrmNBI060::bbtBookClick()
{
    CheckAvailable(bbtBook);
    auto pending = [this] {
        return std::count_if(m_rows.begin(), m_rows.end(), [](const TRow& row) { return !row.done; });
    };
    if (pending() == 0) {
        ShowError(QStringLiteral("처리할 입금이 없습니다."));
        return;
    }
    const QString account = edtAccountNo->text().trimmed();
    if (account.isEmpty()) {
        ShowError(QStringLiteral("계좌번호를 입력하세요."));
        edtAccountNo->setFocus();
        return;
    }
    if (account != m_recordedAccount) {
        // The lines were checked against another account: check them again.
        std::vector<TBankLine> lines;
        for (const TRow& row : m_rows)
            lines.push_back(row.line);
        const QHash<QString, QString> recorded = RecordedKeys(account, lines);
        m_recordedAccount = account;
        int found = 0;
        for (TRow& row : m_rows)
            if (!row.done && recorded.contains(row.line.Key(account))) {
                row.done = true;
                ShowContract(row, recorded.value(row.line.Key(account)));
                ++found;
            }
        if (found > 0) {
            FillGrid();
            ShowInfo(QStringLiteral("계좌 %1에 이미 처리된 입금 %2건은 처리하지 않습니다.").arg(account).arg(found));
            if (pending() == 0)
                return;
        }
    }
    std::vector<TDepositBooking::Decision> decisions;
    int receipts = 0, suspense = 0, over = 0;
    for (const TRow& row : m_rows) {
        if (row.done)
            continue;
        decisions.push_back({row.line, row.contCode, false, row.remember});
        if (row.contCode.isEmpty()) {
            ++suspense;
        } else {
            ++receipts;
            if (row.line.deposit > row.open + 0.5)
                ++over;
        }
    }
    if (over > 0) {
        const bool nextMonth = AskYesNo(
            QStringLiteral("미납금액보다 큰 입금이 %1건 있습니다.\r초과분을 다음 달 납입금으로 입금할까요?\r"
                           "(아니오: 초과분은 가수금으로 남깁니다.)")
                .arg(over));
        for (auto& d : decisions)
            d.toNextMonth = nextMonth && !d.contCode.isEmpty();
    }
    if (!AskYesNo(QStringLiteral("입금 %1건, 가수금 %2건을 처리하시겠습니까?").arg(receipts).arg(suspense)))
        return;
    TDepositBooking booking(SharedConnection::Database(), SessionContext::EmpNo(), SessionContext::ClientIP());
    TDepositBooking::Result result;
    const TBankColumns columns = ChosenColumns();
    if (!SaveInTransaction(SharedConnection::Database(), [&] {
            result = booking.Book(account, decisions);
            booking.RememberColumns(account, columns.ToText(), TitleText(columns));
        }))
        return;
    for (TRow& row : m_rows)
        row.done = true;
    FillGrid();
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    ShowInfo(QStringLiteral("입금 %1건 %2원, 가수금 %3건 %4원을 처리했습니다.")
                 .arg(result.receipts).arg(Won(result.receiptAmount)).arg(result.suspense)
                 .arg(Won(result.suspenseAmount)));
}
