#include "framework/TfrmZZI070.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/KoreanFonts.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
#include "controls/ESelvarError.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomNumEdit.h"
#include "controls/TwGridFooter.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TSplitter.h"
#include "framework/TWaitCursor.h"

namespace {
const QColor EditorColor(255, 255, 204);
const QColor ReadOnlyColor(236, 236, 236);

// "#,##0": digits grouped by thousands, no decimals.
QString GroupedInteger(qint64 value)
{
    QString digits = QString::number(value);
    const qsizetype start = digits.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (qsizetype i = digits.size() - 3; i > start; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

// What a footer shows for its value text: a plain integer grouped by
// thousands; any other number (a fraction, an already grouped figure) rounded
// to a whole amount rather than shown as 0; anything else 0.
QString FooterFigure(const QString& text)
{
    bool integer = false;
    const qint64 whole = text.trimmed().toLongLong(&integer);
    if (integer)
        return GroupedInteger(whole);
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool number = false;
    const double value = plain.toDouble(&number);
    if (number && std::isfinite(value) && std::fabs(value) < 9.2e18)
        return GroupedInteger(std::llround(value));
    return QStringLiteral("0");
}

// Moves the focus to the next control in tab order that takes it.
void FocusNext(QWidget* from)
{
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() && !w->focusProxy()
            && w->window() == from->window()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool IsEditorKind(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)
           || qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w)
           || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const TwCustomNumEdit*>(w);
}

void SetEditorColor(QWidget* editor, const QColor& color)
{
    if (auto* number = qobject_cast<TwCustomNumEdit*>(editor)) {
        number->SetColor(color);
        return;
    }
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, color);
    editor->setPalette(palette);
}

QColor EditorColorOf(const QWidget* editor)
{
    if (const auto* number = qobject_cast<const TwCustomNumEdit*>(editor))
        return number->Color();
    return editor->palette().color(QPalette::Base);
}

// An editor's own colour (a money box's green, a read-only grey) comes back
// when the focus highlight goes.
constexpr const char* RestColorProperty = "selvarRestColor";

QToolButton* NavigationButton(const QString& name, const QString& hint, QStyle::StandardPixmap icon,
                              QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFixedSize(28, 35);
    return button;
}
} // namespace

TfrmZZI070::TfrmZZI070(QWidget* parent) : TfrmZZI070(false, parent)
{
}

