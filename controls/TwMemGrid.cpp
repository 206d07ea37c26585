#include "controls/TwMemGrid.h"

#include <QCollatorSortKey>
#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

#include "controls/ESelvarError.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwFormat.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"

namespace {
ESelvarError RowBoundsError(int row, const char* where)
{
    return ESelvarError(QStringLiteral("TwMemGrid - Row Bounds Error(%1) in %2").arg(row).arg(QLatin1String(where)));
}

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

// The parts of a footer style string; a missing or malformed condition column
// or operator leaves `column` or `op` at -1.
struct FooterStyle
{
    int kind = 0;
    int column = -1;
    int op = -1;
    QString operand;
};

FooterStyle ParseStyle(const QString& style, int ownColumn, int columnCount)
{
    FooterStyle f;
    if (style.isEmpty())
        return f;
    f.kind = style.at(0).digitValue();
    if (style.size() < 6)
        return f;
    bool ok = false;
    const int column = style.mid(1, 4).toInt(&ok);
    if (ok && column == 9999)
        f.column = ownColumn;
    else if (ok && column >= 0 && column < columnCount)
        f.column = column;
    const int op = style.at(5).digitValue();
    f.op = op >= 0 && op <= 6 ? op : -1;
    f.operand = style.mid(6);
    return f;
}

// The row test of a footer: the condition column's value against the operand.
class FooterCondition
{
public:
    FooterCondition(TwMemColumn* column, int op, const QString& operand, const QCollator& collator)
        : m_column(column), m_op(op), m_operand(operand), m_collator(collator),
          m_text(TwIsTextType(column->DataType()))
    {
        if (op != 0 && !m_text && !operand.isEmpty())
            m_number = TwSlotCodec::ParseAs(column->DataType(), operand);
    }

    bool Test(int row) const
    {
        if (m_op == 0)
            return true;
        const int c = Compare(row);
        switch (m_op) {
        case 1: return c == 0;
        case 2: return c > 0;
        case 3: return c >= 0;
        case 4: return c < 0;
        case 5: return c <= 0;
        default: return c != 0;
        }
    }

private:
    int Compare(int row) const
    {
        const TwSlotRef slot = m_column->Pool().Slot(row);
        if (TwSlotCodec::IsNull(slot))
            return -1;
        const TwDataType type = m_column->DataType();
        if (m_text)
            return m_collator.compare(TwSlotCodec::GetString(type, slot), m_operand);
        if (m_operand.isEmpty())
            return 1;
        return Sign(TwSlotCodec::GetFloat(type, slot) - m_number);
    }

    TwMemColumn* m_column;
    int m_op;
    QString m_operand;
    const QCollator& m_collator;
    bool m_text;
    double m_number = 0;
};
} // namespace

TwMemGrid::TwMemGrid(QWidget* parent) : TwCustomGrid(parent), m_rowInfos(this), m_cells(this)
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
}

// Editors and columns leave while the grid is still whole.
TwMemGrid::~TwMemGrid()
{
    BeginUpdate();
    ReleaseEditors();
    Columns()->Clear();
}

TwMemColumn* TwMemGrid::Column(int index) const
{
    return static_cast<TwMemColumn*>(Columns()->Items(index));
}

std::unique_ptr<TwColumn> TwMemGrid::CreateColumn()
{
    return std::make_unique<TwMemColumn>(this);
}

void TwMemGrid::LoadingEnded()
{
    if (m_loadedRowCount >= 0)
        SetRowCount(std::exchange(m_loadedRowCount, -1));
}

int TwMemGrid::RowCount() const
{
    return m_rowInfos.Count() + (m_editState == wgsInsert ? 1 : 0);
}

int TwMemGrid::StoredRow(int displayRow) const
{
    if (m_editState != wgsInsert || displayRow < m_row)
        return displayRow;
    return displayRow == m_row ? -1 : displayRow - 1;
}

int TwMemGrid::DisplayRow(int storedRow) const
{
    return m_editState == wgsInsert && storedRow >= m_row ? storedRow + 1 : storedRow;
}

void TwMemGrid::SetRowCount(int value)
{
    if (Columns()->Count() == 0)
        return;
    if (Loading()) {
        m_loadedRowCount = value;
        return;
    }
    if (m_editState != wgsBrowse)
        throw ESelvarError(QStringLiteral("수정/추가 중일 때는 RowCount를 변경할 수 없습니다."));
    ApplyRowCount(value);
}

