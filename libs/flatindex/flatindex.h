#pragma once

#include <QHash>

#include <algorithm>
#include <vector>

// Keys to small numbers (list positions, mostly), in one array with open
// addressing. The element lists of a loaded configuration hold hundreds of
// thousands of entries; a hash with a node per entry made building and freeing
// their indexes cost as much as reading the file, and a lookup met a cache miss
// per node.
//
// The first value stored for a key keeps it.
template<typename Key> class FlatIndex
{
public:
    // The value stored for key, or -1.
    int value(const Key &key) const
    {
        const Slot *slot = find(key);
        return slot ? slot->value : -1;
    }

    bool contains(const Key &key) const { return find(key) != nullptr; }

    // Stores value (>= 0) for key; false when the key held a value already (which stays).
    bool insert(const Key &key, int value)
    {
        Q_ASSERT(value >= 0);
        // At most half full, so that probes stay short.
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = homeOf(key, mask);; i = (i + 1) & mask) {
            Slot &slot = m_slots[i];
            if (slot.value < 0) {
                slot.key = key;
                slot.value = value;
                ++m_count;
                return true;
            }
            if (slot.key == key)
                return false;
        }
    }

    // False when the key held no value.
    bool remove(const Key &key)
    {
        Slot *found = const_cast<Slot *>(find(key));
        if (!found)
            return false;
        // Entries after the hole that probed past it move back into it, so that
        // every probe still ends at the first empty slot.
        const size_t mask = m_slots.size() - 1;
        size_t hole = size_t(found - m_slots.data());
        for (size_t i = (hole + 1) & mask; m_slots[i].value >= 0; i = (i + 1) & mask) {
            const size_t home = homeOf(m_slots[i].key, mask);
            const bool homeAfterHole
                = hole <= i ? (hole < home && home <= i) : (hole < home || home <= i);
            if (!homeAfterHole) {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole] = Slot();
        --m_count;
        return true;
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
        Key key {};
        int value = -1; // -1: empty
    };

    const Slot *find(const Key &key) const
    {
        if (m_slots.empty())
            return nullptr;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = homeOf(key, mask);; i = (i + 1) & mask) {
            const Slot &slot = m_slots[i];
            if (slot.value < 0)
                return nullptr;
            if (slot.key == key)
                return &slot;
        }
    }

    // Ids are often consecutive or multiples of a round number; mixing the bits
    // spreads them over the whole table.
    static size_t homeOf(const Key &key, size_t mask)
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
        for (const Slot &slot : old) {
            if (slot.value >= 0)
                insert(slot.key, slot.value);
        }
    }

    std::vector<Slot> m_slots; // a power of two in size
    size_t m_count = 0;
};
