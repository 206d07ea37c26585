#pragma once

#include <QColor>
#include <QStringList>
#include <memory>

#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "controls/TwTypes.h"
#include "framework/TfrmZZI010.h"

class QKeyEvent;
class QToolButton;
class TSplitter;
class TwColumn;
class TwMemColumn;
class TwMemGrid;

// The screen that edits rows in place: a search loads the rows of qryQuery
// into rgrGrid; posted and deleted rows are recorded as pending changes in
// ChangeGrid; save sends each pending change through prcProc inside one
// transaction. A procedure parameter "A" + field name receives that field's
// column, so a business screen only supplies the query, the grid's columns
// (one per query field, in order), the procedure and its own extras.
//
// The grid rows carry a hidden last column "RowID" that pairs a row with its
// pending change; it is never sent.
class TfrmZZI070 : public TfrmZZI010
{
    Q_OBJECT

public:
    explicit TfrmZZI070(QWidget* parent = nullptr);
    ~TfrmZZI070() override;

    void bbtSearchClick() override;
    void bbtSaveClick() override;
    void bbtCancelClick() override;
    virtual void bbtAddClick();
    virtual void bbtDeleteClick();

    // Grid handlers; Sender is the grid that raised the event. Business
    // screens may wire them to further grids of their own.
    void GridAfterPost(QObject* Sender);
    void GridBeforeDelete(QObject* Sender);
    void GridKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void GridKeyUp(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void GridDrawCell(TwColumn* AColumn, int ARow, QString& Text, QColor& BCol, QColor& FCol,
                      TwFontStyles& FStyle);
    void GridEnter(QObject* Sender);
    void rgrGridValueChanged(TwMemColumn* AColumn);
    void rgrGridAfterCalcFooters(QObject* Sender);

    // Editor handlers for the detail editors (edits, mask edits, combo boxes,
    // memos, numeric edits): WireEditor connects all four to an editor.
    void WireEditor(QWidget* editor);
    void edtEnter(QWidget* Sender);
    void edtExit(QWidget* Sender);
    // True when the key was taken.
    bool edtKeyPress(QWidget* Sender, QKeyEvent* event);
    bool edtKeyDown(QWidget* Sender, QKeyEvent* event);

    // The edit status sent as AEDITSTATUS for a change's row state.
    static QString EditStatus(TwRowState state);

    // Screen state.
    TwMemGrid* ChangeGrid;
    QStringList ColumnNames;
    bool Modified = false;
    int RowCounter = 0;
    int CopyRow = -1;
    int CopyColFrom = -1;
    int CopyColTo = -1;
    int CopyTargetRow = -1;
    QColor CopyBgColor;
    QColor CopyFgColor;

    TPanel* panMaster;
    TPanel* Panel1;
    TSplitter* Splitter1;
    TPanel* Panel2;
    TwMemGrid* rgrGrid;
    QToolButton* sbtFirst;
    QToolButton* sbtPrior;
    QToolButton* sbtNext;
    QToolButton* sbtLast;
    QPushButton* bbtAdd;
    QPushButton* bbtDelete;
    TQuery qryTemp;
    TStoredProc prcProc;

protected:
    void FormCreate() override;
    bool FormCloseQuery() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The steps of one save, each overridable: the work inside the
    // transaction, the generic per-row save, and the call for one row.
    virtual void SaveData();
    virtual void SaveGridRows(TwMemGrid* grid, TwMemGrid* changes, TStoredProc& proc);
    virtual void ExecSaveProc();

    // Screens with an editor panel: the grid leaves the first pane for the
    // second one, and the first pane (the panel) takes the given width.
    void MoveGridToSecondPane(int firstPaneWidth);

    // First search only: the RowID column and the change grid's columns.
    void BuildSaveColumns();
    void LoadRows();

    // The one-pane layout of the lookup dialogs: no Splitter1 and no Panel2,
    // the grid fills the data area.
    TfrmZZI070(bool singlePane, QWidget* parent);

private:
    static TwMemGrid* GridOf(QObject* Sender);
    // Wires the grid handlers to a grid's events.
    void WireGrid(TwMemGrid* grid);
    void CopyDown(TwMemGrid* grid);
    static bool RowIdEmpty(TwMemGrid* grid, int row);
    // Copies a grid row into a change row, column by column over `columns`, as text.
    static void CopyRowText(TwMemGrid* from, int fromRow, TwMemGrid* to, int toRow, int columns);
    int FindChange(double rowId) const;
    void FormatFooterCells();

    std::unique_ptr<TwMemGrid> m_changeGrid;
};