void TwMemGrid::ApplyRowCount(int count)
{
    count = qMax(0, count);
    HideEditor();
    m_rowInfos.SetCount(count);
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->Pool().SetCount(count);
    UpdateExtents();
    InvalidateGrid();
    SetRow(m_row);
    if (count == 0)
        HideEditor();
    else if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
}

TwCells& TwMemGrid::Cells(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= Columns()->Count())
        throw ESelvarError(QStringLiteral("Cells col bounds error[%1]").arg(ACol));
    if (ARow < 0 || ARow >= RowCount())
        throw ESelvarError(QStringLiteral("Cells row bounds error[%1]").arg(ARow));
    const bool editing = m_editState != wgsBrowse && ARow == m_row;
    const int stored = m_editState == wgsInsert && ARow > m_row ? ARow - 1 : ARow;
    m_cells.Address(ACol, ARow, stored, editing);
    return m_cells;
}

void TwMemGrid::RequireBrowse(const char* operation) const
{
    if (m_editState != wgsBrowse)
        throw ESelvarError(QStringLiteral("Can't %1 in Editing").arg(QLatin1String(operation)));
}

void TwMemGrid::InsertRow(int ARow, bool ApplyDefaults, bool MarkInserted, bool FireNewRow)
{
    RequireBrowse("InsertRow");
    if (ARow < 0 || ARow > RowCount())
        throw RowBoundsError(ARow, "InsertRow");
    const int columns = Columns()->Count();
    for (int i = 0; i < columns; ++i)
        Column(i)->Pool().InsertSlot(ARow);
    m_rowInfos.Insert(ARow);
    if (MarkInserted)
        m_rowInfos.SetState(ARow, wrsInserted);
    if (ApplyDefaults) {
        for (int i = 0; i < columns; ++i) {
            TwMemColumn* column = Column(i);
            if (!column->Defaults().isEmpty())
                TwSlotCodec::SetString(column->DataType(), column->DataWidth(), column->Pool().Slot(ARow),
                                       column->Defaults());
        }
    }
    if (FireNewRow && OnNewRow) {
        BeginUpdate();
        OnNewRow(this);
        EndUpdate(false);
    }
    UpdateExtents();
    if (ARow == StoredRowCount() - 1)
        InvalidateRow(ARow);
    else
        InvalidateGrid();
    // The current index may now address another row.
    RefreshEditor();
}

void TwMemGrid::AppendRow(bool ApplyDefaults, bool MarkInserted, bool FireNewRow)
{
    InsertRow(RowCount(), ApplyDefaults, MarkInserted, FireNewRow);
}

void TwMemGrid::DeleteRow(int ARow, int ACount, bool Notify)
{
    RequireBrowse("DeleteRow");
    if (ACount == 0)
        return;
    const int rows = RowCount();
    if (ARow < 0 || ARow >= rows)
        throw RowBoundsError(ARow, "DeleteRow");
    const int count = ACount < 0 ? rows - ARow : qMin(ACount, rows - ARow);
    // The editor may show a row that goes.
    HideEditor();
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->Pool().DeleteSlots(ARow, count);
    m_rowInfos.Delete(ARow, count);
    UpdateExtents();
    InvalidateGrid();
    SetRow(m_row);
    if (Notify)
        DataChanged();
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
}

void TwMemGrid::MoveRow(int CurRow, int NewRow)
{
    RequireBrowse("MoveRow");
    if (CurRow == NewRow)
        return;
    if (CurRow < 0 || CurRow >= RowCount())
        throw RowBoundsError(CurRow, "MoveRow.CurRow");
    if (NewRow < 0 || NewRow >= RowCount())
        throw RowBoundsError(NewRow, "MoveRow.NewRow");
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->Pool().MoveSlot(CurRow, NewRow);
    m_rowInfos.Move(CurRow, NewRow);
    InvalidateGrid();
    if (EditorShown())
        RefreshEditor();
}

void TwMemGrid::Clear()
{
    HideEditor();
    DropEditedRow();
    m_rowInfos.ResetAll();
    ApplyRowCount(0);
}

