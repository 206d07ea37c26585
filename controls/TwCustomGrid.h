#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <memory>

#include "controls/TwFixedStyle.h"
#include "controls/TwGridLines.h"
#include "controls/TwIndicators.h"
#include "controls/TwMarkers.h"
#include "controls/TwTypes.h"

class TwColumn;
class TwColumns;
class TwGridFooters;
class TwGridHeaders;
class TwGroup;
class TwGroups;

// What every grid shares: the column model with titles, groups, footer rows
// and the two layouts (flat and group mode), the current cell, the options,
// the update counter and the loading phase. Rows and their storage belong to
// the concrete grid.
class TwCustomGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TwCustomGrid(QWidget* parent = nullptr);
    ~TwCustomGrid() override;

    TwColumns* Columns() const { return m_columns.get(); }
    TwGroups* Groups() const { return m_groups.get(); }
    TwGridFooters* Footers() const { return m_footers.get(); }
    TwGridHeaders* Headers() const { return m_headers.get(); }
    TwFixedStyle& FixedStyle() { return m_fixedStyle; }
    TwIndicators& Indicators() { return m_indicators; }
    TwMarkers& Markers() { return m_markers; }
    // Lines between data cells, and those closing the last row and column.
    TwGridLines& Lines() { return m_lines; }
    TwGridLines& EndLines() { return m_endLines; }

    virtual int RowCount() const = 0;
    int Row() const { return m_row; }
    // Moves the current row, clamped to the rows there are.
    virtual void SetRow(int value);
    // Current column: index into the visible columns.
    int Col() const { return m_col; }
    TwColumn* CurrentColumn() const;
    TwGridState EditState() const { return m_editState; }

    TwGridOptions Options() const { return m_options; }
    void SetOptions(TwGridOptions value);

    // Layout values, one per layout.
    bool GroupMode() const { return m_groupMode; }
    void SetGroupMode(bool value);
    int RowHeight() const { return m_groupMode ? m_grpRowHeight : m_colRowHeight; }
    void SetRowHeight(int value);
    int ColRowHeight() const { return m_colRowHeight; }
    void SetColRowHeight(int value) { m_colRowHeight = qMax(4, value); }
    int GrpRowHeight() const { return m_grpRowHeight; }
    void SetGrpRowHeight(int value) { m_grpRowHeight = qMax(8, value); }
    // Leading visible columns (flat) or groups (group mode) that do not scroll.
    int FixedCount() const { return m_groupMode ? m_grpFixedCount : m_colFixedCount; }
    void SetFixedCount(int value);
    int ColFixedCount() const { return m_colFixedCount; }
    int GrpFixedCount() const { return m_grpFixedCount; }

    // Loading: properties are only stored; visible lists, group levels and a
    // remembered row count are applied when loading ends.
    bool Loading() const { return m_loading; }
    void BeginLoading();
    void EndLoading();

    // Painting is suspended while the counter is above 0.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate(bool repaint = true);
    bool Updating() const { return m_updateCount > 0; }

    void InvalidateGrid();
    void InvalidateRow(int row);
    void InvalidateCell(int col, int row);
    virtual void UpdateExtents();

    // The column class of the grid.
    virtual std::unique_ptr<TwColumn> CreateColumn();
    // Whether a column may take the current cell.
    virtual bool CanFocusColumn(const TwColumn* column) const;
    // The in-place editor lives in the interaction layer; these are its hooks.
    virtual void HideEditor() {}
    virtual void ShowEditor() {}

    // Visible-column list changes (called by TwColumns).
    void ColumnHidden(int position);
    void ColumnShown(int position);
    void ColumnMoved(TwColumn* current);

    std::function<void(TwColumn* AColumn, int OldWidth)> OnColumnWidthChange;
    std::function<void(TwGroup* AGroup, int OldWidth)> OnGroupWidthChange;
    std::function<void(QObject* Sender, int OldHeight)> OnHeaderHeightChange;
    std::function<void(QObject* Sender, int OldHeight)> OnRowHeightChange;
    std::function<void(TwGroup* AGroup, int ALevel, int OldHeight)> OnLevelHeightChange;
    std::function<void(TwColumn* AColumn)> OnColumnSizing;
    std::function<void(TwGroup* AGroup)> OnGroupSizing;
    std::function<void(TwGroup* AGroup, int ALevel)> OnLevelSizing;
    std::function<void(TwColumn* AColumn)> OnColumnTitleClick;
    std::function<void(TwGroup* AGroup)> OnGroupTitleClick;
    std::function<void(QObject* Sender)> OnHeaderTitleClick;
    std::function<void(QObject* Sender, int ARow)> OnFooterTitleClick;

protected:
    virtual void LoadingEnded() {}
    // Scroll ranges are brought up to date when the grid is shown.
    void showEvent(QShowEvent* event) override;
    virtual void ApplyExtents();

    int m_row = 0;
    int m_col = 0;
    TwGridState m_editState = wgsBrowse;

private:
    std::unique_ptr<TwColumns> m_columns;
    std::unique_ptr<TwGroups> m_groups;
    std::unique_ptr<TwGridFooters> m_footers;
    std::unique_ptr<TwGridHeaders> m_headers;
    TwFixedStyle m_fixedStyle;
    TwIndicators m_indicators;
    TwMarkers m_markers;
    TwGridLines m_lines{TwColors::Gray()};
    TwGridLines m_endLines;
    TwGridOptions m_options = wgoArrowMove | wgoConfirmDelete | wgoEnterToTab | wgoFocusRect;
    bool m_groupMode = false;
    int m_colRowHeight = 18;
    int m_grpRowHeight = 36;
    int m_colFixedCount = 0;
    int m_grpFixedCount = 0;
    bool m_loading = false;
    int m_updateCount = 0;
    bool m_extentsDirty = false;
};
