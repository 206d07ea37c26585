#include "controls/TwCustomGrid.h"

#include <QFontMetrics>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwFooterTitle.h"
#include "controls/TwHeaderTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwGridDialogs.h"
#include "controls/TwGridFooter.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGridPainter.h"
#include "controls/TwGroup.h"
#include "controls/TwGroupTitle.h"
#include "controls/TwGroups.h"
#include "controls/TwInEdit.h"
#include "controls/TwInplaceEditors.h"

template <typename Action>
void TwCustomGrid::Guarded(Action&& action)
{
    try {
        action();
    } catch (const ESelvarError& e) {
        TwGridDialogs::ShowError(e.Message());
    } catch (const std::exception& e) {
        TwGridDialogs::ShowError(QString::fromLocal8Bit(e.what()));
    }
}

TwCustomGrid::TwCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_columns(std::make_unique<TwColumns>(this)),
      m_groups(std::make_unique<TwGroups>(this)),
      m_footers(std::make_unique<TwGridFooters>(this)),
      m_headers(std::make_unique<TwGridHeaders>(this)),
      m_painter(std::make_unique<TwGridPainter>(this))
{
    m_lines.SetHorzColor(TwColors::Gray());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    m_rowChangeTimer.setSingleShot(true);
    connect(&m_rowChangeTimer, &QTimer::timeout, this, [this] {
        Guarded([&] {
            if (OnRowChange)
                OnRowChange(this);
        });
    });
}

// Columns go first: they still reach their groups and footers as they leave.
// Painting and extents stay suspended, since the concrete grid is gone.
TwCustomGrid::~TwCustomGrid()
{
    BeginUpdate();
    m_rowChangeTimer.stop();
    ReleaseEditors();
    m_columns->Clear();
}

void TwCustomGrid::ReleaseEditors()
{
    m_editorShown = false;
    m_editor = nullptr;
    m_editors.clear();
    for (const auto& editor : m_ownedEditors) {
        editor->Widget()->removeEventFilter(this);
        if (QWidget* proxy = editor->Widget()->focusProxy())
            proxy->removeEventFilter(this);
    }
    m_ownedEditors.clear();
}

// ----- Rows and the current cell -----

void TwCustomGrid::SetRow(int value)
{
    const int target = qBound(0, value, qMax(0, RowCount() - 1));
    if (target == m_row)
        return;
    UpdateData();
    const int moves = m_rowMoves;
    if (!m_inRowExit && OnRowExit) {
        m_inRowExit = true;
        try {
            OnRowExit(this);
        } catch (...) {
            m_inRowExit = false;
            throw;
        }
        m_inRowExit = false;
    }
    if (m_editState == wgsInsert && !RowModified())
        Cancel();
    else
        Post();
    // A handler moved the row meanwhile: that move stands.
    if (m_rowMoves != moves)
        return;
    const int row = qBound(0, value, qMax(0, RowCount() - 1));
    if (row == m_row) {
        RefreshEditor();
        return;
    }
    HideEditor();
    const int old = m_row;
    m_row = row;
    ++m_rowMoves;
    ScrollRowIntoView(row);
    if (m_options & wgoAlwaysShowEditor)
        ShowEditor();
    InvalidateRow(old);
    InvalidateRow(row);
    if (OnRowEnter)
        OnRowEnter(this);
    RestartRowChangeTimer();
}

void TwCustomGrid::RestartRowChangeTimer()
{
    if (m_changeDelay > 0)
        m_rowChangeTimer.start(m_changeDelay);
    else
        m_rowChangeTimer.stop();
}

void TwCustomGrid::FireRowChangeNow()
{
    m_rowChangeTimer.stop();
    if (m_changeDelay > 0 && OnRowChange)
        OnRowChange(this);
}

void TwCustomGrid::ScrollRowIntoView(int row)
{
    if (m_options & wgoNoScroll)
        return;
    const int visible = qMax(1, VisibleRowCount());
    if (row < m_topRow)
        SetTopRow(row);
    else if (row >= m_topRow + visible)
        SetTopRow(row - visible + 1);
}

int TwCustomGrid::VisibleRowCount() const
{
    return qMax(0, (DataBottom() - DataTop()) / RowHeight());
}

void TwCustomGrid::SetTopRow(int value)
{
    ScrollTo(m_topRow, qBound(0, value, qMax(0, RowCount() - VisibleRowCount())), verticalScrollBar());
}

void TwCustomGrid::SetLeftCol(int value)
{
    const int left = qBound(qMin(FixedCount(), UnitCount()), value, qMax(FixedCount(), UnitCount() - 1));
    ScrollTo(m_leftCol, left, horizontalScrollBar());
}

// Moves a scroll position set by code; the bar follows without reporting back.
void TwCustomGrid::ScrollTo(int& position, int value, QScrollBar* bar)
{
    if (value == position)
        return;
    position = value;
    {
        const QSignalBlocker blocker(bar);
        bar->setValue(value);
    }
    PlaceEditor();
    InvalidateGrid();
}

void TwCustomGrid::scrollContentsBy(int, int)
{
    m_topRow = verticalScrollBar()->value();
    m_leftCol = qMax(horizontalScrollBar()->value(), FixedCount());
    PlaceEditor();
    viewport()->update();
}

TwColumn* TwCustomGrid::CurrentColumn() const
{
    if (!m_groupMode) {
        if (m_columns->VCount() == 0)
            return nullptr;
        return m_columns->VItems(qBound(0, m_col, m_columns->VCount() - 1));
    }
    if (m_groups->VCount() == 0)
        return nullptr;
    const TwGroup* group = m_groups->VItems(qBound(0, m_gcell.group, m_groups->VCount() - 1));
    const int level = qBound(0, m_gcell.level, group->Levels() - 1);
    for (int k = 0; k < group->Levels(); ++k) {
        // The level itself, else the nearest one below or above with columns.
        for (const int l : {level + k, level - k}) {
            if (l < 0 || l >= group->Levels() || group->LevelColumns(l).empty())
                continue;
            const auto& columns = group->LevelColumns(l);
            return columns[size_t(qBound(0, l == level ? m_gcell.pos : 0, int(columns.size()) - 1))];
        }
    }
    return nullptr;
}

int TwCustomGrid::CurrentColumnIndex() const
{
    const TwColumn* column = CurrentColumn();
    return column ? column->Index() : -1;
}

void TwCustomGrid::SetCurrentColumnIndex(int value)
{
    if (value < 0 || value >= m_columns->Count())
        return;
    SetCurrentColumn(m_columns->Items(value));
}

void TwCustomGrid::SetCurrentColumn(TwColumn* column)
{
    if (!column || UnitOfColumn(column) < 0)
        return;
    MoveToColumn(column);
}

void TwCustomGrid::SetCol(int value)
{
    if (m_groupMode) {
        const std::vector<TwColumn*> order = CellOrder();
        if (!order.empty())
            MoveToColumn(order[size_t(qBound(0, value, int(order.size()) - 1))]);
        return;
    }
    if (m_columns->VCount() > 0)
        MoveToColumn(m_columns->VItems(qBound(0, value, m_columns->VCount() - 1)));
}

void TwCustomGrid::SetGroupCol(const TwGridCell& value)
{
    if (m_groups->VCount() == 0)
        return;
    const TwGroup* group = m_groups->VItems(qBound(0, value.group, m_groups->VCount() - 1));
    const int level = qBound(0, value.level, group->Levels() - 1);
    const auto& columns = group->LevelColumns(level);
    if (columns.empty())
        return;
    TwColumn* column = columns[size_t(qBound(0, value.pos, int(columns.size()) - 1))];
    if (m_groupMode)
        MoveToColumn(column);
    else
        m_gcell = {m_groups->VIndexOf(group), level, column->LevelIndex()};
}

