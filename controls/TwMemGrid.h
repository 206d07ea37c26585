#pragma once

#include <QCollator>
#include <QPixmap>
#include <QVariant>
#include <functional>
#include <memory>

#include "controls/TwCells.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwRowInfos.h"

class TwMemColumn;

// The grid that keeps its rows in memory, column by column, one value type
// per column, with a change state and a selection mark per row and footer
// aggregates. Rows are numbered in display order; while a new row is being
// inserted it shows at `Row` without being stored yet, and the stored rows
// after it show one further down.
class TwMemGrid : public TwCustomGrid
{
    Q_OBJECT

public:
    explicit TwMemGrid(QWidget* parent = nullptr);
    ~TwMemGrid() override;

    TwMemColumn* Column(int index) const;

    bool AutoCalcFooters() const { return m_autoCalcFooters; }
    void SetAutoCalcFooters(bool value) { m_autoCalcFooters = value; }
    bool CheckRowState() const { return m_checkRowState; }
    void SetCheckRowState(bool value) { m_checkRowState = value; }
    bool SoftDeleting() const { return m_softDeleting; }
    void SetSoftDeleting(bool value) { m_softDeleting = value; }
    int MaxRowCount() const { return m_maxRowCount; }
    void SetMaxRowCount(int value) { m_maxRowCount = qMax(0, value); }

    // Stored rows, plus the new row while inserting.
    int RowCount() const override;
    void SetRowCount(int value);
    int StoredRowCount() const { return m_rowInfos.Count(); }
    // The stored row a display row addresses; -1 for the new row.
    int StoredRow(int displayRow) const;
    // The display row of a stored row.
    int DisplayRow(int storedRow) const;

    TwCells& Cells(int ACol, int ARow);

    void InsertRow(int ARow, bool ApplyDefaults, bool MarkInserted, bool FireNewRow);
    void AppendRow(bool ApplyDefaults, bool MarkInserted, bool FireNewRow);
    void DeleteRow(int ARow, int ACount, bool Notify);
    void MoveRow(int CurRow, int NewRow);
    void Clear();
    void ClearValues();

    TwRowState RowState(int ARow) const override;
    void SetRowState(int ARow, TwRowState value);
    void ClearRowStates(bool Repaint);
    bool Selected(int ARow) const override;
    void SetSelected(int ARow, bool value) override;
    int SelectedCount() const override { return m_rowInfos.SelectedCount(); }
    void ClearSelection() override;
    const TwRowInfos& RowInfos() const { return m_rowInfos; }

    // Stable sort of all rows by one column (collection index).
    void Sort(int ACol, bool Descending, bool SetMark);
    // Orders two stored rows by one column: an empty cell first, texts by the
    // locale's case-sensitive collation, other types by their float values.
    int CompareRows(TwMemColumn* column, int a, int b) const;

    void CalcFooters();
    // CalcFooters when AutoCalcFooters, then OnDataChanged.
    void DataChanged();

    // The editing cycle. Each is a no-op when its precondition fails.
    // Edit: True when the row is being edited (a grid without rows starts a
    // new one); refused without wgoEditing and on a deleted row.
    bool Edit() override;
    // A new row: appended, or at the current row (which moves down); needs
    // wgoInserting and room below MaxRowCount; an open edit is posted first.
    void Insert(bool bAppend) override;
    // Stores the edited row; a Required column that is empty raises and the
    // grid stays in its editing state.
    void Post() override;
    void Cancel() override;
    // Deletes (or with SoftDeleting marks) the current row; a new row is
    // only cancelled.
    void Delete() override;
    void DeleteSelected() override;
    bool RowModified() const override { return m_rowModified; }
    void SetRowModified(bool value) { m_rowModified = value; }

    TwEditKind EditKind(const TwColumn* column) const override;
    bool ColumnAcceptsChar(const TwColumn* column, QChar ch) const override;
    QString CellText(TwColumn* column, int row) override;
    bool CellEmpty(TwColumn* column, int row) override;
    bool CellImage(TwColumn* column, int row, QPixmap& image) override;
    bool CellBoolean(TwColumn* column, int row) override;
    QString FooterText(TwColumn* column, int footerRow) const override;

    // Building blocks of the editing cycle: fill the buffers from the current
    // row (or the Defaults for a new row), write them back, or drop them.
    bool StartRowEdit();
    void StartRowInsert(bool bAppend);
    // Raises "Column '<caption>' must have a value." for an empty Required
    // column; the grid stays in its editing state.
    void CheckRequired() const;
    void StoreEditedRow();
    void DropEditedRow();

    std::function<void(TwMemColumn* AColumn, const QVariant& NewValue)> OnValueChanging;
    std::function<void(TwMemColumn* AColumn)> OnValueChanged;
    std::function<void(QObject* Sender)> OnCalcColumns;
    std::function<void(TwMemColumn* AColumn, int ARow, QString& Text)> OnGetText;
    std::function<void(TwMemColumn* AColumn, int ARow, QPixmap& Image)> OnGetImage;
    std::function<void(TwMemColumn* AColumn, int ARow, QPixmap& Image)> OnSetImage;
    std::function<void(QObject* Sender, int ARow, bool& bAccept)> OnDeleteRow;
    std::function<void(QObject* Sender)> OnDataChanged;
    std::function<void(QObject* Sender)> OnNewRow;
    std::function<void(QObject* Sender, bool& Default)> OnCalcFooters;
    std::function<void(QObject* Sender)> OnAfterCalcFooters;

    // Editing-cycle events, around each step.
    std::function<void(QObject* Sender)> OnBeforeEdit;
    std::function<void(QObject* Sender)> OnAfterEdit;
    std::function<void(QObject* Sender, bool bAppend)> OnBeforeInsert;
    std::function<void(QObject* Sender, bool bAppend)> OnAfterInsert;
    std::function<void(QObject* Sender)> OnBeforePost;
    std::function<void(QObject* Sender)> OnAfterPost;
    std::function<void(QObject* Sender)> OnBeforeCancel;
    std::function<void(QObject* Sender)> OnAfterCancel;
    std::function<void(QObject* Sender)> OnBeforeDelete;
    std::function<void(QObject* Sender)> OnAfterDelete;

protected:
    std::unique_ptr<TwColumn> CreateColumn() override;
    void LoadingEnded() override;
    QVariant EditorValueOf(TwColumn* column, int row, TwEditKind kind) override;
    void WriteEditorValue(TwColumn* column, int row, TwEditKind kind, const QVariant& value) override;
    void SetupEditor(TwInplaceEditor* editor, TwColumn* column) override;
    void CopyCellValue(TwColumn* column, int fromRow, int toRow) override;

private:
    void RequireBrowse(const char* operation) const;
    void ApplyRowCount(int count);
    void CalcFooter(TwMemColumn* column, int footerRow);
    // After a delete: footers, OnDataChanged, the editor, OnRowChange.
    void AfterDeleting();

    bool m_autoCalcFooters = true;
    bool m_checkRowState = true;
    bool m_softDeleting = false;
    int m_maxRowCount = 0;
    bool m_rowModified = false;
    int m_loadedRowCount = -1;
    TwRowInfos m_rowInfos;
    mutable QCollator m_collator;
    TwCells m_cells;
};