void TwMemGrid::ClearValues()
{
    HideEditor();
    DropEditedRow();
    if (StoredRowCount() > 0)
        for (int i = 0; i < Columns()->Count(); ++i)
            Column(i)->Pool().EmptyAll();
    m_rowInfos.ResetAll();
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
    InvalidateGrid();
}

TwRowState TwMemGrid::RowState(int ARow) const
{
    if (ARow < 0 || ARow >= RowCount())
        throw ESelvarError(QStringLiteral("Bound Error in GetRowState(%1)").arg(ARow));
    const int stored = StoredRow(ARow);
    return stored < 0 ? wrsNone : m_rowInfos.State(stored);
}

void TwMemGrid::SetRowState(int ARow, TwRowState value)
{
    if (ARow < 0 || ARow >= RowCount())
        throw ESelvarError(QStringLiteral("Bound Error in SetRowState(%1)").arg(ARow));
    const int stored = StoredRow(ARow);
    if (stored < 0)
        return;
    m_rowInfos.SetState(stored, value);
    InvalidateRow(ARow);
}

void TwMemGrid::ClearRowStates(bool Repaint)
{
    m_rowInfos.ClearStates();
    if (Repaint)
        InvalidateGrid();
}

bool TwMemGrid::Selected(int ARow) const
{
    if (!(Options() & wgoMultiSelect) || ARow < 0 || ARow >= RowCount())
        return false;
    const int stored = StoredRow(ARow);
    return stored >= 0 && m_rowInfos.Selected(stored);
}

void TwMemGrid::SetSelected(int ARow, bool value)
{
    if (!(Options() & wgoMultiSelect))
        return;
    if (ARow < 0 || ARow >= RowCount())
        throw ESelvarError(QStringLiteral("Bound Error in SetSelected(%1)").arg(ARow));
    const int stored = StoredRow(ARow);
    if (stored < 0)
        return;
    m_rowInfos.SetSelected(stored, value);
    if (OnSelectionChange)
        OnSelectionChange(this);
    InvalidateRow(ARow);
}

void TwMemGrid::ClearSelection()
{
    if (SelectedCount() == 0)
        return;
    for (int r = 0; r < StoredRowCount(); ++r)
        m_rowInfos.SetSelected(r, false);
    if (OnSelectionChange)
        OnSelectionChange(this);
    InvalidateGrid();
}

int TwMemGrid::CompareRows(TwMemColumn* column, int a, int b) const
{
    const TwSlotRef x = column->Pool().Slot(a);
    const TwSlotRef y = column->Pool().Slot(b);
    const bool xNull = TwSlotCodec::IsNull(x);
    const bool yNull = TwSlotCodec::IsNull(y);
    if (xNull || yNull)
        return xNull == yNull ? 0 : xNull ? -1 : 1;
    const TwDataType type = column->DataType();
    if (TwIsTextType(type))
        return Sign(m_collator.compare(TwSlotCodec::GetString(type, x), TwSlotCodec::GetString(type, y)));
    return Sign(TwSlotCodec::GetFloat(type, x) - TwSlotCodec::GetFloat(type, y));
}

// The order of a stable insertion sort by CompareRows, computed with sort
// keys and a stable merge sort of a row permutation.
void TwMemGrid::Sort(int ACol, bool Descending, bool SetMark)
{
    if (ACol < 0 || ACol >= Columns()->Count())
        throw ESelvarError(QStringLiteral("Sort col bounds error[%1]").arg(ACol));
    if (m_editState != wgsBrowse)
        Post();
    TwMemColumn* column = Column(ACol);
    const TwDataType type = column->DataType();
    const int rows = StoredRowCount();
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    BeginUpdate();
    if (TwIsTextType(type)) {
        std::vector<std::optional<QCollatorSortKey>> keys(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            const TwSlotRef slot = column->Pool().Slot(r);
            if (!TwSlotCodec::IsNull(slot))
                keys[size_t(r)] = m_collator.sortKey(TwSlotCodec::GetString(type, slot));
        }
        auto compare = [&](int a, int b) {
            const auto& x = keys[size_t(a)];
            const auto& y = keys[size_t(b)];
            if (!x || !y)
                return !x == !y ? 0 : !x ? -1 : 1;
            return Sign(x->compare(*y));
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return Descending ? compare(a, b) > 0 : compare(a, b) < 0; });
    } else {
        // Empty cells sort as -infinity: below every value, equal to each other.
        std::vector<std::pair<double, int>> keys(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            const TwSlotRef slot = column->Pool().Slot(r);
            keys[size_t(r)] = {TwSlotCodec::IsNull(slot) ? -std::numeric_limits<double>::infinity()
                                                         : TwSlotCodec::GetFloat(type, slot),
                               r};
        }
        using Key = std::pair<double, int>;
        if (Descending)
            std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.first > b.first; });
        else
            std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.first < b.first; });
        for (int r = 0; r < rows; ++r)
            order[size_t(r)] = keys[size_t(r)].second;
    }
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->Pool().Permute(order);
    m_rowInfos.Permute(order);
    EndUpdate(true);
    if (EditorShown())
        RefreshEditor();
    if (SetMark)
        column->Title()->SetSortMark(Descending ? wsmDesc : wsmAsc);
}

