#pragma once

#include <array>

#include "controls/TwColumn.h"
#include "controls/TwInplaceEditor.h"
#include "controls/TwMemPool.h"

class QLocale;

class TwMemGrid;

// The value of one column in the row being edited: payload, presence byte
// and, for text types, the text.
struct TwValueBuffer
{
    std::array<quint8, 9> bytes{};
    QString text;

    TwSlotRef Ref() { return TwSlotRef{bytes.data(), &text}; }
    bool IsNull() const { return bytes[0] == 0; }
};

// A column of the in-memory grid: its value type, its storage and the edit
// buffers of the row being edited.
class TwMemColumn : public TwColumn
{
public:
    explicit TwMemColumn(TwMemGrid* grid);
    ~TwMemColumn() override;

    TwMemGrid* MemGrid() const { return m_memGrid; }

    // Filled by code; cannot take focus or be edited, and its changes do not
    // fire OnCalcColumns.
    bool Calculated() const { return m_calculated; }
    void SetCalculated(bool value) { m_calculated = value; }
    TwDataType DataType() const { return m_dataType; }
    // Clears Defaults; stored values are converted to the new type (those
    // that do not convert become empty).
    void SetDataType(TwDataType value);
    // Character capacity of text types; the payload size of other types.
    int DataWidth() const;
    void SetDataWidth(int value);
    QString Defaults() const { return m_defaults; }
    void SetDefaults(const QString& value) { m_defaults = value; }
    QString DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& value);
    bool Required() const { return m_required; }
    void SetRequired(bool value) { m_required = value; }

    TwMemPool& Pool() { return m_pool; }
    TwValueBuffer& ValueBuffer() { return m_valueBuffer; }
    TwValueBuffer& SnapshotBuffer() { return m_snapshotBuffer; }
    // Buffer and snapshot hold the same value.
    bool BufferUnchanged() const;
    // Copies a stored row into the buffer (or the Defaults text when row < 0)
    // and takes the snapshot; no events.
    void LoadBuffer(int storedRow);
    void StoreBuffer(int storedRow);

    // A cell of a stored row, or the buffer of the row being edited.
    TwSlotRef CellRef(bool editing, int storedRow);
    // Writes through `set`: into storage silently, or into the buffer with the
    // value events when the value differs.
    template <typename Set>
    void WriteCell(bool editing, int storedRow, Set&& set)
    {
        if (!editing) {
            set(m_pool.Slot(storedRow));
            CellStored(storedRow);
            return;
        }
        TwValueBuffer next;
        set(next.Ref());
        CommitBuffer(next);
    }

    // Display formatting of a value text (picture cells, value lists,
    // DisplayFormat, EditFormat); `number` is the value when already known,
    // else the text is parsed in the column type where a picture needs it.
    QString FormatValue(const QString& text, const double* number) const;
    // What a footer row shows for this column.
    QString FooterText(int footerRow) const;

    bool CanFocus() const override { return !ReadOnly() && !m_calculated; }

    // The in-place editor of the column, from its EditStyle, its type and
    // whether it has a value list; a style that does not fit the type falls
    // back to the type's own editor.
    TwEditKind EditKind() const;
    // Characters a column of a type takes when typed: whole numbers take
    // signs and digits, unsigned ones digits, floats also "." and an
    // exponent, dates and times digits and their locale separator, pictures
    // nothing, other types (and every pick list, `anyChar`) everything.
    static bool AcceptsChar(TwDataType type, bool anyChar, QChar ch, const QLocale& locale);
    static bool AcceptsAnyChar(TwDataType type);
    bool AcceptsChar(QChar ch) const;

protected:
    bool IsNumeric() const override { return TwIsNumericType(m_dataType); }
    bool IsPicture() const override { return m_dataType == wdtGraphic; }

private:
    void Relayout(TwDataType type, int storedWidth);
    void CellStored(int storedRow);
    void CommitBuffer(TwValueBuffer& next);
    bool SameValue(const TwValueBuffer& a, const TwValueBuffer& b) const;

    TwMemGrid* m_memGrid;
    bool m_calculated = false;
    TwDataType m_dataType = wdtString;
    int m_dataWidth = 16;
    QString m_defaults;
    QString m_displayFormat;
    bool m_required = false;
    TwMemPool m_pool;
    TwValueBuffer m_valueBuffer;
    TwValueBuffer m_snapshotBuffer;
};