std::vector<TwColumn*> TwCustomGrid::CellOrder() const
{
    std::vector<TwColumn*> order;
    if (!m_groupMode) {
        order.reserve(size_t(m_columns->VCount()));
        for (int i = 0; i < m_columns->VCount(); ++i)
            order.push_back(m_columns->VItems(i));
        return order;
    }
    for (int g = 0; g < m_groups->VCount(); ++g) {
        const TwGroup* group = m_groups->VItems(g);
        for (int level = 0; level < group->Levels(); ++level)
            for (TwColumn* column : group->LevelColumns(level))
                order.push_back(column);
    }
    return order;
}

bool TwCustomGrid::Selectable(const TwColumn* column, bool focusableOnly) const
{
    const int unit = UnitOfColumn(column);
    if (unit < 0)
        return false;
    if (unit < FixedCount() && !(m_fixedStyle.Options() & wfxSelecting))
        return false;
    return !focusableOnly || CanFocusColumn(column);
}

TwColumn* TwCustomGrid::StepCell(int direction) const
{
    const std::vector<TwColumn*> order = CellOrder();
    const auto it = std::find(order.begin(), order.end(), CurrentColumn());
    if (it == order.end())
        return nullptr;
    const bool skip = m_options & wgoSkipReadOnly;
    for (int i = int(it - order.begin()) + direction; i >= 0 && i < int(order.size()); i += direction)
        if (Selectable(order[size_t(i)], skip))
            return order[size_t(i)];
    return nullptr;
}

TwColumn* TwCustomGrid::EdgeCell(bool last) const
{
    std::vector<TwColumn*> order = CellOrder();
    if (last)
        std::reverse(order.begin(), order.end());
    const bool skip = m_options & wgoSkipReadOnly;
    for (TwColumn* column : order)
        if (Selectable(column, skip))
            return column;
    return nullptr;
}

// Up/Down inside a group: the column of the nearest level above/below whose
// span holds the current column's left edge, else the nearest focusable one
// of that level (leftwards first going down, rightwards first going up).
TwColumn* TwCustomGrid::LevelTarget(bool down) const
{
    TwColumn* current = CurrentColumn();
    TwGroup* group = current ? current->GroupObject() : nullptr;
    if (!group)
        return nullptr;
    const int edge = group->ColumnLeft(current);
    for (int level = current->Level() + (down ? 1 : -1); level >= 0 && level < group->Levels();
         level += down ? 1 : -1) {
        const auto& columns = group->LevelColumns(level);
        if (columns.empty())
            continue;
        int hit = int(columns.size()) - 1;
        for (int i = 0; i < int(columns.size()); ++i) {
            const int left = group->ColumnLeft(columns[size_t(i)]);
            if (edge >= left && edge < left + group->ColumnWidth(columns[size_t(i)])) {
                hit = i;
                break;
            }
        }
        std::vector<int> search{hit};
        const int first = down ? -1 : 1;
        for (int d = 1; d < int(columns.size()); ++d) {
            search.push_back(hit + first * d);
        }
        for (int d = 1; d < int(columns.size()); ++d)
            search.push_back(hit - first * d);
        for (const int i : search)
            if (i >= 0 && i < int(columns.size()) && CanFocusColumn(columns[size_t(i)])
                && Selectable(columns[size_t(i)], false))
                return columns[size_t(i)];
    }
    return nullptr;
}

void TwCustomGrid::MoveToColumn(TwColumn* column)
{
    if (!column || !Selectable(column, false))
        return;
    if (column == CurrentColumn()) {
        ScrollUnitIntoView(UnitOfColumn(column));
        return;
    }
    UpdateData();
    if (OnCellExit)
        OnCellExit(this);
    HideEditor();
    const int visibleIndex = m_columns->VIndexOf(column);
    if (visibleIndex >= 0)
        m_col = visibleIndex;
    if (TwGroup* group = column->GroupObject()) {
        const int g = m_groups->VIndexOf(group);
        if (g >= 0)
            m_gcell = {g, column->Level(), column->LevelIndex()};
    }
    ScrollUnitIntoView(UnitOfColumn(column));
    if (m_options & wgoAlwaysShowEditor)
        ShowEditor();
    InvalidateRow(m_row);
    if (OnCellEnter)
        OnCellEnter(this);
}

void TwCustomGrid::LeaveFixedColumn()
{
    TwColumn* current = CurrentColumn();
    if (!current || Selectable(current, false))
        return;
    TwColumn* first = EdgeCell(false);
    if (!first)
        first = StepCell(1);
    if (!first)
        return;
    HideEditor();
    const int visibleIndex = m_columns->VIndexOf(first);
    if (visibleIndex >= 0)
        m_col = visibleIndex;
    if (TwGroup* group = first->GroupObject()) {
        const int g = m_groups->VIndexOf(group);
        if (g >= 0)
            m_gcell = {g, first->Level(), first->LevelIndex()};
    }
}

void TwCustomGrid::ScrollUnitIntoView(int unit)
{
    if (unit < FixedCount() || unit < 0)
        return;
    if (unit < m_leftCol) {
        SetLeftCol(unit);
        return;
    }
    const int room = viewport()->width() - FixedRight();
    int left = m_leftCol;
    auto width = [&] {
        int w = 0;
        for (int u = left; u <= unit; ++u)
            w += UnitWidth(u);
        return w;
    };
    while (left < unit && width() > room)
        ++left;
    SetLeftCol(left);
}

// ----- Properties -----

void TwCustomGrid::SetOptions(TwGridOptions value)
{
    m_options = value;
    InvalidateGrid();
}

void TwCustomGrid::SetColor(const QColor& value)
{
    m_color = value;
    InvalidateGrid();
}

void TwCustomGrid::SetSelBgColor(const QColor& value)
{
    m_selBgColor = value;
    InvalidateGrid();
}

void TwCustomGrid::SetSelFgColor(const QColor& value)
{
    m_selFgColor = value;
    InvalidateGrid();
}

