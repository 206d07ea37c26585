#include "controls/TwCustomGrid.h"

#include <QScrollBar>
#include <algorithm>

#include "controls/TwColumn.h"
#include "controls/TwColumns.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGroup.h"
#include "controls/TwGroups.h"

TwCustomGrid::TwCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_columns(std::make_unique<TwColumns>(this)),
      m_groups(std::make_unique<TwGroups>(this)),
      m_footers(std::make_unique<TwGridFooters>(this)),
      m_headers(std::make_unique<TwGridHeaders>(this))
{
    setFocusPolicy(Qt::StrongFocus);
}

// Columns go first: they still reach their groups and footers as they leave.
// Painting and extents stay suspended, since the concrete grid is gone.
TwCustomGrid::~TwCustomGrid()
{
    BeginUpdate();
    m_columns->Clear();
}

void TwCustomGrid::SetRow(int value)
{
    m_row = qBound(0, value, qMax(0, RowCount() - 1));
    InvalidateGrid();
}

TwColumn* TwCustomGrid::CurrentColumn() const
{
    if (m_columns->VCount() == 0)
        return nullptr;
    return m_columns->VItems(qBound(0, m_col, m_columns->VCount() - 1));
}

void TwCustomGrid::SetOptions(TwGridOptions value)
{
    m_options = value;
    InvalidateGrid();
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
    HideEditor();
    m_groupMode = value;
    SetFixedCount(FixedCount());
    UpdateExtents();
    horizontalScrollBar()->setValue(0);
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
    InvalidateGrid();
    if (OnRowHeightChange && !m_loading)
        OnRowHeightChange(this, old);
}

void TwCustomGrid::SetFixedCount(int value)
{
    const int count = m_groupMode ? m_groups->VCount() : m_columns->VCount();
    const int clamped = m_loading ? qMax(0, value) : qBound(0, value, qMax(0, count - 1));
    (m_groupMode ? m_grpFixedCount : m_colFixedCount) = clamped;
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
    InvalidateGrid();
}

void TwCustomGrid::InvalidateCell(int col, int row)
{
    InvalidateGrid();
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

void TwCustomGrid::ApplyExtents()
{
    m_extentsDirty = false;
    verticalScrollBar()->setRange(0, qMax(0, RowCount() - 1));
}

void TwCustomGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_extentsDirty)
        ApplyExtents();
}

std::unique_ptr<TwColumn> TwCustomGrid::CreateColumn()
{
    return std::make_unique<TwColumn>(this);
}

bool TwCustomGrid::CanFocusColumn(const TwColumn* column) const
{
    return column && column->CanFocus();
}

void TwCustomGrid::ColumnHidden(int position)
{
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