TfrmZZI070::TfrmZZI070(bool singlePane, QWidget* parent)
    : TfrmZZI010(parent), qryTemp(SharedConnection::Database()), prcProc(SharedConnection::Database())
{
    setObjectName(singlePane ? QStringLiteral("frmZZI090") : QStringLiteral("frmZZI070"));
    AddQuery(qryTemp);

    panSearch->setFixedHeight(49);
    bbtSearch->setText(QStringLiteral("Search(F3)"));
    bbtSearch->setFixedSize(93, 34);
    panButtons->setFixedHeight(44);
    bbtSave->setText(QStringLiteral("Save(F2)"));
    bbtSave->setFixedSize(93, 35);
    bbtCancel->setText(QStringLiteral("Cancel(F8)"));
    bbtCancel->setFixedSize(93, 35);
    bbtClose->setText(QStringLiteral("Close(F12)"));
    bbtClose->setFixedSize(93, 35);
    bbtAdd = NewButton(QStringLiteral("New(F4)"), QStringLiteral("bbtAdd"), 93, 35);
    AddButton(bbtAdd, bbtSave);
    bbtDelete = NewButton(QStringLiteral("Delete(F9)"), QStringLiteral("bbtDelete"), 93, 35);
    AddButton(bbtDelete, bbtSave);
    ConnectButton(bbtAdd, [this] { bbtAddClick(); });
    ConnectButton(bbtDelete, [this] { bbtDeleteClick(); });
    // The captions promise these keys.
    AddHotkey(QStringLiteral("추가"), Qt::Key_F4, [this] { bbtAddClick(); });
    AddHotkey(QStringLiteral("삭제"), Qt::Key_F9, [this] { bbtDeleteClick(); });

    auto* strip = static_cast<QHBoxLayout*>(panButtons->layout());
    sbtFirst = NavigationButton(QStringLiteral("sbtFirst"), QStringLiteral("처음 자료"),
                                QStyle::SP_MediaSkipBackward, panButtons);
    sbtPrior = NavigationButton(QStringLiteral("sbtPrior"), QStringLiteral("앞 자료"),
                                QStyle::SP_MediaSeekBackward, panButtons);
    sbtNext = NavigationButton(QStringLiteral("sbtNext"), QStringLiteral("다음 자료"),
                               QStyle::SP_MediaSeekForward, panButtons);
    sbtLast = NavigationButton(QStringLiteral("sbtLast"), QStringLiteral("마지막 자료"),
                               QStyle::SP_MediaSkipForward, panButtons);
    strip->insertWidget(0, sbtFirst);
    strip->insertWidget(1, sbtPrior);
    strip->insertWidget(2, sbtNext);
    strip->insertWidget(3, sbtLast);

    auto* data = new QVBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->setSpacing(0);
    panMaster = new TPanel(panMain);
    panMaster->setObjectName(QStringLiteral("panMaster"));
    panMaster->setFixedHeight(1);
    panMaster->hide();
    data->addWidget(panMaster);
    auto* panes = new QHBoxLayout();
    panes->setContentsMargins(0, 0, 0, 0);
    panes->setSpacing(0);
    data->addLayout(panes, 1);

    Panel1 = new TPanel(panMain);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* gridLayout = new QVBoxLayout(Panel1);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    rgrGrid = new TwMemGrid(Panel1);
    rgrGrid->setObjectName(QStringLiteral("rgrGrid"));
    gridLayout->addWidget(rgrGrid);
    if (singlePane) {
        Splitter1 = nullptr;
        Panel2 = nullptr;
        panes->addWidget(Panel1, 1);
    } else {
        Panel1->setFixedWidth(425);
        Splitter1 = new TSplitter(Panel1, panMain);
        Splitter1->setObjectName(QStringLiteral("Splitter1"));
        Panel2 = new TPanel(panMain);
        Panel2->setObjectName(QStringLiteral("Panel2"));
        panes->addWidget(Panel1);
        panes->addWidget(Splitter1);
        panes->addWidget(Panel2, 1);
    }

    rgrGrid->setFont(ScreenFont());
    rgrGrid->SetOptions(wgoAlwaysShowEditor | wgoArrowMove | wgoCellSizing | wgoColSizing | wgoConfirmDelete
                        | wgoDeleting | wgoEditing | wgoEnterToTab | wgoInserting | wgoSkipReadOnly);
    rgrGrid->Headers()->SetColHeight(30);
    rgrGrid->Headers()->SetGrpHeight(42);
    rgrGrid->SetColRowHeight(25);
    rgrGrid->Indicators().SetWidth(30);
    rgrGrid->Lines().SetHorzColor(TwColors::Silver());
    rgrGrid->Lines().SetVertColor(TwColors::Silver());
    rgrGrid->Footers()->Add()->SetVisible(false);
    WireGrid(rgrGrid);
    rgrGrid->OnValueChanged = [this](TwMemColumn* column) { rgrGridValueChanged(column); };
    rgrGrid->OnAfterCalcFooters = [this](QObject* sender) { rgrGridAfterCalcFooters(sender); };

    // Owned by the screen but placed nowhere: never shown, never enabled.
    m_changeGrid = std::make_unique<TwMemGrid>();
    ChangeGrid = m_changeGrid.get();
    ChangeGrid->setObjectName(QStringLiteral("ChangeGrid"));
    ChangeGrid->setEnabled(false);
    ChangeGrid->resize(500, ChangeGrid->height());

    if (singlePane)
        resize(width(), 663);
}

TfrmZZI070::~TfrmZZI070() = default;