void TwCustomGrid::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    setFrameStyle(value == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TwCustomGrid::SetScrollBars(TScrollStyle value)
{
    m_scrollBars = value;
    const bool horizontal = value == ssHorizontal || value == ssBoth;
    const bool vertical = value == ssVertical || value == ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TwCustomGrid::SetGroupMode(bool value)
{
    if (value == m_groupMode)
        return;
    if (m_loading) {
        m_groupMode = value;
        return;
    }
    if (value && m_groups->VCount() == 0)
        return;
    // The pending value is kept: written into the row before the switch.
    UpdateData();
    HideEditor();
    m_groupMode = value;
    m_leftCol = 0;
    SetFixedCount(FixedCount());
    m_leftCol = FixedCount();
    UpdateExtents();
    {
        const QSignalBlocker blocker(horizontalScrollBar());
        horizontalScrollBar()->setValue(m_leftCol);
    }
    InvalidateGrid();
    if (m_options & wgoAlwaysShowEditor)
        ShowEditor();
}

void TwCustomGrid::SetRowHeight(int value)
{
    const int old = RowHeight();
    if (m_groupMode)
        SetGrpRowHeight(value);
    else
        SetColRowHeight(value);
    UpdateExtents();
    PlaceEditor();
    InvalidateGrid();
    if (OnRowHeightChange && !m_loading)
        OnRowHeightChange(this, old);
}

void TwCustomGrid::SetFixedCount(int value)
{
    const int count = m_groupMode ? m_groups->VCount() : m_columns->VCount();
    const int clamped = m_loading ? qMax(0, value) : qBound(0, value, qMax(0, count - 1));
    (m_groupMode ? m_grpFixedCount : m_colFixedCount) = clamped;
    m_leftCol = qMax(m_leftCol, FixedCount());
    if (!m_loading)
        LeaveFixedColumn();
    UpdateExtents();
    InvalidateGrid();
}

void TwCustomGrid::BeginLoading()
{
    m_loading = true;
}

void TwCustomGrid::EndLoading()
{
    if (!m_loading)
        return;
    m_loading = false;
    m_columns->RebuildVisible();
    m_groups->RebuildVisible();
    m_footers->RebuildVisible();
    // Level lists in LevelIndex order, keeping the saved widths.
    std::vector<TwColumn*> grouped;
    for (int i = 0; i < m_columns->Count(); ++i)
        if (m_columns->Items(i)->Group() >= 0)
            grouped.push_back(m_columns->Items(i));
    std::stable_sort(grouped.begin(), grouped.end(), [](const TwColumn* a, const TwColumn* b) {
        return a->LevelIndex() < b->LevelIndex();
    });
    for (TwColumn* column : grouped)
        column->GroupObject() ? column->GroupObject()->AttachLoaded(column) : column->SetGroup(-1);
    if (m_groupMode && m_groups->VCount() == 0)
        m_groupMode = false;
    SetFixedCount(FixedCount());
    LoadingEnded();
    UpdateExtents();
    InvalidateGrid();
}

void TwCustomGrid::EndUpdate(bool repaint)
{
    if (m_updateCount > 0)
        --m_updateCount;
    if (m_updateCount > 0)
        return;
    if (m_extentsDirty && isVisible())
        ApplyExtents();
    if (repaint)
        InvalidateGrid();
}

void TwCustomGrid::InvalidateGrid()
{
    if (!Updating() && isVisible())
        viewport()->update();
}

void TwCustomGrid::InvalidateRow(int row)
{
    if (Updating() || !isVisible())
        return;
    const int visible = VisibleRowCount() + 1;
    if (row < m_topRow || row > m_topRow + visible)
        return;
    viewport()->update(QRect(0, RowTop(row), viewport()->width(), RowHeight()));
}

void TwCustomGrid::InvalidateCell(int, int)
{
    InvalidateGrid();
}

void TwCustomGrid::CellValueChanged(const TwColumn* column, int row)
{
    if (row == m_row && column == m_editorColumn && EditorInPlace())
        LoadEditor();
    InvalidateRow(row);
}

// Scroll-bar changes post layout events, far too costly per appended row:
// a hidden or suspended grid only notes that its extents changed.
void TwCustomGrid::UpdateExtents()
{
    if (!isVisible() || Updating()) {
        m_extentsDirty = true;
        return;
    }
    ApplyExtents();
}

// The bars' range signals must get through: the scroll area shows or hides
// a bar on them (as needed), which resizes the viewport, which can change
// the ranges once more.
void TwCustomGrid::ApplyExtents()
{
    if (m_applyingExtents) {
        m_extentsDirty = true;
        return;
    }
    m_applyingExtents = true;
    for (int pass = 0; pass < 3; ++pass) {
        m_extentsDirty = false;
        ApplyExtentsOnce();
        if (!m_extentsDirty)
            break;
    }
    m_applyingExtents = false;
}

void TwCustomGrid::ApplyExtentsOnce()
{
    const int visibleRows = VisibleRowCount();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const int maxTop = qMax(0, RowCount() - visibleRows);
    vertical->setRange(0, maxTop);
    vertical->setPageStep(qMax(1, visibleRows));
    m_topRow = qBound(0, m_topRow, maxTop);
    vertical->setValue(m_topRow);
    // The last left column that still lets the last unit show whole.
    const int units = UnitCount();
    const int fixed = qMin(FixedCount(), units);
    const int room = viewport()->width() - FixedRight();
    int maxLeft = qMax(fixed, units - 1);
    int used = 0;
    for (int u = units - 1; u >= fixed; --u) {
        used += UnitWidth(u);
        if (used > room)
            break;
        maxLeft = u;
    }
    horizontal->setRange(fixed, qMax(fixed, maxLeft));
    horizontal->setPageStep(1);
    m_leftCol = qBound(fixed, m_leftCol, qMax(fixed, maxLeft));
    horizontal->setValue(m_leftCol);
    PlaceEditor();
}

void TwCustomGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_extentsDirty)
        ApplyExtents();
}

bool TwCustomGrid::viewportEvent(QEvent* event)
{
    // A bar shown or hidden changes the viewport, not the grid's own size.
    if (event->type() == QEvent::Resize) {
        if (!Updating())
            ApplyExtents();
        else
            m_extentsDirty = true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TwCustomGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!Updating())
        ApplyExtents();
    else
        m_extentsDirty = true;
}

std::unique_ptr<TwColumn> TwCustomGrid::CreateColumn()
{
    return std::make_unique<TwColumn>(this);
}

bool TwCustomGrid::CanFocusColumn(const TwColumn* column) const
{
    return column && column->CanFocus();
}

TwRowState TwCustomGrid::RowState(int) const
{
    return wrsNone;
}

bool TwCustomGrid::Selected(int) const
{
    return false;
}

void TwCustomGrid::SetSelected(int, bool) {}

TwEditKind TwCustomGrid::EditKind(const TwColumn*) const
{
    return wekText;
}

bool TwCustomGrid::ColumnAcceptsChar(const TwColumn*, QChar) const
{
    return true;
}

QString TwCustomGrid::FooterText(TwColumn* column, int footerRow) const
{
    return column->Footer()->Values(footerRow);
}

bool TwCustomGrid::SelectionShown() const
{
    return (m_options & wgoAlwaysShowSelection) || hasFocus()
           || (m_editorShown && m_editor && m_editor->Widget()->hasFocus());
}

void TwCustomGrid::ColumnHidden(int position)
{
    if (m_groupMode) {
        EditorInPlace();
        InvalidateGrid();
        return;
    }
    const int count = m_columns->VCount();
    if (m_col > position) {
        --m_col;
    } else if (m_col == position) {
        HideEditor();
        int next = position;
        while (next < count && !CanFocusColumn(m_columns->VItems(next)))
            ++next;
        m_col = qBound(0, next < count ? next : position, qMax(0, count - 1));
        if (m_options & wgoAlwaysShowEditor)
            ShowEditor();
    }
    InvalidateGrid();
}

void TwCustomGrid::ColumnShown(int position)
{
    if (m_col >= position && m_columns->VCount() > 1)
        ++m_col;
    InvalidateGrid();
}

void TwCustomGrid::ColumnMoved(TwColumn* current)
{
    const int index = current ? m_columns->VIndexOf(current) : -1;
    if (index >= 0)
        m_col = index;
    else
        m_col = qBound(0, m_col, qMax(0, m_columns->VCount() - 1));
    InvalidateGrid();
}

// ----- The in-place editor -----

bool TwCustomGrid::ColumnMayModify(TwColumn* column)
{
    if (!column || !CanFocusColumn(column) || column->ReadOnly())
        return false;
    if (m_editState != wgsBrowse)
        return true;
    bool accept = true;
    if (OnEdit)
        OnEdit(column, accept);
    return accept && Edit();
}

TwInplaceEditor* TwCustomGrid::EditorFor(TwEditKind kind)
{
    const auto found = m_editors.find(kind);
    if (found != m_editors.end())
        return found->second;
    std::unique_ptr<TwInplaceEditor> editor;
    if (kind != wekText)
        editor = CreateEditor(kind);
    if (!editor) {
        // Kinds without an editor of their own share the text editor.
        const auto text = m_editors.find(wekText);
        if (text != m_editors.end()) {
            m_editors[kind] = text->second;
            return text->second;
        }
        editor = std::make_unique<TwInEdit>(viewport());
        m_editors[wekText] = editor.get();
    }
    QWidget* widget = editor->Widget();
    if (widget->parentWidget() != viewport())
        widget->setParent(viewport());
    widget->hide();
    widget->installEventFilter(this);
    if (QWidget* proxy = widget->focusProxy())
        proxy->installEventFilter(this);
    m_editors[kind] = editor.get();
    m_ownedEditors.push_back(std::move(editor));
    return m_editors[kind];
}

