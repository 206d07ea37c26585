#include "controls/TwCells.h"

#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

TwCells::TwCells(TwMemGrid* grid) : m_grid(grid) {}

void TwCells::Address(int col, int displayRow, int storedRow, bool editing)
{
    m_col = col;
    m_displayRow = displayRow;
    m_row = storedRow;
    m_editing = editing;
}

TwMemColumn* TwCells::Column() const
{
    return m_grid->Column(m_col);
}

QString TwCells::AsString() const
{
    TwMemColumn* column = Column();
    const TwSlotRef ref = column->CellRef(m_editing, m_row);
    if (column->DataType() == wdtBool && !TwSlotCodec::IsNull(ref))
        return column->BoolText(AsBoolean());
    return TwSlotCodec::GetString(column->DataType(), ref);
}

// A Boolean column takes its two words (ignoring case); other text empties it.
void TwCells::SetAsString(const QString& value)
{
    TwMemColumn* column = Column();
    if (column->DataType() == wdtBool && !value.isEmpty()) {
        if (value.compare(column->BoolText(false), Qt::CaseInsensitive) == 0)
            StoredSetBoolean(false);
        else if (value.compare(column->BoolText(true), Qt::CaseInsensitive) == 0)
            StoredSetBoolean(true);
        else
            Clear();
        return;
    }
    const TwDataType type = column->DataType();
    const int width = column->DataWidth();
    column->WriteCell(m_editing, m_row,
                      [&](const TwSlotRef& slot) { TwSlotCodec::SetString(type, width, slot, value); });
}

// With a value list on a non-Boolean column, True is exactly Values[1].
bool TwCells::AsBoolean() const
{
    TwMemColumn* column = Column();
    const TwSlotRef ref = column->CellRef(m_editing, m_row);
    const TwDataType type = column->DataType();
    if (type != wdtBool && column->Values().size() > 1 && !TwSlotCodec::IsNull(ref))
        return TwSlotCodec::GetString(type, ref) == column->Values().at(1);
    return TwSlotCodec::GetBoolean(type, ref);
}

void TwCells::SetAsBoolean(bool value)
{
    TwMemColumn* column = Column();
    if (column->DataType() != wdtBool && column->Values().size() > 1)
        SetAsString(column->Values().at(value ? 1 : 0));
    else
        StoredSetBoolean(value);
}

void TwCells::StoredSetBoolean(bool value)
{
    TwMemColumn* column = Column();
    const TwDataType type = column->DataType();
    const int width = column->DataWidth();
    column->WriteCell(m_editing, m_row,
                      [&](const TwSlotRef& slot) { TwSlotCodec::SetBoolean(type, width, slot, value); });
}

int TwCells::AsInteger() const
{
    TwMemColumn* column = Column();
    return TwSlotCodec::GetInteger(column->DataType(), column->CellRef(m_editing, m_row));
}

double TwCells::AsFloat() const
{
    TwMemColumn* column = Column();
    return TwSlotCodec::GetFloat(column->DataType(), column->CellRef(m_editing, m_row));
}

void TwCells::SetAsFloat(double value)
{
    TwMemColumn* column = Column();
    const TwDataType type = column->DataType();
    const int width = column->DataWidth();
    column->WriteCell(m_editing, m_row,
                      [&](const TwSlotRef& slot) { TwSlotCodec::SetFloat(type, width, slot, value); });
}

double TwCells::AsDateTime() const
{
    TwMemColumn* column = Column();
    return TwSlotCodec::GetDateTime(column->DataType(), column->CellRef(m_editing, m_row));
}

QVariant TwCells::AsVariant() const
{
    TwMemColumn* column = Column();
    return TwSlotCodec::GetVariant(column->DataType(), column->CellRef(m_editing, m_row));
}

void TwCells::SetAsVariant(const QVariant& value)
{
    TwMemColumn* column = Column();
    const TwDataType type = column->DataType();
    const int width = column->DataWidth();
    column->WriteCell(m_editing, m_row,
                      [&](const TwSlotRef& slot) { TwSlotCodec::SetVariant(type, width, slot, value); });
}

bool TwCells::IsNull() const
{
    return TwSlotCodec::IsNull(Column()->CellRef(m_editing, m_row));
}

void TwCells::Clear()
{
    TwMemColumn* column = Column();
    const TwDataType type = column->DataType();
    const int width = column->DataWidth();
    column->WriteCell(m_editing, m_row, [&](const TwSlotRef& slot) { TwSlotCodec::Clear(slot, type, width); });
}

QString TwCells::DisplayText() const
{
    TwMemColumn* column = Column();
    const TwDataType type = column->DataType();
    const TwSlotRef ref = column->CellRef(m_editing, m_row);
    QString text;
    if (TwSlotCodec::IsNull(ref)) {
        // stays empty
    } else if (type == wdtBool) {
        const bool value = AsBoolean();
        const bool pairs = column->HasItemPairs() && column->Values().size() > 1;
        text = pairs ? column->Items().at(value ? 1 : 0) : column->BoolText(value);
    } else if (TwIsNumericType(type) || TwIsDateType(type)) {
        const double number = TwSlotCodec::GetFloat(type, ref);
        text = column->FormatValue(TwSlotCodec::GetString(type, ref), &number);
    } else {
        text = column->FormatValue(AsString(), nullptr);
    }
    if (m_grid->OnGetText)
        m_grid->OnGetText(column, m_displayRow, text);
    return text;
}
