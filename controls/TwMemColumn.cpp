#include "controls/TwMemColumn.h"

#include <QLocale>
#include <cstring>

#include "controls/EConvertError.h"
#include "controls/TwFormat.h"
#include "controls/TwLocaleFormats.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"

TwMemColumn::TwMemColumn(TwMemGrid* grid)
    : TwColumn(grid, [](TwColumn* column) { return std::make_unique<TwMemColumnFooter>(column); }),
      m_memGrid(grid),
      m_pool(this)
{
    m_pool.Initialize(m_dataType, DataWidth());
    m_pool.SetCount(grid->StoredRowCount());
}

TwMemColumn::~TwMemColumn() = default;

void TwMemColumn::SetDataType(TwDataType value)
{
    if (value == m_dataType)
        return;
    m_defaults.clear();
    Relayout(value, m_dataWidth);
}

int TwMemColumn::DataWidth() const
{
    switch (m_dataType) {
    case wdtString: return m_dataWidth;
    case wdtChar: return qBound(1, m_dataWidth, 255);
    case wdtGraphic: return 0;
    default: return TwSlotCodec::PayloadSize(m_dataType, m_dataWidth);
    }
}

void TwMemColumn::SetDataWidth(int value)
{
    value = qBound(0, value, 0xFFFF);
    if (m_dataType == wdtChar && value != m_dataWidth)
        Relayout(m_dataType, value);
    else
        m_dataWidth = value;
}

void TwMemColumn::SetDisplayFormat(const QString& value)
{
    m_displayFormat = value;
    Changed();
}

// Values are carried over through their variants rather than reinterpreting
// the old bytes in the new layout.
void TwMemColumn::Relayout(TwDataType type, int storedWidth)
{
    const int rows = m_pool.Count();
    std::vector<QVariant> values;
    values.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r)
        values.push_back(TwSlotCodec::GetVariant(m_dataType, m_pool.Slot(r)));
    m_dataType = type;
    m_dataWidth = storedWidth;
    m_pool.Initialize(type, DataWidth());
    m_pool.SetCount(rows);
    for (int r = 0; r < rows; ++r) {
        try {
            TwSlotCodec::SetVariant(type, DataWidth(), m_pool.Slot(r), values[size_t(r)]);
        } catch (const EConvertError&) {
            // A value that does not convert stays empty.
        }
    }
    m_valueBuffer = TwValueBuffer();
    m_snapshotBuffer = TwValueBuffer();
    Changed();
}

bool TwMemColumn::BufferUnchanged() const
{
    const TwValueBuffer& a = m_valueBuffer;
    const TwValueBuffer& b = m_snapshotBuffer;
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && b.IsNull();
    if (TwIsTextType(m_dataType))
        return a.text == b.text;
    const size_t size = size_t(TwSlotCodec::PayloadSize(m_dataType, m_dataWidth));
    return std::memcmp(a.bytes.data() + 1, b.bytes.data() + 1, size) == 0;
}

void TwMemColumn::LoadBuffer(int storedRow)
{
    m_valueBuffer = TwValueBuffer();
    if (storedRow >= 0) {
        const TwSlotRef slot = m_pool.Slot(storedRow);
        if (!TwSlotCodec::IsNull(slot)) {
            if (TwIsTextType(m_dataType))
                m_valueBuffer.text = TwSlotCodec::GetString(m_dataType, slot);
            else
                std::memcpy(m_valueBuffer.bytes.data(), slot.bytes, size_t(m_pool.SlotSize()));
            m_valueBuffer.bytes[0] = TwSlotCodec::Present;
        }
    } else if (!m_defaults.isEmpty()) {
        TwSlotCodec::SetString(m_dataType, DataWidth(), m_valueBuffer.Ref(), m_defaults);
    }
    m_snapshotBuffer = m_valueBuffer;
}

void TwMemColumn::StoreBuffer(int storedRow)
{
    const TwSlotRef slot = m_pool.Slot(storedRow);
    if (m_valueBuffer.IsNull())
        TwSlotCodec::Clear(slot, m_dataType, DataWidth());
    else if (TwIsTextType(m_dataType))
        TwSlotCodec::SetString(m_dataType, DataWidth(), slot, m_valueBuffer.text);
    else
        std::memcpy(slot.bytes, m_valueBuffer.bytes.data(), size_t(m_pool.SlotSize()));
}

TwSlotRef TwMemColumn::CellRef(bool editing, int storedRow)
{
    return editing ? m_valueBuffer.Ref() : m_pool.Slot(storedRow);
}

void TwMemColumn::CellStored(int storedRow)
{
    m_memGrid->CellValueChanged(this, m_memGrid->DisplayRow(storedRow));
}

bool TwMemColumn::SameValue(const TwValueBuffer& a, const TwValueBuffer& b) const
{
    if (TwIsTextType(m_dataType))
        return a.text == b.text;
    if (m_dataType == wdtGraphic)
        return true;
    TwValueBuffer x = a;
    TwValueBuffer y = b;
    return TwSlotCodec::GetFloat(m_dataType, x.Ref()) == TwSlotCodec::GetFloat(m_dataType, y.Ref());
}

