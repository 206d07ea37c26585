#pragma once

#include <QString>
#include <vector>

#include "controls/TwSlotCodec.h"
#include "controls/TwTypes.h"

class TwMemColumn;

// The stored values of one column: one contiguous block of fixed-size slots
// (presence byte + payload) and, for wdtString, one text per row. Capacity
// grows in steps of 16 rows; a zero-filled slot is an empty cell.
class TwMemPool
{
public:
    explicit TwMemPool(TwMemColumn* owner);

    TwMemColumn* Owner() const { return m_owner; }
    int SlotSize() const { return m_slotSize; }
    int Capacity() const { return m_capacity; }
    int Count() const { return m_count; }

    // Lays the storage out for a type, all cells empty, no rows.
    void Initialize(TwDataType type, int dataWidth);
    void SetCount(int count);
    void InsertSlot(int row);
    void DeleteSlots(int row, int count);
    void MoveSlot(int from, int to);
    // New row i takes the value of old row order[i]; order is a permutation.
    void Permute(const std::vector<int>& order);
    void EmptyAll();

    TwSlotRef Slot(int row)
    {
        return TwSlotRef{m_data.data() + size_t(row) * size_t(m_slotSize),
                         m_hasStrings ? &m_strings[size_t(row)] : nullptr};
    }

private:
    void Reallocate(int capacity);

    TwMemColumn* m_owner;
    int m_slotSize = 1;
    std::vector<quint8> m_data;
    std::vector<QString> m_strings;
    bool m_hasStrings = false;
    std::vector<quint8> m_scratch;
    int m_capacity = 0;
    int m_count = 0;
};
