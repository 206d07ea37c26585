#pragma once

#include <QtGlobal>
#include <vector>

#include "controls/TwTypes.h"

class TwMemGrid;

// One byte per stored row: bit 6 the selection mark, bits 5..4 the row state.
// Bit 7 is a scratch mark for repainting only the rows that lose their
// selection.
class TwRowInfos
{
public:
    static constexpr quint8 ScratchBit = 0x80;
    static constexpr quint8 SelectedBit = 0x40;
    static constexpr quint8 StateMask = 0x30;

    explicit TwRowInfos(TwMemGrid* owner);

    TwMemGrid* Owner() const { return m_owner; }
    int Count() const { return m_count; }
    int Capacity() const { return int(m_data.size()); }
    int SelectedCount() const { return m_selectedCount; }

    void SetCount(int count);
    void Insert(int row);
    void Delete(int row, int count);
    void Move(int from, int to);
    void Permute(const std::vector<int>& order);
    void ResetAll();        // every byte 0, nothing selected
    void ClearStates();     // bits 5..4 of every row

    TwRowState State(int row) const { return TwRowState((m_data[size_t(row)] & StateMask) >> 4); }
    void SetState(int row, TwRowState state);
    bool Selected(int row) const { return m_data[size_t(row)] & SelectedBit; }
    void SetSelected(int row, bool selected);
    quint8 Byte(int row) const { return m_data[size_t(row)]; }
    void SetByte(int row, quint8 value);

private:
    void Grow(int count);

    TwMemGrid* m_owner;
    std::vector<quint8> m_data;
    int m_count = 0;
    int m_selectedCount = 0;
};
