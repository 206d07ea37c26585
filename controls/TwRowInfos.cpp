#include "controls/TwRowInfos.h"

#include <algorithm>
#include <cstring>

TwRowInfos::TwRowInfos(TwMemGrid* owner) : m_owner(owner) {}

void TwRowInfos::Grow(int count)
{
    if (int(m_data.size()) < count)
        m_data.resize(size_t(count / 16 * 16 + 16), 0);
}

void TwRowInfos::SetCount(int count)
{
    count = qMax(0, count);
    if (count < m_count) {
        for (int r = count; r < m_count; ++r)
            m_selectedCount -= Selected(r) ? 1 : 0;
        std::fill(m_data.begin() + count, m_data.begin() + m_count, quint8(0));
    } else {
        Grow(count);
    }
    m_count = count;
}

void TwRowInfos::Insert(int row)
{
    Grow(m_count + 1);
    std::memmove(m_data.data() + row + 1, m_data.data() + row, size_t(m_count - row));
    m_data[size_t(row)] = 0;
    ++m_count;
}

void TwRowInfos::Delete(int row, int count)
{
    for (int r = row; r < row + count; ++r)
        m_selectedCount -= Selected(r) ? 1 : 0;
    std::memmove(m_data.data() + row, m_data.data() + row + count, size_t(m_count - row - count));
    std::fill(m_data.begin() + (m_count - count), m_data.begin() + m_count, quint8(0));
    m_count -= count;
}

void TwRowInfos::Move(int from, int to)
{
    const quint8 moved = m_data[size_t(from)];
    if (from < to)
        std::memmove(m_data.data() + from, m_data.data() + from + 1, size_t(to - from));
    else
        std::memmove(m_data.data() + to + 1, m_data.data() + to, size_t(from - to));
    m_data[size_t(to)] = moved;
}

void TwRowInfos::Permute(const std::vector<int>& order)
{
    std::vector<quint8> data(m_data.size(), 0);
    for (size_t i = 0; i < order.size(); ++i)
        data[i] = m_data[size_t(order[i])];
    m_data.swap(data);
}

void TwRowInfos::ResetAll()
{
    std::fill(m_data.begin(), m_data.end(), quint8(0));
    m_selectedCount = 0;
}

void TwRowInfos::ClearStates()
{
    for (int r = 0; r < m_count; ++r)
        m_data[size_t(r)] &= quint8(~StateMask);
}

void TwRowInfos::SetState(int row, TwRowState state)
{
    quint8& b = m_data[size_t(row)];
    b = quint8((b & ~StateMask) | ((int(state) << 4) & StateMask));
}

void TwRowInfos::SetSelected(int row, bool selected)
{
    if (Selected(row) == selected)
        return;
    m_data[size_t(row)] ^= SelectedBit;
    m_selectedCount += selected ? 1 : -1;
}

void TwRowInfos::SetByte(int row, quint8 value)
{
    SetSelected(row, value & SelectedBit);
    m_data[size_t(row)] = value;
}
