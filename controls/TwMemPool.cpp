#include "controls/TwMemPool.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kStep = 16;

// Applies a permutation in place, cycle by cycle (new i = old order[i]), so
// that sorting allocates nothing per column. `move(to, from)` moves one item
// and `save`/`restore` park the first item of a cycle.
template <typename Move, typename Save, typename Restore>
void PermuteInPlace(const std::vector<int>& order, Move move, Save save, Restore restore)
{
    std::vector<bool> done(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (done[start] || size_t(order[start]) == start) {
            done[start] = true;
            continue;
        }
        save(start);
        size_t j = start;
        while (true) {
            done[j] = true;
            const size_t k = size_t(order[j]);
            if (k == start) {
                restore(j);
                break;
            }
            move(j, k);
            j = k;
        }
    }
}

template <size_t Size>
void PermuteSlots(quint8* data, quint8* parked, const std::vector<int>& order)
{
    PermuteInPlace(
        order, [&](size_t to, size_t from) { std::memcpy(data + to * Size, data + from * Size, Size); },
        [&](size_t i) { std::memcpy(parked, data + i * Size, Size); },
        [&](size_t i) { std::memcpy(data + i * Size, parked, Size); });
}
} // namespace

TwMemPool::TwMemPool(TwMemColumn* owner) : m_owner(owner) {}

void TwMemPool::Initialize(TwDataType type, int dataWidth)
{
    m_slotSize = TwSlotCodec::PayloadSize(type, dataWidth) + 1;
    m_hasStrings = type == wdtString;
    m_strings.clear();
    m_count = 0;
    m_data.assign(size_t(kStep) * size_t(m_slotSize), 0);
    m_capacity = kStep;
    m_scratch.assign(size_t(m_slotSize), 0);
}

void TwMemPool::Reallocate(int capacity)
{
    m_data.resize(size_t(capacity) * size_t(m_slotSize), 0);
    m_capacity = capacity;
}

void TwMemPool::SetCount(int count)
{
    count = qMax(0, count);
    if (count < m_count) {
        if (m_hasStrings)
            m_strings.resize(size_t(count));
        m_count = count;
        return;
    }
    if (m_capacity < count)
        Reallocate(count / kStep * kStep + kStep);
    if (m_hasStrings)
        m_strings.resize(size_t(count));
    std::memset(m_data.data() + size_t(m_count) * size_t(m_slotSize), 0,
                size_t(count - m_count) * size_t(m_slotSize));
    m_count = count;
}

void TwMemPool::InsertSlot(int row)
{
    if (m_capacity == m_count)
        Reallocate(m_capacity + kStep);
    quint8* at = m_data.data() + size_t(row) * size_t(m_slotSize);
    if (row < m_count)
        std::memmove(at + m_slotSize, at, size_t(m_count - row) * size_t(m_slotSize));
    std::memset(at, 0, size_t(m_slotSize));
    if (m_hasStrings)
        m_strings.insert(m_strings.begin() + row, QString());
    ++m_count;
}

void TwMemPool::DeleteSlots(int row, int count)
{
    quint8* at = m_data.data() + size_t(row) * size_t(m_slotSize);
    const int after = m_count - row - count;
    std::memmove(at, at + size_t(count) * size_t(m_slotSize), size_t(after) * size_t(m_slotSize));
    if (m_hasStrings)
        m_strings.erase(m_strings.begin() + row, m_strings.begin() + row + count);
    m_count -= count;
}

void TwMemPool::MoveSlot(int from, int to)
{
    if (from == to)
        return;
    const size_t size = size_t(m_slotSize);
    quint8* base = m_data.data();
    std::memcpy(m_scratch.data(), base + size_t(from) * size, size);
    if (from < to)
        std::memmove(base + size_t(from) * size, base + size_t(from + 1) * size, size_t(to - from) * size);
    else
        std::memmove(base + size_t(to + 1) * size, base + size_t(to) * size, size_t(from - to) * size);
    std::memcpy(base + size_t(to) * size, m_scratch.data(), size);
    if (m_hasStrings) {
        QString moved = std::move(m_strings[size_t(from)]);
        if (from < to)
            std::move(m_strings.begin() + from + 1, m_strings.begin() + to + 1, m_strings.begin() + from);
        else
            std::move_backward(m_strings.begin() + to, m_strings.begin() + from, m_strings.begin() + from + 1);
        m_strings[size_t(to)] = std::move(moved);
    }
}

void TwMemPool::Permute(const std::vector<int>& order)
{
    quint8* data = m_data.data();
    quint8* parked = m_scratch.data();
    switch (m_slotSize) {
    case 1: PermuteSlots<1>(data, parked, order); break;
    case 2: PermuteSlots<2>(data, parked, order); break;
    case 3: PermuteSlots<3>(data, parked, order); break;
    case 5: PermuteSlots<5>(data, parked, order); break;
    case 9: PermuteSlots<9>(data, parked, order); break;
    default: {
        const size_t size = size_t(m_slotSize);
        PermuteInPlace(
            order, [&](size_t to, size_t from) { std::memcpy(data + to * size, data + from * size, size); },
            [&](size_t i) { std::memcpy(parked, data + i * size, size); },
            [&](size_t i) { std::memcpy(data + i * size, parked, size); });
    }
    }
    if (m_hasStrings) {
        QString parkedText;
        PermuteInPlace(
            order, [&](size_t to, size_t from) { m_strings[to] = std::move(m_strings[from]); },
            [&](size_t i) { parkedText = std::move(m_strings[i]); },
            [&](size_t i) { m_strings[i] = std::move(parkedText); });
    }
}

void TwMemPool::EmptyAll()
{
    std::memset(m_data.data(), 0, size_t(m_count) * size_t(m_slotSize));
}
