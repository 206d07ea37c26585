#include "controls/TwDBGrid.h"

#include "controls/TwClientDataSet.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBColumnFooter.h"
#include "controls/TwDataField.h"
#include "controls/TwDataSource.h"
#include "controls/TwFormat.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

TwDBGrid::TwDBGrid(QWidget* parent) : TwCustomGrid(parent), m_link(this) {}

// Editors and columns leave while the grid is still whole.
TwDBGrid::~TwDBGrid()
{
    m_link.Detach();
    m_link.SetDataSource(nullptr);
    BeginUpdate();
    ReleaseEditors();
    Columns()->Clear();
}

TwDBColumn* TwDBGrid::Column(int index) const
{
    return static_cast<TwDBColumn*>(Columns()->Items(index));
}

TwDBColumn* TwDBGrid::AddColumn(const QString& fieldName, const QString& caption, int width,
                                Qt::Alignment alignment)
{
    auto* column = static_cast<TwDBColumn*>(Columns()->Add());
    column->Title()->SetCaption(caption);
    column->SetFieldName(fieldName);
    column->SetWidth(width);
    if (alignment)
        column->SetAlignment(alignment);
    return column;
}

std::unique_ptr<TwColumn> TwDBGrid::CreateColumn()
{
    return std::make_unique<TwDBColumn>(this);
}

void TwDBGrid::LoadingEnded()
{
    for (int c = 0; c < Columns()->Count(); ++c)
        static_cast<TwDBColumnFooter*>(Columns()->Items(c)->Footer())->ApplyStyles();
}

bool TwDBGrid::HasRecords() const
{
    return m_link.Active() && !DataSet()->IsEmpty();
}

int TwDBGrid::RowCount() const
{
    return m_link.Active() ? DataSet()->RecordCount() : 0;
}

void TwDBGrid::SyncRow()
{
    m_row = HasRecords() ? qMax(0, DataSet()->RecNo() - 1) : 0;
}

void TwDBGrid::SyncState()
{
    const TwDataSetState state = m_link.Active() ? DataSet()->State() : dsInactive;
    m_editState = state == dsEdit ? wgsEdit : state == dsInsert ? wgsInsert : wgsBrowse;
}

void TwDBGrid::SetRow(int value)
{
    if (!HasRecords())
        return;
    UpdateData();
    DataSet()->MoveBy(value - m_row);
}

// ----- What the result set tells the grid -----

void TwDBGrid::LinkActiveChanged()
{
    if (!m_link.Active())
        m_selections.clear();
    HideEditor();
    SyncRow();
    SyncState();
    SetTopRow(0);
    UpdateExtents();
    ScrollRowIntoView(m_row);
    InvalidateGrid();
    if (HasRecords() && OnRowChange)
        OnRowChange(this);
}

void TwDBGrid::LinkDataSetChanged()
{
    HideEditor();
    SyncRow();
    SyncState();
    UpdateExtents();
    ScrollRowIntoView(m_row);
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
    InvalidateGrid();
}

void TwDBGrid::LinkScrolled(int distance)
{
    Q_UNUSED(distance);
    HideEditor();
    SyncRow();
    UpdateExtents();
    ScrollRowIntoView(m_row);
    if (Options() & wgoAlwaysShowEditor)
        ShowEditor();
    InvalidateGrid();
    if (HasRecords())
        RestartRowChangeTimer();
}

void TwDBGrid::LinkEditingChanged()
{
    SyncState();
    InvalidateRow(m_row);
}

void TwDBGrid::LinkRecordChanged(TwDataField* field)
{
    InvalidateRow(m_row);
    const auto* column = static_cast<const TwDBColumn*>(CurrentColumn());
    if (!field || (column && column->Field() == field))
        RefreshEditor();
}

// ----- Editing -----

bool TwDBGrid::Edit()
{
    if (!m_link.Active() || m_link.ReadOnly())
        return false;
    const bool editing = m_link.Edit();
    if (editing)
        m_link.SetModified(true);
    return editing;
}

void TwDBGrid::Insert(bool bAppend)
{
    if (!m_link.Active() || !DataSet()->CanModify() || !(Options() & wgoInserting))
        return;
    if (bAppend)
        DataSet()->Append();
    else
        DataSet()->Insert();
}

void TwDBGrid::Post()
{
    if (m_link.Editing())
        DataSet()->Post();
}

void TwDBGrid::Cancel()
{
    if (m_link.Editing())
        DataSet()->Cancel();
}

void TwDBGrid::Delete()
{
    if (HasRecords() && DataSet()->CanModify())
        DataSet()->Delete();
}

bool TwDBGrid::RowModified() const
{
    return m_link.Active() && (DataSet()->Modified() || m_link.Modified());
}