void TwMemGrid::CalcFooters()
{
    bool useDefault = true;
    if (OnCalcFooters)
        OnCalcFooters(this, useDefault);
    if (useDefault) {
        const int footerRows = Footers()->Count();
        for (int c = 0; c < Columns()->Count(); ++c)
            for (int i = 0; i < footerRows; ++i)
                CalcFooter(Column(c), i);
    }
    if (OnAfterCalcFooters)
        OnAfterCalcFooters(this);
}

void TwMemGrid::CalcFooter(TwMemColumn* column, int footerRow)
{
    auto* footer = static_cast<TwMemColumnFooter*>(column->Footer());
    const FooterStyle style = ParseStyle(footer->Style(footerRow), column->Index(), Columns()->Count());
    if (style.kind < 2 || style.kind > 6)
        return;
    const int rows = StoredRowCount();
    if (rows == 0 || style.column < 0 || style.op < 0) {
        footer->SetValues(footerRow, QString());
        return;
    }
    const FooterCondition condition(Column(style.column), style.op, style.operand, m_collator);
    const TwDataType type = column->DataType();
    auto sum = [&]() -> QString {
        if (!TwIsNumericType(type))
            return QString();
        long double total = 0;
        for (int r = 0; r < rows; ++r)
            if (condition.Test(r))
                total += TwSlotCodec::GetFloat(type, column->Pool().Slot(r));
        return TwFormat::FloatText(double(total));
    };
    auto count = [&] {
        int n = 0;
        for (int r = 0; r < rows; ++r)
            n += condition.Test(r) ? 1 : 0;
        return n;
    };
    QString result;
    switch (style.kind) {
    case 2: result = QString::number(count()); break;
    case 3: result = sum(); break;
    case 4: {
        const QString total = sum();
        const int n = count();
        if (!total.isEmpty() && n != 0)
            result = TwFormat::FloatText(TwFormat::ParseFloat(total) / n);
        break;
    }
    default: {
        int candidate = 0;
        for (int r = 1; r < rows; ++r) {
            if (!condition.Test(r))
                continue;
            const int c = CompareRows(column, r, candidate);
            if (style.kind == 5 ? c > 0 : c < 0)
                candidate = r;
        }
        result = TwSlotCodec::GetString(type, column->Pool().Slot(candidate));
        break;
    }
    }
    footer->SetValues(footerRow, result);
}

void TwMemGrid::DataChanged()
{
    if (m_autoCalcFooters)
        CalcFooters();
    if (OnDataChanged)
        OnDataChanged(this);
}

bool TwMemGrid::StartRowEdit()
{
    if (m_editState != wgsBrowse)
        return true;
    if (StoredRowCount() == 0 || m_rowInfos.State(m_row) == wrsDeleted)
        return false;
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->LoadBuffer(m_row);
    m_editState = wgsEdit;
    m_rowModified = false;
    InvalidateRow(m_row);
    return true;
}

void TwMemGrid::StartRowInsert(bool bAppend)
{
    if (m_editState != wgsBrowse)
        Post();
    for (int i = 0; i < Columns()->Count(); ++i)
        Column(i)->LoadBuffer(-1);
    m_row = bAppend ? StoredRowCount() : qBound(0, m_row, StoredRowCount());
    m_editState = wgsInsert;
    m_rowModified = false;
    UpdateExtents();
    InvalidateGrid();
}

