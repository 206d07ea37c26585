#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "controls/TwFixedStyle.h"
#include "controls/TwGridLinesEx.h"
#include "controls/TwIndicators.h"
#include "controls/TwInplaceEditor.h"
#include "controls/TwMarkers.h"
#include "controls/TwTypes.h"

class QScrollBar;
class TwColumn;
class TwColumnFooter;
class TwColumns;
class TwGridFooters;
class TwGridHeaders;
class TwGridPainter;
class TwGroup;
class TwGroups;

// A cell position in group mode: visible group, level, position in the level.
struct TwGridCell
{
    int group = 0;
    int level = 0;
    int pos = 0;
    bool operator==(const TwGridCell&) const = default;
};

// What lies under a point of the grid.
struct TwGridHit
{
    enum Area { None, Corner, Indicator, Marker, Title, GroupTitle, Cell, FooterTitle, Footer };
    Area area = None;
    int row = -1;        // data rows
    int footer = -1;     // footer rows: index into Footers()
    TwColumn* column = nullptr;
    TwGroup* group = nullptr;
};

// What every grid shares: the column model with titles, groups, footer rows
// and the two layouts (flat and group mode), the current cell and how the
// user moves it, the in-place editor, keyboard and mouse, painting, the
// update counter and the loading phase. Rows, their storage and the editing
// cycle belong to the concrete grid.
class TwCustomGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum TBorderStyle { bsNone, bsSingle };
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

    explicit TwCustomGrid(QWidget* parent = nullptr);
    ~TwCustomGrid() override;

    TwColumns* Columns() const { return m_columns.get(); }
    TwGroups* Groups() const { return m_groups.get(); }
    TwGridFooters* Footers() const { return m_footers.get(); }
    TwGridHeaders* Headers() const { return m_headers.get(); }
    TwFixedStyle& FixedStyle() { return m_fixedStyle; }
    TwIndicators& Indicators() { return m_indicators; }
    TwMarkers& Markers() { return m_markers; }
    // Lines between data cells (inside a group level and between levels as
    // well), and those closing the last row and column.
    TwGridLinesEx& Lines() { return m_lines; }
    TwGridLines& EndLines() { return m_endLines; }

    // ----- Rows and the current cell -----
    virtual int RowCount() const = 0;
    int Row() const { return m_row; }
    // Moves the current row (clamped): the edit is posted or an untouched new
    // row cancelled first; OnRowExit, OnRowEnter and the row-change timer.
    virtual void SetRow(int value);
    // Current column: index into the visible columns (flat layout).
    int Col() const { return m_col; }
    void SetCol(int value);
    // Current cell in group mode.
    TwGridCell GroupCol() const { return m_gcell; }
    void SetGroupCol(const TwGridCell& value);
    TwColumn* CurrentColumn() const;
    int CurrentColumnIndex() const;
    void SetCurrentColumnIndex(int value);
    // Moves the current cell to a column, as setting Col does.
    void SetCurrentColumn(TwColumn* column);
    int TopRow() const { return m_topRow; }
    void SetTopRow(int value);
    // First scrolled column (flat) or group (group mode), at least FixedCount.
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int value);
    // Rows that fit wholly between the title band and the footer band.
    int VisibleRowCount() const;
    TwGridState EditState() const { return m_editState; }

    // ----- Properties -----
    TwGridOptions Options() const { return m_options; }
    void SetOptions(TwGridOptions value);
    int ChangeDelay() const { return m_changeDelay; }
    void SetChangeDelay(int value) { m_changeDelay = qMax(0, value); }
    // Colour outside the cells.
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value);
    QColor SelBgColor() const { return m_selBgColor; }
    void SetSelBgColor(const QColor& value);
    QColor SelFgColor() const { return m_selFgColor; }
    void SetSelFgColor(const QColor& value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);

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

    // ----- The editing cycle (the concrete grid's) -----
    virtual bool Edit() { return false; }
    virtual void Insert(bool bAppend) {}
    virtual void Post() {}
    virtual void Cancel() {}
    virtual void Delete() {}
    virtual void DeleteSelected() {}
    virtual bool RowModified() const { return false; }

    // ----- Rows as painting and the keys see them -----
    virtual TwRowState RowState(int ARow) const;
    virtual bool Selected(int ARow) const;
    virtual void SetSelected(int ARow, bool value);
    virtual int SelectedCount() const { return 0; }
    virtual void ClearSelection() {}

    // ----- The in-place editor -----
    // Which editor a column uses (kind 0: none).
    virtual TwEditKind EditKind(const TwColumn* column) const;
    void ShowEditor();
    void HideEditor();
    // Writes the editor's value into the current cell (while editing).
    void UpdateData();
    bool EditorShown() const { return m_editorShown; }
    TwInplaceEditor* Editor() const { return m_editor; }
    // Whether the column may be modified now: not read-only and, unless the
    // row is already being edited, OnEdit accepts and editing starts.
    virtual bool ColumnMayModify(TwColumn* column);
    // Whether a typed character suits the column.
    virtual bool ColumnAcceptsChar(const TwColumn* column, QChar ch) const;

    // ----- Geometry (viewport coordinates) -----
    int HeaderBandHeight() const;
    int FooterBandHeight() const;
    int DataTop() const { return HeaderBandHeight(); }
    int DataBottom() const;
    int IndicatorWidth() const;
    int MarkerWidth() const;
    // Left edge of the first column (after indicators and markers).
    int CellsLeft() const { return IndicatorWidth() + MarkerWidth(); }
    // Layout units: visible columns (flat) or visible groups (group mode).
    int UnitCount() const;
    int UnitWidth(int unit) const;
    // Left edge of a unit, or INT_MIN when it is scrolled out of view.
    int UnitLeft(int unit) const;
    int UnitOfColumn(const TwColumn* column) const;
    // Right edge of the fixed units.
    int FixedRight() const;
    int RowTop(int row) const { return DataTop() + (row - m_topRow) * RowHeight(); }
    // The rectangle of a data cell, its lines included; empty when the
    // column is not laid out (scrolling is not taken into account for rows).
    QRect CellRect(const TwColumn* column, int row) const;
    // The cell rectangle inside a unit for a column (x relative to the unit,
    // y relative to the band), for a band of the given height.
    QRect ColumnRectInUnit(const TwColumn* column, int bandHeight, int band) const;
    TwGridHit HitTest(const QPoint& pos) const;
    // Columns in navigation order: visible columns, or group by group, level
    // by level, left to right.
    std::vector<TwColumn*> CellOrder() const;

    // ----- Data the painter reads -----
    virtual QString CellText(TwColumn* column, int row) = 0;
    virtual bool CellEmpty(TwColumn* column, int row) = 0;
    // Picture of a picture cell; false when producing it failed.
    virtual bool CellImage(TwColumn* column, int row, QPixmap& image) { return true; }
    // Value for check box, Boolean and radio cells.
    virtual bool CellBoolean(TwColumn* column, int row) { return false; }
    // What the footer row shows for a column.
    virtual QString FooterText(TwColumn* column, int footerRow) const;
    // The row being inserted, which the draw events do not see.
    bool IsNewRow(int row) const { return m_editState == wgsInsert && row == m_row; }
    bool SelectionShown() const;
    TwGridPainter& Painter() { return *m_painter; }

    // A cell value changed: the editor showing it follows, the row repaints.
    void CellValueChanged(const TwColumn* column, int row);

    // Visible-column list changes (called by TwColumns).
    void ColumnHidden(int position);
    void ColumnShown(int position);
    void ColumnMoved(TwColumn* current);

    // ----- Events -----
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
    std::function<void(QObject* Sender, int ARow)> OnMarkerClick;

    std::function<void(TwColumn* AColumn, bool& Accept)> OnEdit;
    std::function<void(QObject* Sender)> OnRowExit;
    std::function<void(QObject* Sender)> OnRowEnter;
    std::function<void(QObject* Sender)> OnRowChange;
    std::function<void(QObject* Sender)> OnCellExit;
    std::function<void(QObject* Sender)> OnCellEnter;
    std::function<void(QObject* Sender)> OnSelectionChange;
    std::function<void(TwColumn* AColumn)> OnEditButtonClick;

    std::function<void(QObject* Sender, int ARow, QColor& BCol, QColor& FCol, TwFontStyles& FStyle)> OnDrawRow;
    std::function<void(TwColumn* AColumn, int ARow, QString& Text, QColor& BCol, QColor& FCol, TwFontStyles& FStyle)>
        OnDrawCell;
    std::function<void(TwColumnFooter* AFooter, int ARow, QString& Text, QColor& BCol, QColor& FCol,
                       TwFontStyles& FStyle)>
        OnDrawFooter;
    std::function<void(QObject* Sender, int ARow, QString& Text, QColor& BCol, QColor& FCol, TwFontStyles& FStyle)>
        OnDrawIndicator;
    // The marker column's mark for a row.
    std::function<void(QObject* Sender, int ARow, bool& Checked)> OnDrawMarker;

    // Standard events; they also see the keys and double clicks of the editor.
    // OnKeyDown/OnKeyUp get Qt key codes; setting Key to 0 drops the key.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    // May change the character or drop it (a null QChar).
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;