// ----- Selection -----

bool TwDBGrid::Selected(int ARow) const
{
    return HasRecords() && m_selections.contains(DataSet()->BookmarkAt(ARow));
}

void TwDBGrid::SetSelected(int ARow, bool value)
{
    if (!(Options() & wgoMultiSelect) || !HasRecords())
        return;
    const QString bookmark = DataSet()->BookmarkAt(ARow);
    if (bookmark.isEmpty())
        return;
    if (value)
        m_selections.insert(bookmark);
    else
        m_selections.remove(bookmark);
    InvalidateRow(ARow);
}

int TwDBGrid::SelectedCount() const
{
    if (!m_link.Active())
        return 0;
    int count = 0;
    for (const QString& bookmark : m_selections)
        count += DataSet()->BookmarkValid(bookmark);
    return count;
}

void TwDBGrid::ClearSelection()
{
    if (m_selections.isEmpty())
        return;
    m_selections.clear();
    InvalidateGrid();
}

// ----- Cells -----

TwEditKind TwDBGrid::EditKind(const TwColumn* column) const
{
    const TwDataField* field = static_cast<const TwDBColumn*>(column)->Field();
    if (!field)
        return wekNone;
    const TwFieldType type = field->DataType();
    const bool text = type == wftString || type == wftMemo;
    const bool numeric = TwIsNumericField(type);
    const bool hasValues = !column->Values().isEmpty();
    const bool twoWay = type == wftBoolean || column->Values().size() >= 2;
    switch (column->EditStyle()) {
    case wesText: if (type != wftGraphic) return wekText; break;
    case wesMultiText: if (text) return wekMultiText; break;
    case wesMemo: if (text) return wekMemo; break;
    case wesCheckBox: if (twoWay) return wekCheckBox; break;
    case wesBoolean: if (twoWay) return wekBoolean; break;
    case wesRadioGroup: if (type == wftBoolean || hasValues) return wekRadioGroup; break;
    case wesNumber: if (numeric) return wekNumber; break;
    case wesSpinEdit: if (numeric) return wekSpinEdit; break;
    case wesDate: if (type == wftDate || type == wftDateTime) return wekDate; break;
    case wesTime: if (type == wftTime || type == wftDateTime) return wekTime; break;
    case wesPickList: if (hasValues) return wekPickList; break;
    case wesDataList:
        if (static_cast<const TwDBColumn*>(column)->ListSource())
            return wekDataList;
        break;
    default: break;
    }
    if (field->Lookup())
        return wekLookupList;
    if (hasValues)
        return wekPickList;
    if (numeric)
        return wekNumber;
    switch (type) {
    case wftString: return wekText;
    case wftBoolean: return wekCheckBox;
    case wftDate:
    case wftDateTime: return wekDate;
    case wftTime: return wekTime;
    case wftMemo: return wekMemo;
    case wftGraphic: return wekPicture;
    default: return wekNone;
    }
}

bool TwDBGrid::ColumnAcceptsChar(const TwColumn* column, QChar ch) const
{
    const TwDataField* field = static_cast<const TwDBColumn*>(column)->Field();
    return field && (EditKind(column) == wekPickList || field->IsValidChar(ch));
}

QVariant TwDBGrid::RecordValue(const TwColumn* column, int row) const
{
    const TwDataField* field = static_cast<const TwDBColumn*>(column)->Field();
    if (!field || !HasRecords())
        return QVariant();
    return DataSet()->Value(row, field->Index());
}

QString TwDBGrid::CellText(TwColumn* column, int row)
{
    const TwDataField* field = static_cast<const TwDBColumn*>(column)->Field();
    if (!field || !HasRecords())
        return QString();
    const QVariant value = RecordValue(column, row);
    if (column->EqualBlank() && row > 0 && value.isValid() && value == RecordValue(column, row - 1))
        return QString();
    if (field->DataType() == wftString && field->EditMask().isEmpty() && !column->EditFormat().isEmpty()
        && value.isValid())
        return TwFormat::FormatMask(column->EditFormat(), value.toString());
    const QString text = field->TextOf(value);
    if (column->HasItemPairs()) {
        const int index = column->Values().indexOf(value.toString());
        if (index >= 0 && index < column->Items().size())
            return column->Items().at(index);
    }
    return text;
}

bool TwDBGrid::CellEmpty(TwColumn* column, int row)
{
    return !RecordValue(column, row).isValid();
}

bool TwDBGrid::CellBoolean(TwColumn* column, int row)
{
    const QVariant value = RecordValue(column, row);
    const TwDataField* field = static_cast<const TwDBColumn*>(column)->Field();
    if (field && field->DataType() == wftBoolean)
        return value.toBool();
    return value.isValid() && value.toString() == column->BoolText(true);
}