void TwMemGrid::CheckRequired() const
{
    for (int i = 0; i < Columns()->Count(); ++i) {
        TwMemColumn* column = Column(i);
        if (column->Required() && column->ValueBuffer().IsNull())
            throw ESelvarError(
                QStringLiteral("Column '%1' must have a value.").arg(column->Title()->Caption()));
    }
}

void TwMemGrid::StoreEditedRow()
{
    if (m_editState == wgsBrowse)
        return;
    CheckRequired();
    const int columns = Columns()->Count();
    if (m_editState == wgsInsert) {
        for (int i = 0; i < columns; ++i)
            Column(i)->Pool().InsertSlot(m_row);
        m_rowInfos.Insert(m_row);
        if (m_checkRowState)
            m_rowInfos.SetState(m_row, wrsInserted);
    } else if (m_checkRowState && m_rowInfos.State(m_row) == wrsNone) {
        m_rowInfos.SetState(m_row, wrsModified);
    }
    for (int i = 0; i < columns; ++i)
        Column(i)->StoreBuffer(m_row);
    m_editState = wgsBrowse;
    m_rowModified = false;
    UpdateExtents();
    InvalidateRow(m_row);
}

void TwMemGrid::DropEditedRow()
{
    if (m_editState == wgsBrowse)
        return;
    const bool inserting = m_editState == wgsInsert;
    m_editState = wgsBrowse;
    m_rowModified = false;
    if (inserting && m_row > StoredRowCount() - 1)
        m_row = qMax(0, StoredRowCount() - 1);
    UpdateExtents();
    InvalidateGrid();
}

// ----- The editing cycle -----

bool TwMemGrid::Edit()
{
    if (m_editState != wgsBrowse)
        return true;
    if (RowCount() == 0) {
        Insert(false);
        return m_editState != wgsBrowse;
    }
    if (!(Options() & wgoEditing) || m_rowInfos.State(m_row) == wrsDeleted)
        return false;
    if (OnBeforeEdit)
        OnBeforeEdit(this);
    if (!StartRowEdit())
        return false;
    if (OnAfterEdit)
        OnAfterEdit(this);
    return true;
}

void TwMemGrid::Insert(bool bAppend)
{
    if (!(Options() & wgoInserting) || (m_maxRowCount > 0 && RowCount() >= m_maxRowCount))
        return;
    UpdateData();
    Post();
    if (OnBeforeInsert)
        OnBeforeInsert(this, bAppend);
    HideEditor();
    StartRowInsert(bAppend);
    if (OnNewRow)
        OnNewRow(this);
    m_rowModified = false;
    if (OnAfterInsert)
        OnAfterInsert(this, bAppend);
    ScrollRowIntoView(m_row);
    InvalidateGrid();
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
}

void TwMemGrid::Post()
{
    if (m_editState == wgsBrowse)
        return;
    UpdateData();
    if (OnBeforePost)
        OnBeforePost(this);
    StoreEditedRow();
    {
        const AfterEventScope scope(this);
        if (OnAfterPost)
            OnAfterPost(this);
    }
    DataChanged();
    RefreshEditor();
}

void TwMemGrid::Cancel()
{
    if (m_editState == wgsBrowse)
        return;
    if (OnBeforeCancel)
        OnBeforeCancel(this);
    HideEditor();
    DropEditedRow();
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
    if (OnAfterCancel)
        OnAfterCancel(this);
}

void TwMemGrid::Delete()
{
    if (m_editState == wgsInsert) {
        Cancel();
        return;
    }
    Cancel();
    // Nothing to delete: no event, no change.
    if (StoredRowCount() == 0)
        return;
    if (OnBeforeDelete)
        OnBeforeDelete(this);
    HideEditor();
    if (m_softDeleting)
        SetRowState(m_row, wrsDeleted);
    else
        DeleteRow(m_row, 1, false);
    {
        const AfterEventScope scope(this);
        if (OnAfterDelete)
            OnAfterDelete(this);
    }
    AfterDeleting();
}