std::unique_ptr<TwInplaceEditor> TwCustomGrid::CreateEditor(TwEditKind kind)
{
    return TwCreateInplaceEditor(kind, viewport());
}

bool TwCustomGrid::CanShowEditor(TwColumn* column) const
{
    if (!column || m_editorShown || m_afterEventNesting > 0 || m_holdEditor > 0 || m_loading)
        return false;
    const QWidget* focus = QApplication::focusWidget();
    if (!hasFocus() && !(focus && isAncestorOf(focus)))
        return false;
    if (RowCount() == 0 || UnitCount() == 0 || !(m_options & (wgoEditing | wgoInserting)))
        return false;
    const TwEditKind kind = EditKind(column);
    if (kind < wekText || kind > wekLookupList || column->ReadOnly())
        return false;
    const int unit = UnitOfColumn(column);
    return unit >= FixedCount() || (m_fixedStyle.Options() & wfxEditing);
}

void TwCustomGrid::ShowEditor()
{
    TwColumn* column = CurrentColumn();
    if (!CanShowEditor(column))
        return;
    const TwEditKind kind = EditKind(column);
    TwInplaceEditor* editor = EditorFor(kind);
    m_editor = editor;
    m_editorColumn = column;
    m_editorKind = dynamic_cast<TwInEdit*>(editor) ? wekText : kind;
    SetupEditor(editor, column);
    LoadEditor();
    m_editorShown = true;
    PlaceEditor();
    QWidget* widget = editor->Widget();
    widget->show();
    widget->setFocus(Qt::OtherFocusReason);
    editor->SelectAll();
    InvalidateRow(m_row);
}

void TwCustomGrid::HideEditor()
{
    if (!m_editorShown)
        return;
    m_editorShown = false;
    QWidget* widget = m_editor->Widget();
    const QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == widget || widget->isAncestorOf(focus)))
        setFocus(Qt::OtherFocusReason);
    widget->hide();
    InvalidateRow(m_row);
}

void TwCustomGrid::PlaceEditor()
{
    if (!EditorInPlace())
        return;
    const QRect cell = CellRect(CurrentColumn(), m_row);
    const bool inView = !cell.isEmpty() && m_row >= m_topRow && cell.top() < DataBottom();
    QRect place = m_painter->EditorRect(cell);
    if (CurrentColumn()->EditButton())
        place.setRight(m_painter->EditButtonRect(cell).left() - 1);
    // Out of view the editor keeps its value and focus, out of sight.
    m_editor->Widget()->setGeometry(inView ? place : QRect(-2000, -2000, 10, 10));
}

bool TwCustomGrid::EditorInPlace()
{
    if (!m_editorShown)
        return false;
    if (m_row < RowCount() && CurrentColumn() == m_editorColumn)
        return true;
    HideEditor();
    return false;
}

// The editor takes the cell's value; what it then shows is the mark that
// tells a change by the user from the editor's own rounding or formatting.
void TwCustomGrid::LoadEditor()
{
    m_editor->SetValue(EditorValueOf(CurrentColumn(), m_row, m_editorKind));
    m_editorLoaded = m_editor->Value();
}

bool TwCustomGrid::EditorDiffers()
{
    if (!EditorInPlace())
        return false;
    const QVariant shown = m_editor->Value();
    if (shown.isValid() != m_editorLoaded.isValid())
        return true;
    return shown.isValid() && shown != m_editorLoaded && shown.toString() != m_editorLoaded.toString();
}

void TwCustomGrid::UpdateData()
{
    if (!EditorInPlace())
        return;
    // An untouched editor writes nothing back: its precision or format would
    // otherwise replace the stored value (1234.5678 shown as 1235).
    if (!EditorDiffers())
        return;
    TwColumn* column = CurrentColumn();
    // A change the editor made on its own (a list or a calendar picked with
    // the mouse) still reaches the row when it may be modified.
    if (m_editState == wgsBrowse && !ColumnMayModify(column)) {
        LoadEditor();
        return;
    }
    WriteEditorValue(column, m_row, m_editorKind, m_editor->Value());
}

void TwCustomGrid::RefreshEditor()
{
    if (EditorInPlace())
        LoadEditor();
    else if (m_options & wgoAlwaysShowEditor)
        ShowEditor();
}

// ----- Keyboard -----

bool TwCustomGrid::KeyAction(int key, Qt::KeyboardModifiers mods)
{
    const bool ctrl = mods & Qt::ControlModifier;
    TwColumn* column = CurrentColumn();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        VerticalKey(key, mods);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        MoveToColumn(StepCell(key == Qt::Key_Right ? 1 : -1));
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        MoveToColumn(EdgeCell(key == Qt::Key_End));
        return true;
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier)
            return false;
        Insert(false);
        return true;
    case Qt::Key_Delete:
        if (ctrl) {
            ConfirmAndDelete();
            return true;
        }
        ShowEditor();
        if (m_editorShown && ColumnMayModify(column))
            m_editor->SetValue(QVariant());
        return true;
    case Qt::Key_F2:
        if (ctrl) {
            if (column && column->EditButton() && OnEditButtonClick)
                OnEditButtonClick(column);
            return true;
        }
        if (RowCount() == 0 && (m_options & wgoInserting)) {
            Insert(true);
            return true;
        }
        ShowEditor();
        if (m_editorShown)
            m_editor->CaretToEnd();
        return true;
    case Qt::Key_F3:
        CopyFromAbove();
        return true;
    default:
        return false;
    }
}

void TwCustomGrid::VerticalKey(int key, Qt::KeyboardModifiers mods)
{
    const bool down = key == Qt::Key_Down || key == Qt::Key_PageDown;
    const bool page = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    const bool shift = mods & Qt::ShiftModifier;
    if (m_groupMode && !page && !shift) {
        if (TwColumn* target = LevelTarget(down)) {
            MoveToColumn(target);
            return;
        }
    }
    const int step = !page ? 1 : (mods & Qt::ControlModifier) ? qMax(1, RowCount()) : qMax(1, VisibleRowCount());
    if (shift && (m_options & wgoMultiSelect)) {
        UpdateData();
        Post();
        if (!m_rangeOpen) {
            m_rangeOpen = true;
            m_rangeFirst = m_row;
            m_rangeLast = m_row;
        }
        SetRow(m_row + (down ? step : -step));
        ExtendSelection(m_rangeFirst, m_row);
        return;
    }
    m_rangeOpen = false;
    UpdateData();
    if (down) {
        if (m_editState == wgsInsert && !RowModified()) {
            if (m_row != RowCount() - 1)
                Cancel();
            return;
        }
        if (!page && RowCount() == 0) {
            Insert(false);
            return;
        }
        if (!page && m_row == RowCount() - 1) {
            Insert(true);
            return;
        }
        SetRow(m_row + step);
        return;
    }
    if (m_editState == wgsInsert && !RowModified()) {
        Cancel();
        return;
    }
    if ((m_row == 0 || RowCount() == 1) && m_editState != wgsBrowse) {
        Post();
        return;
    }
    SetRow(m_row - step);
}

// The selection becomes the range between the anchor and the current row.
void TwCustomGrid::ExtendSelection(int from, int to)
{
    const int first = qMin(from, to);
    const int last = qMax(from, to);
    const int oldFirst = qMin(m_rangeFirst, m_rangeLast);
    const int oldLast = qMax(m_rangeFirst, m_rangeLast);
    for (int r = oldFirst; r <= oldLast && r < RowCount(); ++r)
        if ((r < first || r > last) && Selected(r))
            SetSelected(r, false);
    for (int r = first; r <= last && r < RowCount(); ++r)
        if (!Selected(r))
            SetSelected(r, true);
    m_rangeLast = to;
}

