#pragma once

#include <QHash>

#include <algorithm>
#include <vector>

// Keys to positions in a list, in one array with open addressing. The element
// lists of a loaded configuration hold hundreds of thousands of entries; a hash
// with a node per entry made building and freeing their indexes cost as much as
// reading the file.
//
// Only insertions: a list that changes otherwise builds its table anew. The first
// position stored for a key keeps it.
template<typename Key>
class CnfPositionTable
{
public:
    // The position stored for key, or -1.
    int value(const Key &key) const
    {
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = slotOf(key, mask);; i = (i + 1) & mask) {
            const Slot &slot = m_slots[i];
            if (slot.position < 0)
                return -1;
            if (slot.key == key)
                return slot.position;
        }
    }

    bool contains(const Key &key) const { return value(key) >= 0; }

    // False when the key held a position already (which stays).
    bool insert(const Key &key, int position)
    {
        // At most half full, so that probes stay short.
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = slotOf(key, mask);; i = (i + 1) & mask) {
            Slot &slot = m_slots[i];
            if (slot.position < 0) {
                slot.key = key;
                slot.position = position;
                ++m_count;
                return true;
            }
            if (slot.key == key)
                return false;
        }
    }

    void clear()
    {
        m_slots.clear();
        m_count = 0;
    }

    int size() const { return int(m_count); }

private:
    struct Slot
    {
        Key key{};
        int position = -1;
    };

    // Ids are often consecutive or multiples of a round number; mixing the bits
    // spreads them over the whole table.
    static size_t slotOf(const Key &key, size_t mask)
    {
        quint64 h = qHash(key);
        h ^= h >> 33;
        h *= Q_UINT64_C(0xff51afd7ed558ccd);
        h ^= h >> 33;
        return size_t(h) & mask;
    }

    void grow()
    {
        std::vector<Slot> old(std::max<size_t>(16, m_slots.size() * 2));
        old.swap(m_slots);
        m_count = 0;
        for (Slot &slot : old) {
            if (slot.position >= 0)
                insert(slot.key, slot.position);
        }
    }

    std::vector<Slot> m_slots; // a power of two in size
    size_t m_count = 0;
};