// Last row first, so that the rows still to visit keep their indexes.
void TwMemGrid::DeleteSelected()
{
    if (SelectedCount() < 1)
        return;
    Cancel();
    HideEditor();
    BeginUpdate();
    try {
        if (OnBeforeDelete)
            OnBeforeDelete(this);
        for (int r = StoredRowCount() - 1; r >= 0; --r) {
            if (!m_rowInfos.Selected(r))
                continue;
            bool accept = true;
            if (OnDeleteRow)
                OnDeleteRow(this, r, accept);
            if (!accept)
                continue;
            if (m_softDeleting)
                m_rowInfos.SetState(r, wrsDeleted);
            else
                DeleteRow(r, 1, false);
        }
        {
            const AfterEventScope scope(this);
            if (OnAfterDelete)
                OnAfterDelete(this);
        }
    } catch (...) {
        EndUpdate(true);
        throw;
    }
    EndUpdate(true);
    AfterDeleting();
}

void TwMemGrid::AfterDeleting()
{
    DataChanged();
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
    if (!m_softDeleting)
        FireRowChangeNow();
}

// ----- What the interaction layer reads and writes -----

TwEditKind TwMemGrid::EditKind(const TwColumn* column) const
{
    return static_cast<const TwMemColumn*>(column)->EditKind();
}

bool TwMemGrid::ColumnAcceptsChar(const TwColumn* column, QChar ch) const
{
    return static_cast<const TwMemColumn*>(column)->AcceptsChar(ch);
}

QString TwMemGrid::CellText(TwColumn* column, int row)
{
    return Cells(column->Index(), row).DisplayText();
}

bool TwMemGrid::CellEmpty(TwColumn* column, int row)
{
    return Cells(column->Index(), row).IsNull();
}

bool TwMemGrid::CellImage(TwColumn* column, int row, QPixmap& image)
{
    if (!OnGetImage)
        return true;
    try {
        OnGetImage(static_cast<TwMemColumn*>(column), row, image);
    } catch (...) {
        return false;
    }
    return true;
}

bool TwMemGrid::CellBoolean(TwColumn* column, int row)
{
    return Cells(column->Index(), row).AsBoolean();
}

QString TwMemGrid::FooterText(TwColumn* column, int footerRow) const
{
    return static_cast<TwMemColumn*>(column)->FooterText(footerRow);
}

QVariant TwMemGrid::EditorValueOf(TwColumn* column, int row, TwEditKind kind)
{
    TwCells& cell = Cells(column->Index(), row);
    if (cell.IsNull())
        return QVariant();
    switch (kind) {
    case wekText:
    case wekMultiText:
    case wekMemo: return cell.AsString();
    case wekCheckBox:
    case wekBoolean: return cell.AsBoolean();
    case wekRadioGroup: {
        // A Boolean column without a value list offers False and True.
        if (column->Values().isEmpty() && static_cast<TwMemColumn*>(column)->DataType() == wdtBool)
            return cell.AsBoolean() ? 1 : 0;
        const int index = column->Values().indexOf(cell.AsString());
        return index >= 0 ? QVariant(index) : QVariant();
    }
    default: return cell.AsVariant();
    }
}

void TwMemGrid::WriteEditorValue(TwColumn* column, int row, TwEditKind kind, const QVariant& value)
{
    TwCells& cell = Cells(column->Index(), row);
    if (!value.isValid() || value.isNull()) {
        cell.Clear();
        return;
    }
    switch (kind) {
    case wekText:
    case wekMultiText:
    case wekPickList:
    case wekMemo: cell.SetAsString(value.toString()); break;
    case wekCheckBox:
    case wekBoolean: cell.SetAsBoolean(value.toBool()); break;
    case wekRadioGroup: {
        const int index = value.toInt();
        if (column->Values().isEmpty() && static_cast<TwMemColumn*>(column)->DataType() == wdtBool)
            cell.SetAsBoolean(index == 1);
        else if (index >= 0 && index < column->Values().size())
            cell.SetAsString(column->Values().at(index));
        else
            cell.Clear();
        break;
    }
    default: cell.SetAsVariant(value); break;
    }
}

void TwMemGrid::SetupEditor(TwInplaceEditor* editor, TwColumn* column)
{
    editor->SetupFromColumn(*static_cast<TwMemColumn*>(column));
}

void TwMemGrid::CopyCellValue(TwColumn* column, int fromRow, int toRow)
{
    const QVariant value = Cells(column->Index(), fromRow).AsVariant();
    Cells(column->Index(), toRow).SetAsVariant(value);
}