void TwCustomGrid::ConfirmAndDelete()
{
    if (RowCount() <= 0 || !(m_options & wgoDeleting))
        return;
    const bool selection = SelectedCount() > 0;
    if (m_options & wgoConfirmDelete) {
        const QString text = selection ? QStringLiteral("선택된 자료를 모두 삭제하시겠습니까?")
                                       : QStringLiteral("자료를 삭제하시겠습니까?");
        if (!TwGridDialogs::AskYesNo(text, QStringLiteral("삭제")))
            return;
    }
    if (selection)
        DeleteSelected();
    else
        Delete();
}

void TwCustomGrid::CopyFromAbove()
{
    TwColumn* column = CurrentColumn();
    if (!column || m_row <= 0 || m_row >= RowCount())
        return;
    if (!ColumnMayModify(column)) {
        QApplication::beep();
        return;
    }
    CopyCellValue(column, m_row - 1, m_row);
    ShowEditor();
    if (m_editorShown) {
        LoadEditor();
        m_editor->SelectAll();
    }
}

void TwCustomGrid::EnterAction()
{
    if (m_options & wgoEnterToTab) {
        if (TwColumn* next = StepCell(1)) {
            MoveToColumn(next);
            return;
        }
        // Last cell: what was typed there goes to the row first, then the
        // next row (the editor kept hidden meanwhile), then its first cell.
        UpdateData();
        ++m_holdEditor;
        try {
            HideEditor();
            VerticalKey(Qt::Key_Down, Qt::NoModifier);
        } catch (...) {
            --m_holdEditor;
            throw;
        }
        --m_holdEditor;
        MoveToColumn(EdgeCell(false));
        if (m_options & wgoAlwaysShowEditor)
            ShowEditor();
        return;
    }
    if (m_editorShown && !(m_options & wgoAlwaysShowEditor)) {
        UpdateData();
        HideEditor();
    } else if (!m_editorShown) {
        ShowEditor();
    }
}

void TwCustomGrid::EscapeAction()
{
    if (m_drag) {
        m_drag.reset();
        viewport()->unsetCursor();
        InvalidateGrid();
        return;
    }
    if (m_editState == wgsBrowse)
        ClearSelection();
    if (m_editorShown && EditorDiffers()) {
        LoadEditor();
        m_editor->SelectAll();
    } else {
        Cancel();
    }
    if (!(m_options & wgoAlwaysShowEditor))
        HideEditor();
}

void TwCustomGrid::CharAction(QChar ch)
{
    if (ch == u'\r' || ch == u'\n') {
        EnterAction();
        return;
    }
    if (ch == QChar(0x1b)) {
        EscapeAction();
        return;
    }
    if (!ch.isPrint())
        return;
    TwColumn* column = CurrentColumn();
    if (!column)
        return;
    if (!ColumnAcceptsChar(column, ch)) {
        QApplication::beep();
        return;
    }
    if (RowCount() == 0)
        Insert(true);
    ShowEditor();
    if (!m_editorShown)
        return;
    m_editor->SelectAll();
    if (!ColumnMayModify(column)) {
        QApplication::beep();
        return;
    }
    TypeIntoEditor(nullptr, ch);
}

void TwCustomGrid::TypeIntoEditor(const QKeyEvent* original, QChar ch)
{
    int key = Qt::Key_unknown;
    if (ch == u' ')
        key = Qt::Key_Space;
    else if (ch.unicode() < 0x80 && ch.isLetterOrNumber())
        key = ch.toUpper().unicode();
    QKeyEvent typed(QEvent::KeyPress, key, original ? original->modifiers() : Qt::NoModifier, QString(ch));
    m_passKeys = true;
    QApplication::sendEvent(m_editor->Widget()->focusProxy() ? m_editor->Widget()->focusProxy()
                                                              : m_editor->Widget(),
                            &typed);
    m_passKeys = false;
}

namespace {
QChar KeyChar(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return u'\r';
    case Qt::Key_Escape: return QChar(0x1b);
    default: break;
    }
    const QString text = event->text();
    return text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ? QChar() : text.at(0);
}

bool ModifiesText(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Delete || key == Qt::Key_Backspace || event->matches(QKeySequence::Paste)
           || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo)
           || event->matches(QKeySequence::Redo);
}
} // namespace

void TwCustomGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return;
    }
    Guarded([&] {
        if (KeyAction(key, event->modifiers()))
            return;
        QChar ch = KeyChar(event);
        if (ch.isNull()) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        if (OnKeyPress) {
            OnKeyPress(this, ch);
            if (ch.isNull())
                return;
        }
        CharAction(ch);
    });
}

// Text composed by an input method (Korean) reaches the cell like typing:
// the editor is shown and takes the composition when the column may change.
void TwCustomGrid::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().isEmpty() && event->preeditString().isEmpty())
        return;
    Guarded([&] {
        TwColumn* column = CurrentColumn();
        if (!column)
            return;
        if (RowCount() == 0)
            Insert(true);
        ShowEditor();
        if (!m_editorShown)
            return;
        m_editor->SelectAll();
        if (!ComposedTextAllowed(event->commitString()))
            return;
        m_passKeys = true;
        QApplication::sendEvent(m_editor->Widget()->focusProxy() ? m_editor->Widget()->focusProxy()
                                                                  : m_editor->Widget(),
                                event);
        m_passKeys = false;
    });
}

bool TwCustomGrid::ComposedTextAllowed(const QString& text)
{
    TwColumn* column = CurrentColumn();
    for (const QChar ch : text)
        if (!ColumnAcceptsChar(column, ch)) {
            QApplication::beep();
            return false;
        }
    if (!ColumnMayModify(column)) {
        QApplication::beep();
        return false;
    }
    return true;
}

void TwCustomGrid::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyUp)
        Guarded([&] { OnKeyUp(this, key, event->modifiers()); });
    QAbstractScrollArea::keyReleaseEvent(event);
}

bool TwCustomGrid::GoesToGrid(const QKeyEvent* event) const
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool arrows = m_options & wgoArrowMove;
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F3: return true;
    case Qt::Key_Right:
    case Qt::Key_End: return arrows && (ctrl || m_editor->AtTextEnd());
    case Qt::Key_Left:
    case Qt::Key_Home: return arrows && (ctrl || m_editor->AtTextStart());
    case Qt::Key_Insert: return mods == Qt::NoModifier;
    case Qt::Key_Delete:
    case Qt::Key_F2: return ctrl;
    default: return false;
    }
}

// A key typed into the editor: the grid's OnKeyDown sees it first; grid keys
// go to the grid; characters pass the grid's key-press handling; anything
// that changes the text needs a column that may be modified.
bool TwCustomGrid::EditorKey(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return true;
    }
    if (m_editor->KeepsKey(*event))
        return false;
    if (event->key() == Qt::Key_Backtab
        || (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier))) {
        // The grid itself comes before its editor in the focus chain.
        for (QWidget* w = previousInFocusChain(); w && w != this; w = w->previousInFocusChain())
            if (TakesTabFocus(w)) {
                w->setFocus(Qt::BacktabFocusReason);
                return true;
            }
        return false;
    }
    if (event->key() == Qt::Key_Tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // Tab leaves the grid for the control after it, as from the grid
        // itself; leaving writes the editor's value. The editor was added to
        // the window's focus chain when first shown, so the chain after it
        // would wrap back into the grid and select the typed text.
        for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
            if (TakesTabFocus(w)) {
                w->setFocus(Qt::TabFocusReason);
                return true;
            }
        return true;
    }
    bool consumed = true;
    Guarded([&] {
        if (GoesToGrid(event)) {
            KeyAction(event->key(), event->modifiers());
            return;
        }
        TwColumn* column = CurrentColumn();
        const QChar typed = KeyChar(event);
        if (!typed.isNull()) {
            QChar ch = typed;
            if (OnKeyPress) {
                OnKeyPress(this, ch);
                if (ch.isNull())
                    return;
            }
            if (ch == u'\r' || ch == u'\n' || ch == QChar(0x1b)) {
                CharAction(ch);
                return;
            }
            if (ch.isPrint()) {
                if (!ColumnAcceptsChar(column, ch) || !ColumnMayModify(column)) {
                    QApplication::beep();
                    return;
                }
                if (ch != typed) {
                    TypeIntoEditor(event, ch);
                    return;
                }
            }
            consumed = false;
            return;
        }
        if (ModifiesText(event) && !ColumnMayModify(column)) {
            QApplication::beep();
            return;
        }
        consumed = false;
    });
    return consumed;
}