protected:
    virtual void LoadingEnded() {}
    // Scroll ranges are brought up to date when the grid is shown.
    void showEvent(QShowEvent* event) override;
    virtual void ApplyExtents();
    void ApplyExtentsOnce();

    // The editor value of a cell and its way back (kinds as the editor in
    // use understands them), and the column set-up of an editor.
    virtual QVariant EditorValueOf(TwColumn* column, int row, TwEditKind kind) = 0;
    virtual void WriteEditorValue(TwColumn* column, int row, TwEditKind kind, const QVariant& value) = 0;
    virtual void SetupEditor(TwInplaceEditor* editor, TwColumn* column) = 0;
    // The editor of a kind other than text; nullptr lets the text editor
    // serve it.
    virtual std::unique_ptr<TwInplaceEditor> CreateEditor(TwEditKind kind);
    // F3: a cell takes the value of the same column in another row.
    virtual void CopyCellValue(TwColumn* column, int fromRow, int toRow) = 0;
    // Deletes the editors; the concrete grid calls it first when it goes.
    void ReleaseEditors();

    // Runs after the after-post/after-delete events: the editor stays hidden
    // while they run.
    struct AfterEventScope
    {
        explicit AfterEventScope(TwCustomGrid* grid) : m_grid(grid) { ++m_grid->m_afterEventNesting; }
        ~AfterEventScope() { --m_grid->m_afterEventNesting; }
        TwCustomGrid* m_grid;
    };
    // Fires OnRowChange now (after a delete), unless ChangeDelay is 0.
    void FireRowChangeNow();
    void RestartRowChangeTimer();
    // After an editing step: refresh the editor's value, or show it.
    void RefreshEditor();
    void ScrollRowIntoView(int row);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    int m_row = 0;
    int m_col = 0;
    TwGridState m_editState = wgsBrowse;