// Key and enter events come from the grid's own event handling, where no
// failure may escape; post and delete events run inside the grid's editing
// steps, whose callers get their failures.
void TfrmZZI070::WireGrid(TwMemGrid* grid)
{
    grid->OnEnter = [this](QObject* sender) { RunCommand([&] { GridEnter(sender); }); };
    grid->OnKeyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        RunCommand([&] { GridKeyDown(sender, key, shift); });
    };
    grid->OnKeyUp = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        RunCommand([&] { GridKeyUp(sender, key, shift); });
    };
    grid->OnDrawCell = [this](TwColumn* column, int row, QString& text, QColor& back, QColor& fore,
                              TwFontStyles& style) { GridDrawCell(column, row, text, back, fore, style); };
    grid->OnAfterPost = [this](QObject* sender) { GridAfterPost(sender); };
    grid->OnBeforeDelete = [this](QObject* sender) { GridBeforeDelete(sender); };
    // A new row, or the row a cancelled insert gives back, is current
    // without a row move: what shows the current row follows it all the same.
    const auto currentRowChanged = [grid](QObject*) {
        if (grid->OnRowChange)
            grid->OnRowChange(grid);
    };
    grid->OnAfterInsert = [currentRowChanged](QObject* sender, bool) { currentRowChanged(sender); };
    grid->OnAfterCancel = currentRowChanged;
}

void TfrmZZI070::FormCreate()
{
    TfrmZZI010::FormCreate();
    ColumnNames.clear();
    CopyRow = CopyColFrom = CopyColTo = CopyTargetRow = -1;
    RowCounter = 0;
    CopyBgColor = palette().color(QPalette::Active, QPalette::Highlight);
    CopyFgColor = palette().color(QPalette::Active, QPalette::HighlightedText);
    FormatFooterCells();
}

// Margins of the shown columns, and the look of footer cells that show a value.
void TfrmZZI070::FormatFooterCells()
{
    const bool footerShown = rgrGrid->Footers()->Count() > 0 && rgrGrid->Footers()->Items(0)->Visible();
    for (int i = 0; i < rgrGrid->Columns()->VCount(); ++i) {
        TwColumn* column = rgrGrid->Columns()->VItems(i);
        if (column->Alignment() & Qt::AlignLeft)
            column->SetMarginLeft(4);
        else if (column->Alignment() & Qt::AlignRight)
            column->SetMarginRight(4);
        auto* footer = static_cast<TwMemColumnFooter*>(column->Footer());
        if (footerShown && footer->Kind(0) != 0) {
            footer->SetMarginTop(3);
            footer->SetMarginRight(2);
            footer->SetCellStyle(wcsSunken);
        }
    }
    // A footer style has no font colour of its own; the figures turn blue
    // as they are drawn.
    if (footerShown) {
        rgrGrid->OnDrawFooter = [](TwColumnFooter* footer, int row, QString&, QColor&, QColor& fore,
                                   TwFontStyles&) {
            if (row == 0 && static_cast<TwMemColumnFooter*>(footer)->Kind(0) != 0)
                fore = QColor(Qt::blue);
        };
    }
}

QString TfrmZZI070::EditStatus(TwRowState state)
{
    switch (state) {
    case wrsModified: return QStringLiteral("1");
    case wrsDeleted: return QStringLiteral("3");
    default: return QStringLiteral("2"); // an insert, and a change without a state
    }
}

TwMemGrid* TfrmZZI070::GridOf(QObject* Sender)
{
    auto* grid = qobject_cast<TwMemGrid*>(Sender);
    if (!grid)
        throw ESelvarError(QStringLiteral("Invalid grid"));
    return grid;
}

bool TfrmZZI070::RowIdEmpty(TwMemGrid* grid, int row)
{
    return grid->Cells(grid->Columns()->Count() - 1, row).AsString().isEmpty();
}

void TfrmZZI070::CopyRowText(TwMemGrid* from, int fromRow, TwMemGrid* to, int toRow, int columns)
{
    for (int c = 0; c < columns; ++c) {
        const QString text = from->Cells(c, fromRow).AsString();
        to->Cells(c, toRow).SetAsString(text);
    }
}