bool TwCustomGrid::TakesTabFocus(const QWidget* widget) const
{
    return !isAncestorOf(widget) && widget->isVisible() && widget->isEnabled()
           && (widget->focusPolicy() & Qt::TabFocus);
}

bool TwCustomGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_editor || m_passKeys)
        return QAbstractScrollArea::eventFilter(watched, event);
    QWidget* widget = m_editor->Widget();
    if (watched != widget && watched != widget->focusProxy())
        return QAbstractScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return EditorKey(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        if (OnKeyUp) {
            int key = static_cast<QKeyEvent*>(event)->key();
            Guarded([&] { OnKeyUp(this, key, static_cast<QKeyEvent*>(event)->modifiers()); });
            if (key == 0)
                return true;
        }
        break;
    case QEvent::InputMethod: {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty() && input->preeditString().isEmpty())
            break;
        bool allowed = false;
        Guarded([&] { allowed = ComposedTextAllowed(input->commitString()); });
        if (!allowed)
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Check boxes and the like change through the grid, which asks
        // whether the column may be modified first.
        bool consumed = false;
        if (m_editor->TogglesOnClick() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            consumed = true;
            Guarded([&] {
                if (ColumnMayModify(CurrentColumn()))
                    m_editor->Toggle();
                else
                    QApplication::beep();
            });
        }
        if (event->type() == QEvent::MouseButtonDblClick && OnDblClick)
            Guarded([&] { OnDblClick(this); });
        if (consumed)
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (!m_focusWithin) {
            m_focusWithin = true;
            if (OnEnter)
                Guarded([&] { OnEnter(this); });
        }
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const QWidget* next = QApplication::focusWidget();
            if (!next || (next != this && !isAncestorOf(next)))
                GridExit();
        }
        break;
    }
    default:
        break;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TwCustomGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // Focus coming back from the editor is no entry.
    if (!m_focusWithin) {
        m_focusWithin = true;
        if (OnEnter)
            Guarded([&] { OnEnter(this); });
        if (m_options & wgoAlwaysShowEditor)
            Guarded([&] { ShowEditor(); });
    }
    // While the editor is shown it owns the keyboard: focus given to the grid
    // (by code after a search, or by a click beside the rows) would make every
    // key start a new edit over the last one.
    if (m_editorShown && EditorInPlace() && hasFocus()) {
        m_editor->Widget()->setFocus(event->reason());
        m_editor->SelectAll();
    }
    InvalidateRow(m_row);
}

void TwCustomGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    const auto reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        const QWidget* next = QApplication::focusWidget();
        if (!next || !isAncestorOf(next))
            GridExit();
    }
    InvalidateRow(m_row);
}

// Focus left the grid and its editor.
void TwCustomGrid::GridExit()
{
    if (!m_focusWithin)
        return;
    m_focusWithin = false;
    Guarded([&] {
        if (m_editorShown) {
            UpdateData();
            HideEditor();
        }
        if ((m_options & wgoCancelOnExit) && m_editState == wgsInsert && !RowModified())
            Cancel();
    });
    if (OnExit)
        Guarded([&] { OnExit(this); });
    InvalidateGrid();
}

// ----- Geometry -----

int TwCustomGrid::HeaderBandHeight() const
{
    return m_headers->Visible() ? m_headers->Height() : 0;
}

int TwCustomGrid::FooterBandHeight() const
{
    return m_footers->BandHeight();
}

int TwCustomGrid::DataBottom() const
{
    return qMax(DataTop(), viewport()->height() - FooterBandHeight());
}

int TwCustomGrid::IndicatorWidth() const
{
    if (!m_indicators.Visible())
        return 0;
    if (!m_indicators.ShowRowNo())
        return m_indicators.Width();
    // The column widens so that the highest row number fits (the painter's
    // margins, the state mark and the cell line included).
    const int digits = QFontMetrics(m_indicators.Font()).horizontalAdvance(QString::number(qMax(RowCount(), 1)));
    const int needed = digits + 1 + 3 + (m_indicators.ShowState() ? 9 : 0) + 3;
    return qMax(m_indicators.Width(), needed);
}

int TwCustomGrid::MarkerWidth() const
{
    return m_markers.Visible() ? m_markers.Width() : 0;
}

int TwCustomGrid::UnitCount() const
{
    return m_groupMode ? m_groups->VCount() : m_columns->VCount();
}

int TwCustomGrid::UnitWidth(int unit) const
{
    return m_groupMode ? m_groups->VItems(unit)->Width() : m_columns->VItems(unit)->Width();
}

int TwCustomGrid::FixedRight() const
{
    int x = CellsLeft();
    const int fixed = qMin(FixedCount(), UnitCount());
    for (int u = 0; u < fixed; ++u)
        x += UnitWidth(u);
    return x;
}

int TwCustomGrid::UnitLeft(int unit) const
{
    if (unit < 0 || unit >= UnitCount())
        return INT_MIN;
    const int fixed = qMin(FixedCount(), UnitCount());
    if (unit < fixed) {
        int x = CellsLeft();
        for (int u = 0; u < unit; ++u)
            x += UnitWidth(u);
        return x;
    }
    if (unit < m_leftCol)
        return INT_MIN;
    int x = FixedRight();
    for (int u = m_leftCol; u < unit; ++u)
        x += UnitWidth(u);
    return x;
}

int TwCustomGrid::UnitOfColumn(const TwColumn* column) const
{
    if (!column)
        return -1;
    if (!m_groupMode)
        return m_columns->VIndexOf(column);
    const TwGroup* group = column->GroupObject();
    return group ? m_groups->VIndexOf(group) : -1;
}

QRect TwCustomGrid::ColumnRectInUnit(const TwColumn* column, int bandHeight, int band) const
{
    const TwGroup* group = m_groupMode ? column->GroupObject() : nullptr;
    if (!group)
        return QRect(0, 0, column->Width(), bandHeight);
    const int level = column->Level();
    int top = 0;
    int bottom = bandHeight;
    if (band == 0) {
        top = group->RowLevelTop(level);
        bottom = top + group->RowLevelHeight(level);
    } else if (band == 1) {
        top = group->HeaderLevelTop(level);
        bottom = top + group->HeaderLevelHeight(level);
    } else {
        top = group->FooterLevelTop(level, bandHeight);
        bottom = level + 1 < group->Levels() ? group->FooterLevelTop(level + 1, bandHeight) : bandHeight;
    }
    return QRect(group->ColumnLeft(column), top, group->ColumnWidth(column), bottom - top);
}

QRect TwCustomGrid::CellRect(const TwColumn* column, int row) const
{
    const int unit = UnitOfColumn(column);
    if (unit < 0)
        return QRect();
    const int left = UnitLeft(unit);
    if (left == INT_MIN)
        return QRect();
    return ColumnRectInUnit(column, RowHeight(), 0).translated(left, RowTop(row));
}