private:
    friend class TwGridPainter;

    // Keys: the grid's own table, typed characters, and the editor's routing.
    bool KeyAction(int key, Qt::KeyboardModifiers mods);
    void CharAction(QChar ch);
    void EnterAction();
    void EscapeAction();
    void VerticalKey(int key, Qt::KeyboardModifiers mods);
    void ConfirmAndDelete();
    void CopyFromAbove();
    bool EditorKey(QKeyEvent* event);
    bool GoesToGrid(const QKeyEvent* event) const;
    bool TakesTabFocus(const QWidget* widget) const;
    void TypeIntoEditor(const QKeyEvent* event, QChar ch);
    bool ComposedTextAllowed(const QString& text);
    // The first selectable column when the current one is a fixed column
    // that cannot be selected.
    void LeaveFixedColumn();
    // Runs a user action; failures are shown instead of leaving the handler.
    template <typename Action>
    void Guarded(Action&& action);

    // Navigation.
    bool Selectable(const TwColumn* column, bool focusableOnly) const;
    TwColumn* StepCell(int direction) const;
    TwColumn* EdgeCell(bool last) const;
    TwColumn* LevelTarget(bool down) const;
    void MoveToColumn(TwColumn* column);
    void ScrollUnitIntoView(int unit);
    void ExtendSelection(int from, int to);

    // Editor management.
    TwInplaceEditor* EditorFor(TwEditKind kind);
    bool CanShowEditor(TwColumn* column) const;
    void PlaceEditor();
    void ScrollTo(int& position, int value, QScrollBar* bar);
    void LoadEditor();
    bool EditorDiffers();
    // The shown editor still stands on the current cell; an editor whose
    // row or column went away is hidden.
    bool EditorInPlace();
    void GridExit();

    // Mouse: a sizing drag in progress (what is sized, where it started,
    // where the line that follows the pointer stands), pressed titles.
    struct Drag
    {
        enum Kind { ColumnWidth, GroupWidth, CellWidth, GroupTitleHeight, LevelHeight, HeaderHeight,
                    FooterHeight, RowHeightKind, IndicatorWidth, MarkerWidth };
        Kind kind = ColumnWidth;
        // A vertical line: a width is dragged; else a height.
        bool vertical = true;
        int start = 0;
        int current = 0;
        TwColumn* column = nullptr;
        TwGroup* group = nullptr;
        int level = -1;
        int footer = -1;
    };
    std::unique_ptr<Drag> SizingAt(const QPoint& pos) const;
    void FinishSizing();
    void CellClick(const TwGridHit& hit, const QPoint& pos, Qt::KeyboardModifiers mods);
    bool TitleClickable(const TwGridHit& hit) const;
    void FireTitleClick(const TwGridHit& hit);

    std::unique_ptr<TwColumns> m_columns;
    std::unique_ptr<TwGroups> m_groups;
    std::unique_ptr<TwGridFooters> m_footers;
    std::unique_ptr<TwGridHeaders> m_headers;
    std::unique_ptr<TwGridPainter> m_painter;
    TwFixedStyle m_fixedStyle;
    TwIndicators m_indicators;
    TwMarkers m_markers;
    TwGridLinesEx m_lines;
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
    bool m_applyingExtents = false;

    TwGridCell m_gcell;
    int m_topRow = 0;
    int m_leftCol = 0;
    int m_changeDelay = 200;
    QColor m_color = TwColors::BtnShadow();
    QColor m_selBgColor = Qt::black;
    QColor m_selFgColor = Qt::white;
    TBorderStyle m_borderStyle = bsSingle;
    TScrollStyle m_scrollBars = ssBoth;

    // Editors by kind (several kinds may share the text editor).
    std::vector<std::unique_ptr<TwInplaceEditor>> m_ownedEditors;
    std::map<int, TwInplaceEditor*> m_editors;
    TwInplaceEditor* m_editor = nullptr;
    TwEditKind m_editorKind = wekNone;
    QVariant m_editorLoaded; // what the editor showed when it took the cell
    // The column the editor was set up for (compared, never dereferenced).
    const TwColumn* m_editorColumn = nullptr;
    bool m_editorShown = false;
    // Above 0 while Enter moves to the next row: the editor stays hidden.
    int m_holdEditor = 0;
    // The focus is on the grid or its editor.
    bool m_focusWithin = false;
    // Key events the grid itself hands to the editor pass the filter.
    bool m_passKeys = false;
    int m_afterEventNesting = 0;
    bool m_inRowExit = false;
    // Counts the moves of the current row, to notice one made by a handler.
    int m_rowMoves = 0;
    QTimer m_rowChangeTimer;

    // Multi-selection range.
    bool m_rangeOpen = false;
    int m_rangeFirst = 0;
    int m_rangeLast = 0;

    std::unique_ptr<Drag> m_drag;
    // A clicking title held down: its hit, drawn pressed.
    TwGridHit m_pressedTitle;
    bool m_titlePressed = false;
    // The current cell's ellipsis button held down.
    bool m_editButtonDown = false;
};