int TfrmZZI070::FindChange(double rowId) const
{
    const int last = ChangeGrid->Columns()->Count() - 1;
    if (last < 0)
        return -1;
    for (int r = 0; r < ChangeGrid->RowCount(); ++r) {
        const TwCells& cell = ChangeGrid->Cells(last, r);
        if (!cell.AsString().isEmpty() && cell.AsFloat() == rowId)
            return r;
    }
    return -1;
}

void TfrmZZI070::BuildSaveColumns()
{
    auto* rowId = static_cast<TwMemColumn*>(rgrGrid->Columns()->Add());
    rowId->SetDataType(wdtFloat);
    rowId->Title()->SetCaption(QStringLiteral("RowID"));
    rowId->SetVisible(false);

    for (int i = 0; i < rgrGrid->Columns()->Count(); ++i) {
        TwMemColumn* source = rgrGrid->Column(i);
        auto* change = static_cast<TwMemColumn*>(ChangeGrid->Columns()->Add());
        // A text column keeps its capacity; any other value goes through as
        // text of whatever length its number or date needs.
        change->SetDataWidth(TwIsTextType(source->DataType()) ? source->DataWidth() : 0);
        change->SetWidth(80);
        if (source->ReadOnly())
            source->SetColor(ReadOnlyColor);
    }
    for (int f = 0; f < qryQuery.FieldCount(); ++f) {
        const QString name = qryQuery.Fields(f).FieldName();
        ColumnNames.append(name);
        ChangeGrid->Columns()->Items(f)->Title()->SetCaption(QStringLiteral("A") + name);
    }
}