void TwMemColumn::CommitBuffer(TwValueBuffer& next)
{
    const bool nextNull = next.IsNull();
    const bool currentNull = m_valueBuffer.IsNull();
    if (nextNull && currentNull)
        return;
    if (!nextNull && !currentNull && SameValue(next, m_valueBuffer))
        return;
    TwMemGrid* grid = m_memGrid;
    if (grid->EditState() == wgsBrowse) {
        m_valueBuffer = std::move(next);
        return;
    }
    if (grid->OnValueChanging)
        grid->OnValueChanging(this, TwSlotCodec::GetVariant(m_dataType, next.Ref()));
    m_valueBuffer = std::move(next);
    grid->SetRowModified(true);
    grid->CellValueChanged(this, grid->Row());
    if (!m_calculated && grid->OnCalcColumns)
        grid->OnCalcColumns(grid);
    if (grid->OnValueChanged)
        grid->OnValueChanged(this);
}

QString TwMemColumn::FormatValue(const QString& text, const double* number) const
{
    if (m_dataType == wdtGraphic)
        return m_displayFormat;
    if (HasItemPairs() && ListOption().ValuesIndex() != 0) {
        const int k = Values().indexOf(text);
        if (k >= 0)
            return Items().at(k).section(ListOption().Separator(), 0, 0);
    }
    const bool textType = TwIsTextType(m_dataType);
    const bool dateType = TwIsDateType(m_dataType);
    auto value = [&] { return number ? *number : TwSlotCodec::ParseAs(m_dataType, text); };
    if (!m_displayFormat.isEmpty()) {
        if (textType)
            return TwFormat::FormatString(m_displayFormat, text);
        if (TwIsNumericType(m_dataType))
            return TwFormat::FormatNumber(m_displayFormat, value());
        if (dateType)
            return TwFormat::FormatDateTime(m_displayFormat, value());
        return text;
    }
    if (!EditFormat().isEmpty()) {
        if (textType)
            return TwFormat::FormatMask(EditFormat(), text);
        if (dateType)
            return TwFormat::FormatDateTime(EditFormat(), value());
    }
    return text;
}

// A computed value that does not parse in the column type is shown as it is.
QString TwMemColumn::FooterText(int footerRow) const
{
    const auto* footer = static_cast<const TwMemColumnFooter*>(Footer());
    const int kind = footer->Kind(footerRow);
    const QString value = footer->Values(footerRow);
    if (kind == 0)
        return QString();
    if (kind == 1 || value.isEmpty())
        return value;
    try {
        return FormatValue(value, nullptr);
    } catch (const EConvertError&) {
        return value;
    }
}

TwEditKind TwMemColumn::EditKind() const
{
    const TwDataType type = m_dataType;
    const bool text = TwIsTextType(type);
    const bool hasValues = !Values().isEmpty();
    const bool twoWay = type == wdtBool || Values().size() >= 2;
    switch (EditStyle()) {
    case wesText:
        if (type != wdtGraphic)
            return wekText;
        break;
    case wesMultiText:
        if (text)
            return wekMultiText;
        break;
    case wesCheckBox:
        if (twoWay)
            return wekCheckBox;
        break;
    case wesBoolean:
        if (twoWay)
            return wekBoolean;
        break;
    case wesRadioGroup:
        if (type == wdtBool || hasValues)
            return wekRadioGroup;
        break;
    case wesNumber:
        if (TwIsNumericType(type))
            return wekNumber;
        break;
    case wesSpinEdit:
        if (TwIsNumericType(type))
            return wekSpinEdit;
        break;
    case wesDate:
        if (type == wdtDate || type == wdtDateTime)
            return wekDate;
        break;
    case wesTime:
        if (type == wdtTime || type == wdtDateTime)
            return wekTime;
        break;
    case wesPickList:
        if (hasValues)
            return wekPickList;
        break;
    case wesMemo:
        if (text)
            return wekMemo;
        break;
    default:
        break;
    }
    if (type == wdtGraphic)
        return wekPicture;
    if (type == wdtBool)
        return wekCheckBox;
    if (hasValues)
        return wekPickList;
    if (TwIsNumericType(type))
        return wekNumber;
    if (type == wdtDate || type == wdtDateTime)
        return wekDate;
    if (type == wdtTime)
        return wekTime;
    return wekText;
}

bool TwMemColumn::AcceptsAnyChar(TwDataType type)
{
    return !(TwIsNumericType(type) || type == wdtDate || type == wdtTime || type == wdtGraphic);
}

bool TwMemColumn::AcceptsChar(TwDataType type, bool anyChar, QChar ch, const QLocale& locale)
{
    if (anyChar || AcceptsAnyChar(type))
        return true;
    const bool digit = ch >= u'0' && ch <= u'9';
    switch (type) {
    case wdtShort:
    case wdtSmall:
    case wdtLong: return digit || ch == u'+' || ch == u'-';
    case wdtByte:
    case wdtWord: return digit;
    case wdtFloat: return digit || ch == u'+' || ch == u'-' || ch == u'.' || ch == u'E' || ch == u'e';
    case wdtDate: return digit || TwLocaleFormats::DateSeparator(locale).contains(ch);
    case wdtTime: return digit || TwLocaleFormats::TimeSeparator(locale).contains(ch);
    default: return false;
    }
}

bool TwMemColumn::AcceptsChar(QChar ch) const
{
    return AcceptsChar(m_dataType, EditKind() == wekPickList, ch, QLocale());
}
