#include "controls/TwMemPool.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kStep = 16;
}

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
    std::memmove(at + m_slotSize, at, size_t(m_count - row) * size_t(m_slotSize));
    std::fill(m_scratch.begin(), m_scratch.end(), quint8(0));
    std::memcpy(at, m_scratch.data(), size_t(m_slotSize));
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
    const size_t size = size_t(m_slotSize);
    std::vector<quint8> data(m_data.size(), 0);
    for (size_t i = 0; i < order.size(); ++i)
        std::memcpy(data.data() + i * size, m_data.data() + size_t(order[i]) * size, size);
    m_data.swap(data);
    if (m_hasStrings) {
        std::vector<QString> strings;
        strings.reserve(m_strings.size());
        for (const int from : order)
            strings.push_back(std::move(m_strings[size_t(from)]));
        m_strings.swap(strings);
    }
}

void TwMemPool::EmptyAll()
{
    std::memset(m_data.data(), 0, size_t(m_count) * size_t(m_slotSize));
}

TwSlotRef TwMemPool::Slot(int row)
{
    return TwSlotRef{m_data.data() + size_t(row) * size_t(m_slotSize), m_hasStrings ? &m_strings[size_t(row)] : nullptr};
}