void TfrmZZI070::bbtSearchClick()
{
    TfrmZZI010::bbtSearchClick();
    TWaitCursor wait;
    // Whatever happens to the search: footers, the empty-result notice, no
    // pending change.
    auto finish = [this] {
        rgrGrid->CalcFooters();
        if (RowCounter == 0)
            SetStatusText(QStringLiteral("조회할 내용이 없습니다."));
        Modified = false;
    };
    try {
        if (qryQuery.SQL().join(QString()).trimmed().isEmpty()) {
            ShowError(QStringLiteral("qryQuery의 쿼리문이 없습니다."));
            Abort();
        }
        if (qryQuery.Active())
            qryQuery.Close();
        qryQuery.Open();
        if (ColumnNames.isEmpty())
            BuildSaveColumns();
        rgrGrid->Clear();
        LoadRows();
        qryQuery.Close();
        rgrGrid->setFocus();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// One grid row per result row, fields in column order, numbered in the RowID
// column and marked as loaded rows.
void TfrmZZI070::LoadRows()
{
    const int rowIdColumn = rgrGrid->Columns()->Count() - 1;
    rgrGrid->BeginUpdate();
    try {
        for (int row = 0; !qryQuery.Eof(); qryQuery.Next(), ++row) {
            rgrGrid->AppendRow(true, false, false);
            for (int f = 0; f < qryQuery.FieldCount(); ++f)
                rgrGrid->Cells(f, row).SetAsString(qryQuery.Fields(f).AsString());
            ++RowCounter;
            rgrGrid->SetRowState(row, wrsModified);
            rgrGrid->Cells(rowIdColumn, row).SetAsFloat(RowCounter);
        }
    } catch (...) {
        rgrGrid->EndUpdate(true);
        throw;
    }
    rgrGrid->EndUpdate(true);
}

void TfrmZZI070::bbtSaveClick()
{
    TfrmZZI010::bbtSaveClick();
    CheckAvailable(bbtSave);
    if (rgrGrid->EditState() != wgsBrowse)
        rgrGrid->Post();
    if (!Modified) {
        ShowError(QStringLiteral("변경된 데이타가 존재하지 않습니다."));
        Abort();
    }
    if (!AskYesNo(QStringLiteral("저장 하시겠습니까?")))
        Abort();

    TDatabase& database = prcProc.Database();
    if (!database.Connected())
        database.Open();
    if (!database.InTransaction())
        database.StartTransaction(int(effectiveWinId() & 0x7FFFFFFF));
    TWaitCursor wait;
    try {
        SaveData();
        database.Commit();
    } catch (const EAbort&) {
        database.Rollback();
        throw;
    } catch (const std::exception& e) {
        database.Rollback();
        ShowError(QStringLiteral("자료를 저장하지 못했습니다.\r\r에러내용:\r") + ErrorText(e));
        throw;
    }
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
}

void TfrmZZI070::SaveData()
{
    SaveGridRows(rgrGrid, ChangeGrid, prcProc);
}

void TfrmZZI070::ExecSaveProc()
{
    prcProc.ExecProc();
}

void TfrmZZI070::SaveGridRows(TwMemGrid* grid, TwMemGrid* changes, TStoredProc& proc)
{
    std::vector<TParam>& params = proc.Params();
    auto find = [&params](const QString& name) -> TParam* {
        for (TParam& param : params)
            if (param.Name().compare(name, Qt::CaseInsensitive) == 0)
                return &param;
        return nullptr;
    };
    for (int r = 0; r < changes->RowCount(); ++r) {
        for (int c = 0; c < changes->Columns()->Count(); ++c) {
            const QString title = changes->Columns()->Items(c)->Title()->Caption();
            for (TParam& param : params)
                if (param.Name().compare(title, Qt::CaseInsensitive) == 0)
                    param.SetAsString(changes->Cells(c, r).AsString());
        }
        if (TParam* param = find(QStringLiteral("AU_EMP_NO")))
            param->SetAsString(SessionContext::EmpNo());
        if (TParam* param = find(QStringLiteral("AU_IP")))
            param->SetAsString(SessionContext::ClientIP());
        if (TParam* param = find(QStringLiteral("AEDITSTATUS")))
            param->SetAsString(EditStatus(changes->RowState(r)));
        // A refused change stays pending with the others, so the next save
        // sends it again instead of reporting a save that never happened.
        if (grid == rgrGrid)
            ExecSaveProc();
    }
    grid->ClearRowStates(false);
    changes->SetRowCount(0);
}

// Closing the tab (F12, its close entry, the main window closing) would drop
// pending changes without a word; the user decides, and No keeps it open.
bool TfrmZZI070::FormCloseQuery()
{
    const bool typing = rgrGrid->EditState() != wgsBrowse && rgrGrid->RowModified();
    if ((Modified || typing)
        && !AskYesNo(QStringLiteral("변경된 자료가 있습니다. 저장하지 않고 닫으시겠습니까?")))
        return false;
    return TfrmZZI010::FormCloseQuery();
}

void TfrmZZI070::bbtCancelClick()
{
    if (Modified && !AskYesNo(QStringLiteral("변경된 자료가 있습니다. 정말 취소하시겠습니까?")))
        Abort();
    TfrmZZI010::bbtCancelClick();
    ChangeGrid->Clear();
    rgrGrid->Clear();
    rgrGrid->CalcFooters();
    RowCounter = 0;
    Modified = false;
}

void TfrmZZI070::MoveGridToSecondPane(int firstPaneWidth)
{
    Panel1->layout()->removeWidget(rgrGrid);
    auto* gridPane = new QVBoxLayout(Panel2);
    gridPane->setContentsMargins(0, 0, 0, 0);
    rgrGrid->setParent(Panel2);
    gridPane->addWidget(rgrGrid);
    Panel1->setFixedWidth(firstPaneWidth);
}

void TfrmZZI070::bbtAddClick()
{
    CheckAvailable(bbtAdd);
    if (!rgrGrid->isVisible())
        return;
    rgrGrid->setFocus();
    rgrGrid->Insert(true);
}

void TfrmZZI070::bbtDeleteClick()
{
    CheckAvailable(bbtDelete);
    if (rgrGrid->RowCount() == 0 || !AskYesNo(QStringLiteral("현재 자료를 삭제하시겠습니까?")))
        return;
    rgrGrid->setFocus();
    rgrGrid->Delete();
}

void TfrmZZI070::GridAfterPost(QObject* Sender)
{
    TwMemGrid* grid = GridOf(Sender);
    const int r = grid->Row();
    const int last = grid->Columns()->Count() - 1;
    const int columns = ChangeGrid->Columns()->Count();
    const bool newRow = RowIdEmpty(grid, r);
    if (newRow) {
        bool empty = true;
        for (int c = 0; c < grid->Columns()->Count() && empty; ++c)
            empty = grid->Cells(c, r).AsString().isEmpty();
        if (empty) {
            grid->DeleteRow(r, 1, false); // an empty new row disappears
            return;
        }
    } else {
        const int change = FindChange(grid->Cells(last, r).AsFloat());
        if (change >= 0) {
            CopyRowText(grid, r, ChangeGrid, change, columns);
            ChangeGrid->SetRowState(change, grid->RowState(r));
            return;
        }
    }
    ChangeGrid->AppendRow(true, false, false);
    const int change = ChangeGrid->RowCount() - 1;
    CopyRowText(grid, r, ChangeGrid, change, columns);
    ChangeGrid->SetRowState(change, grid->RowState(r));
    if (newRow) {
        ++RowCounter;
        grid->Cells(last, r).SetAsFloat(RowCounter);
        ChangeGrid->Cells(columns - 1, change).SetAsFloat(RowCounter);
    }
}

void TfrmZZI070::GridBeforeDelete(QObject* Sender)
{
    TwMemGrid* grid = GridOf(Sender);
    const int r = grid->Row();
    if (RowIdEmpty(grid, r))
        return;
    if (grid->RowState(r) == wrsInserted) {
        // A row added since the last save and deleted again: its pending
        // insert goes, so the server never stores a row the user removed.
        const int change = FindChange(grid->Cells(grid->Columns()->Count() - 1, r).AsFloat());
        if (change >= 0)
            ChangeGrid->DeleteRow(change, 1, false);
        return;
    }
    if (grid == rgrGrid) {
        ChangeGrid->AppendRow(true, false, false);
        const int change = ChangeGrid->RowCount() - 1;
        ChangeGrid->SetRowState(change, wrsDeleted);
        CopyRowText(grid, r, ChangeGrid, change, grid->Columns()->Count());
    }
    Modified = true;
}

void TfrmZZI070::GridEnter(QObject* Sender)
{
    if (Sender != rgrGrid)
        return;
    rgrGrid->SetColor(TwColors::Window());
    // A screen without New takes no new rows from the keyboard either (Down
    // on the last row, Insert, typing into an empty grid): they could never
    // be completed or saved.
    if (bbtAdd->isHidden())
        rgrGrid->SetOptions(rgrGrid->Options() & ~TwGridOptions(wgoInserting));
}

// Copy-down: with Ctrl held, Right marks the columns to copy and each Down
// copies the marked cells of the source row into the row below. Releasing
// Ctrl ends it.
void TfrmZZI070::GridKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)
{
    TwMemGrid* grid = GridOf(Sender);
    if (Key == Qt::Key_Down)
        SetStatusText(QString());
    if (grid->RowCount() == 0 || Shift != Qt::ControlModifier)
        return;
    if (Key == Qt::Key_Down && CopyRow == -1) {
        CopyRow = grid->Row();
        CopyColFrom = CopyColTo = grid->CurrentColumnIndex();
    } else if (Key == Qt::Key_Right && CopyColFrom == -1) {
        CopyRow = grid->Row();
        CopyColFrom = grid->CurrentColumnIndex();
    }
}

void TfrmZZI070::GridKeyUp(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)
{
    TwMemGrid* grid = GridOf(Sender);
    if (Key == Qt::Key_Control) {
        CopyRow = CopyColFrom = CopyColTo = CopyTargetRow = -1;
        grid->InvalidateGrid();
        return;
    }
    if (grid->RowCount() == 0 || Shift != Qt::ControlModifier)
        return;
    if (Key == Qt::Key_Right) {
        CopyColTo = grid->CurrentColumnIndex();
    } else if (Key == Qt::Key_Down) {
        CopyTargetRow = grid->Row(); // the grid has moved on already
        CopyDown(grid);
    }
}

void TfrmZZI070::CopyDown(TwMemGrid* grid)
{
    // A Down released without its press under Ctrl has no source.
    if (CopyRow < 0 || CopyColFrom < 0 || CopyTargetRow < 0 || RowIdEmpty(grid, CopyTargetRow))
        return;
    for (int c = CopyColFrom; c <= CopyColTo; ++c) {
        if (grid->Column(c)->ReadOnly())
            continue;
        const QString text = grid->Cells(c, CopyRow).AsString();
        grid->Cells(c, CopyTargetRow).SetAsString(text);
    }
    if (grid->RowState(CopyTargetRow) != wrsInserted)
        grid->SetRowState(CopyTargetRow, wrsModified);
    GridAfterPost(grid); // recorded as if posted
    Modified = true;
    grid->InvalidateGrid();
}

// The marked copy range shows in the highlight colours (rows and columns up
// to 255).
void TfrmZZI070::GridDrawCell(TwColumn* AColumn, int ARow, QString&, QColor& BCol, QColor& FCol, TwFontStyles&)
{
    if (CopyRow == -1 && CopyColFrom == -1)
        return;
    const int col = AColumn->Index();
    if (col > 255 || ARow > 255)
        return;
    if (col >= CopyColFrom && col <= CopyColTo && ARow >= CopyRow && ARow <= CopyTargetRow) {
        BCol = CopyBgColor;
        FCol = CopyFgColor;
    }
}

void TfrmZZI070::rgrGridValueChanged(TwMemColumn*)
{
    Modified = true;
}

void TfrmZZI070::rgrGridAfterCalcFooters(QObject* Sender)
{
    TwMemGrid* grid = GridOf(Sender);
    if (grid->Footers()->Count() == 0 || !grid->Footers()->Items(0)->Visible())
        return;
    for (int i = 0; i < grid->Columns()->VCount(); ++i) {
        auto* footer = static_cast<TwMemColumnFooter*>(grid->Columns()->VItems(i)->Footer());
        if (footer->Kind(0) == 0)
            continue;
        footer->SetValues(0, FooterFigure(footer->Values(0)));
    }
}

void TfrmZZI070::WireEditor(QWidget* editor)
{
    editor->installEventFilter(this);
}

void TfrmZZI070::edtEnter(QWidget* Sender)
{
    if (!IsEditorKind(Sender))
        return;
    if (!Sender->property(RestColorProperty).isValid())
        Sender->setProperty(RestColorProperty, EditorColorOf(Sender));
    SetEditorColor(Sender, EditorColor);
}

void TfrmZZI070::edtExit(QWidget* Sender)
{
    if (!IsEditorKind(Sender))
        return;
    const QVariant rest = Sender->property(RestColorProperty);
    SetEditorColor(Sender, rest.isValid() ? rest.value<QColor>() : TwColors::Window());
    Sender->setProperty(RestColorProperty, QVariant());
}

bool TfrmZZI070::edtKeyPress(QWidget* Sender, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    FocusNext(Sender);
    return true;
}

bool TfrmZZI070::edtKeyDown(QWidget* Sender, QKeyEvent* event)
{
    if (event->key() != Qt::Key_F1)
        return false;
    const QString rest = Sender->objectName().mid(3);
    QAbstractButton* lookup = findChild<QAbstractButton*>(QStringLiteral("sbt") + rest);
    if (!lookup)
        lookup = findChild<QAbstractButton*>(QStringLiteral("bbt") + rest);
    if (lookup)
        lookup->click();
    return lookup != nullptr;
}

bool TfrmZZI070::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (!editor)
        return TfrmZZI010::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        edtEnter(editor);
        break;
    case QEvent::FocusOut:
        edtExit(editor);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        bool taken = false;
        RunCommand([&] { taken = edtKeyDown(editor, key) || edtKeyPress(editor, key); });
        if (taken)
            return true;
        break;
    }
    default:
        break;
    }
    return TfrmZZI010::eventFilter(watched, event);
}