TwGridHit TwCustomGrid::HitTest(const QPoint& pos) const
{
    TwGridHit hit;
    const int header = HeaderBandHeight();
    const int dataBottom = DataBottom();
    enum { Title, Data, Foot } zone = Data;
    int bandTop = 0;
    int bandHeight = RowHeight();
    if (pos.y() < header) {
        zone = Title;
        bandHeight = header;
    } else if (pos.y() >= dataBottom) {
        zone = Foot;
        int top = dataBottom;
        for (int i = 0; i < m_footers->VCount(); ++i) {
            const TwGridFooter* footer = m_footers->VItems(i);
            if (pos.y() < top + footer->Height()) {
                hit.footer = footer->Index();
                bandTop = top;
                bandHeight = footer->Height();
                break;
            }
            top += footer->Height();
        }
        if (hit.footer < 0)
            return hit;
    } else {
        hit.row = m_topRow + (pos.y() - header) / RowHeight();
        bandTop = RowTop(hit.row);
        if (hit.row >= RowCount())
            hit.row = -1;
    }
    if (pos.x() < IndicatorWidth()) {
        hit.area = zone == Title ? TwGridHit::Corner : zone == Foot ? TwGridHit::FooterTitle : TwGridHit::Indicator;
        return hit;
    }
    if (pos.x() < CellsLeft()) {
        hit.area = zone == Data ? TwGridHit::Marker : TwGridHit::None;
        return hit;
    }
    for (int unit = 0; unit < UnitCount(); ++unit) {
        const int left = UnitLeft(unit);
        if (left == INT_MIN || pos.x() < left || pos.x() >= left + UnitWidth(unit))
            continue;
        const QPoint local(pos.x() - left, pos.y() - bandTop);
        const int band = zone == Data ? 0 : zone == Title ? 1 : 2;
        if (!m_groupMode) {
            hit.column = m_columns->VItems(unit);
        } else {
            hit.group = m_groups->VItems(unit);
            if (zone == Title && local.y() < hit.group->TitleHeight()) {
                hit.area = TwGridHit::GroupTitle;
                return hit;
            }
            for (int level = 0; level < hit.group->Levels() && !hit.column; ++level)
                for (TwColumn* column : hit.group->LevelColumns(level))
                    if (ColumnRectInUnit(column, bandHeight, band).contains(local)) {
                        hit.column = column;
                        break;
                    }
        }
        if (hit.column)
            hit.area = zone == Title ? TwGridHit::Title : zone == Foot ? TwGridHit::Footer : TwGridHit::Cell;
        return hit;
    }
    return hit;
}

// ----- Mouse -----

// The sizing zone under a point, tested in the order the zones are listed:
// indicator and marker borders, title band and row heights over the
// indicator column, footer rows, then the borders of the title band.
std::unique_ptr<TwCustomGrid::Drag> TwCustomGrid::SizingAt(const QPoint& pos) const
{
    const int x = pos.x();
    const int y = pos.y();
    const int header = HeaderBandHeight();
    auto near = [](int p, int border) { return p >= border - 3 && p < border; };
    auto make = [&](Drag::Kind kind, bool vertical) {
        auto drag = std::make_unique<Drag>();
        drag->kind = kind;
        drag->vertical = vertical;
        drag->start = drag->current = vertical ? x : y;
        return drag;
    };
    if (IndicatorWidth() > 0 && near(x, IndicatorWidth()) && m_indicators.Sizing())
        return make(Drag::IndicatorWidth, true);
    if (MarkerWidth() > 0 && near(x, CellsLeft()) && m_markers.Sizing())
        return make(Drag::MarkerWidth, true);
    // Heights are grabbed over the indicator column, or the first column
    // when there is none.
    const int areaRight = IndicatorWidth() > 0 ? IndicatorWidth()
                          : UnitCount() > 0    ? CellsLeft() + UnitWidth(0)
                                               : 0;
    if (x < areaRight) {
        if (header > 0 && near(y, header) && m_headers->Sizing())
            return make(Drag::HeaderHeight, false);
        int top = DataBottom();
        for (int i = 0; i < m_footers->VCount(); ++i) {
            const TwGridFooter* footer = m_footers->VItems(i);
            if (y >= top && y < top + 2 && footer->Sizing()) {
                auto drag = make(Drag::FooterHeight, false);
                drag->footer = footer->Index();
                return drag;
            }
            top += footer->Height();
        }
        if (RowCount() > 0 && near(y, DataTop() + RowHeight()) && (m_options & wgoRowSizing))
            return make(Drag::RowHeightKind, false);
    }
    // Column, group, cell and level borders: in the title band, or in the
    // first data row when the titles are hidden.
    const int bandTop = header > 0 ? 0 : DataTop();
    const int bandHeight = header > 0 ? header : RowHeight();
    if (y < bandTop || y >= bandTop + bandHeight)
        return nullptr;
    const int band = header > 0 ? 1 : 0;
    for (int unit = 0; unit < UnitCount(); ++unit) {
        const int left = UnitLeft(unit);
        if (left == INT_MIN)
            continue;
        const bool fixed = unit < FixedCount();
        const bool fixedSizable = !fixed || (m_fixedStyle.Options() & wfxSizing);
        const int right = left + UnitWidth(unit);
        if (!m_groupMode) {
            if (near(x, right) && fixedSizable && (m_options & wgoColSizing)) {
                auto drag = make(Drag::ColumnWidth, true);
                drag->column = m_columns->VItems(unit);
                return drag;
            }
            continue;
        }
        TwGroup* group = m_groups->VItems(unit);
        if (x < left || x >= right)
            continue;
        const int localY = y - bandTop;
        if (near(x, right) && fixedSizable && (m_options & wgoColSizing)) {
            auto drag = make(Drag::GroupWidth, true);
            drag->group = group;
            return drag;
        }
        const int titleHeight = header > 0 ? group->TitleHeight() : 0;
        if (titleHeight > 0 && near(localY, titleHeight) && !group->NoColTitles()
            && (m_options & wgoLevelSizing)) {
            auto drag = make(Drag::GroupTitleHeight, false);
            drag->group = group;
            return drag;
        }
        for (int level = 0; level < group->Levels(); ++level) {
            const auto& columns = group->LevelColumns(level);
            for (size_t i = 0; i < columns.size(); ++i) {
                const QRect cell = ColumnRectInUnit(columns[i], bandHeight, band);
                if (localY < cell.top() || localY > cell.bottom())
                    continue;
                if (i + 1 < columns.size() && near(x - left, cell.right() + 1)
                    && (m_options & wgoCellSizing)) {
                    auto drag = make(Drag::CellWidth, true);
                    drag->column = columns[i];
                    return drag;
                }
            }
            if (level + 1 < group->Levels() && group->Weight() > group->Levels()
                && (m_options & wgoLevelSizing)) {
                const int levelBottom = band == 1 ? group->HeaderLevelTop(level + 1) : group->RowLevelTop(level + 1);
                if (near(localY, levelBottom)) {
                    auto drag = make(Drag::LevelHeight, false);
                    drag->group = group;
                    drag->level = level;
                    return drag;
                }
            }
        }
    }
    return nullptr;
}