QString TwDBGrid::FooterText(TwColumn* column, int footerRow) const
{
    const auto* footer = static_cast<const TwDBColumnFooter*>(column->Footer());
    return footer->Shown(footerRow) ? footer->Values(footerRow) : QString();
}

// ----- The in-place editor -----

QVariant TwDBGrid::EditorValueOf(TwColumn* column, int row, TwEditKind kind)
{
    const TwDataField* field = static_cast<TwDBColumn*>(column)->Field();
    const QVariant value = RecordValue(column, row);
    if (!field || !value.isValid())
        return QVariant();
    switch (kind) {
    case wekCheckBox:
    case wekBoolean: return CellBoolean(column, row);
    case wekRadioGroup: {
        const int index = column->Values().indexOf(value.toString());
        return index >= 0 ? QVariant(index) : QVariant();
    }
    case wekNumber:
    case wekSpinEdit:
    case wekDate:
    case wekTime: return value;
    default: return value.typeId() == QMetaType::Double ? TwFormat::FloatText(value.toDouble()) : value.toString();
    }
}

void TwDBGrid::WriteEditorValue(TwColumn* column, int row, TwEditKind kind, const QVariant& value)
{
    Q_UNUSED(row);
    TwDataField* field = static_cast<TwDBColumn*>(column)->Field();
    if (!field)
        return;
    if (!value.isValid() || value.isNull()) {
        field->Clear();
        return;
    }
    switch (kind) {
    case wekCheckBox:
    case wekBoolean:
        if (field->DataType() == wftBoolean)
            field->SetAsBoolean(value.toBool());
        else
            field->SetAsString(column->BoolText(value.toBool()));
        break;
    case wekRadioGroup: {
        const int index = value.toInt();
        if (index >= 0 && index < column->Values().size())
            field->SetAsString(column->Values().at(index));
        else
            field->Clear();
        break;
    }
    case wekNumber:
    case wekSpinEdit: field->SetAsFloat(value.toDouble()); break;
    case wekDate:
    case wekTime: field->SetAsVariant(value); break;
    default: field->SetText(value.toString()); break;
    }
}

namespace {
TwDataType MemTypeOf(TwFieldType type)
{
    switch (type) {
    case wftSmallint: return wdtSmall;
    case wftWord: return wdtWord;
    case wftInteger:
    case wftLargeint:
    case wftAutoInc: return wdtLong;
    case wftFloat:
    case wftCurrency:
    case wftBCD: return wdtFloat;
    case wftBoolean: return wdtBool;
    case wftDate: return wdtDate;
    case wftTime: return wdtTime;
    case wftDateTime: return wdtDateTime;
    case wftGraphic: return wdtGraphic;
    default: return wdtString;
    }
}
} // namespace

TwMemColumn* TwDBGrid::EditorModel(TwDBColumn* column)
{
    if (!m_editorModel) {
        m_editorModel = std::make_unique<TwMemGrid>();
        m_editorModel->Columns()->Add();
    }
    auto* model = m_editorModel->Column(0);
    const TwDataField* field = column->Field();
    model->SetDataType(field ? MemTypeOf(field->DataType()) : wdtString);
    if (field && field->DataType() == wftString)
        model->SetDataWidth(field->Size() > 0 ? field->Size() : 255);
    QString format = field && !field->EditMask().isEmpty() ? field->EditMask() : column->EditFormat();
    if (format.isEmpty() && field && TwIsNumericField(field->DataType()))
        format = field->DisplayFormat(); // the decimals the editor takes
    model->SetEditFormat(format);
    model->SetEditStyle(column->EditStyle());
    model->SetItems(column->Items());
    model->SetValues(column->Values());
    model->SetAlignment(column->Alignment());
    model->SetFont(column->Font());
    model->SetLayout(column->Layout());
    model->SetMarginLeft(column->MarginLeft());
    model->SetMarginTop(column->MarginTop());
    model->SetMarginRight(column->MarginRight());
    model->SetMarginBottom(column->MarginBottom());
    model->SetColor(column->Color());
    model->SetEditColor(column->EditColor());
    model->SetEditBorder(column->EditBorder());
    model->SetCharCase(column->CharCase());
    model->SetMaxLength(column->MaxLength());
    return model;
}

void TwDBGrid::SetupEditor(TwInplaceEditor* editor, TwColumn* column)
{
    editor->SetupFromColumn(*EditorModel(static_cast<TwDBColumn*>(column)));
}

void TwDBGrid::CopyCellValue(TwColumn* column, int fromRow, int toRow)
{
    Q_UNUSED(toRow);
    if (TwDataField* field = static_cast<TwDBColumn*>(column)->Field())
        field->SetAsVariant(RecordValue(column, fromRow));
}