void TwCustomGrid::FinishSizing()
{
    const std::unique_ptr<Drag> drag = std::move(m_drag);
    viewport()->unsetCursor();
    const int distance = drag->current - drag->start;
    switch (drag->kind) {
    case Drag::ColumnWidth:
    case Drag::CellWidth: drag->column->SetWidth(drag->column->Width() + distance); break;
    case Drag::GroupWidth: drag->group->SetWidth(drag->group->Width() + distance); break;
    case Drag::GroupTitleHeight:
        drag->group->Title()->SetHeight(drag->group->Title()->Height() + distance);
        UpdateExtents();
        break;
    case Drag::LevelHeight:
        if (distance != 0)
            drag->group->SetLevelWeight(drag->level,
                                        drag->group->LevelWeight(drag->level) + (distance > 0 ? 1 : -1));
        break;
    case Drag::HeaderHeight: m_headers->SetHeight(m_headers->Height() + distance); break;
    case Drag::FooterHeight: {
        TwGridFooter* footer = m_footers->Items(drag->footer);
        footer->SetHeight(footer->Height() - distance);
        UpdateExtents();
        break;
    }
    case Drag::RowHeightKind: SetRowHeight(RowHeight() + distance); break;
    case Drag::IndicatorWidth: m_indicators.SetWidth(m_indicators.Width() + distance); break;
    case Drag::MarkerWidth: m_markers.SetWidth(m_markers.Width() + distance); break;
    }
    UpdateExtents();
    PlaceEditor();
    InvalidateGrid();
}

bool TwCustomGrid::TitleClickable(const TwGridHit& hit) const
{
    switch (hit.area) {
    case TwGridHit::Title: return hit.column->Title()->Clicking();
    case TwGridHit::GroupTitle: return hit.group->Title()->Clicking();
    case TwGridHit::Corner: return m_headers->Title()->Clicking();
    case TwGridHit::FooterTitle: return m_footers->Items(hit.footer)->Title()->Clicking();
    default: return false;
    }
}

void TwCustomGrid::FireTitleClick(const TwGridHit& hit)
{
    switch (hit.area) {
    case TwGridHit::Title:
        if (OnColumnTitleClick)
            OnColumnTitleClick(hit.column);
        break;
    case TwGridHit::GroupTitle:
        if (OnGroupTitleClick)
            OnGroupTitleClick(hit.group);
        break;
    case TwGridHit::Corner:
        if (OnHeaderTitleClick)
            OnHeaderTitleClick(this);
        break;
    case TwGridHit::FooterTitle:
        if (OnFooterTitleClick)
            OnFooterTitleClick(this, hit.footer);
        break;
    default: break;
    }
}

void TwCustomGrid::CellClick(const TwGridHit& hit, const QPoint& pos, Qt::KeyboardModifiers mods)
{
    const int row = hit.row;
    if (row < 0)
        return;
    const bool sameCell = row == m_row && hit.column == CurrentColumn();
    if (sameCell && hit.column->EditButton()
        && m_painter->EditButtonRect(CellRect(hit.column, row)).contains(pos)) {
        m_editButtonDown = true;
        InvalidateRow(row);
        return;
    }
    if (m_options & wgoMultiSelect) {
        if (mods & Qt::ControlModifier) {
            SetSelected(row, !Selected(row));
            m_rangeOpen = true;
            m_rangeFirst = m_rangeLast = row;
        } else if (mods & Qt::ShiftModifier) {
            if (!m_rangeOpen) {
                m_rangeOpen = true;
                m_rangeFirst = m_rangeLast = m_row;
            }
            ExtendSelection(m_rangeFirst, row);
        } else {
            ClearSelection();
            SetSelected(row, true);
            m_rangeOpen = true;
            m_rangeFirst = m_rangeLast = row;
        }
    }
    if (sameCell) {
        ShowEditor();
        return;
    }
    SetRow(row);
    if (m_row != row || !hit.column)
        return;
    MoveToColumn(hit.column);
    if (m_editorShown && m_editor->TogglesOnClick() && !(m_options & wgoNoClickEdit)) {
        if (ColumnMayModify(hit.column))
            m_editor->Toggle();
        else
            QApplication::beep();
    }
}

void TwCustomGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseDown)
        Guarded([&] { OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y()); });
    if (event->button() != Qt::LeftButton)
        return;
    const QWidget* focus = QApplication::focusWidget();
    if (!hasFocus() && !(focus && isAncestorOf(focus)))
        setFocus(Qt::MouseFocusReason);
    Guarded([&] {
        if ((m_drag = SizingAt(pos))) {
            if (m_drag->kind == Drag::ColumnWidth && OnColumnSizing)
                OnColumnSizing(m_drag->column);
            else if (m_drag->kind == Drag::GroupWidth && OnGroupSizing)
                OnGroupSizing(m_drag->group);
            else if (m_drag->kind == Drag::GroupTitleHeight && OnLevelSizing)
                OnLevelSizing(m_drag->group, -1);
            else if (m_drag->kind == Drag::LevelHeight && OnLevelSizing)
                OnLevelSizing(m_drag->group, m_drag->level);
            InvalidateGrid();
            return;
        }
        const TwGridHit hit = HitTest(pos);
        switch (hit.area) {
        case TwGridHit::Title:
        case TwGridHit::GroupTitle:
        case TwGridHit::Corner:
        case TwGridHit::FooterTitle:
            if (TitleClickable(hit)) {
                m_pressedTitle = hit;
                m_titlePressed = true;
                InvalidateGrid();
            }
            break;
        case TwGridHit::Indicator:
            if (hit.row >= 0)
                SetRow(hit.row);
            break;
        case TwGridHit::Marker:
            if (hit.row >= 0) {
                SetRow(hit.row);
                if (m_markers.Clicking() && OnMarkerClick)
                    OnMarkerClick(this, hit.row);
            }
            break;
        case TwGridHit::Cell: CellClick(hit, pos, event->modifiers()); break;
        default: break;
        }
    });
}

void TwCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseMove)
        Guarded([&] { OnMouseMove(this, event->modifiers(), pos.x(), pos.y()); });
    if (m_drag) {
        // The line stays inside the data area.
        const int value = m_drag->vertical ? qBound(CellsLeft() > 0 ? 1 : 0, pos.x(), viewport()->width() - 1)
                                           : qBound(1, pos.y(), viewport()->height() - 1);
        m_drag->current = value;
        InvalidateGrid();
        return;
    }
    if (m_titlePressed) {
        const TwGridHit hit = HitTest(pos);
        const bool over = hit.area == m_pressedTitle.area && hit.column == m_pressedTitle.column
                          && hit.group == m_pressedTitle.group && hit.footer == m_pressedTitle.footer;
        if (!over) {
            m_titlePressed = false;
            InvalidateGrid();
        }
        return;
    }
    if (event->buttons() == Qt::NoButton) {
        const std::unique_ptr<Drag> zone = SizingAt(pos);
        if (zone)
            viewport()->setCursor(zone->vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
    }
}

void TwCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseUp)
        Guarded([&] { OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y()); });
    if (event->button() != Qt::LeftButton)
        return;
    Guarded([&] {
        if (m_drag) {
            FinishSizing();
            return;
        }
        if (m_editButtonDown) {
            m_editButtonDown = false;
            InvalidateRow(m_row);
            TwColumn* column = CurrentColumn();
            const QRect button = m_painter->EditButtonRect(CellRect(column, m_row));
            if (button.contains(pos) && OnEditButtonClick)
                OnEditButtonClick(column);
            return;
        }
        if (m_titlePressed) {
            m_titlePressed = false;
            const TwGridHit hit = m_pressedTitle;
            m_pressedTitle = TwGridHit();
            InvalidateGrid();
            FireTitleClick(hit);
        }
    });
}

void TwCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const TwGridHit hit = HitTest(event->position().toPoint());
    // A double click on the rows, not on a title or a border.
    if (hit.row >= 0 && OnDblClick && !SizingAt(event->position().toPoint()))
        Guarded([&] { OnDblClick(this); });
}

void TwCustomGrid::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    if (RowCount() > VisibleRowCount())
        SetTopRow(m_topRow - notches);
    else
        SetLeftCol(m_leftCol - notches);
    event->accept();
}

// ----- Painting -----

void TwCustomGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    m_painter->Paint(painter, event->rect());
}
