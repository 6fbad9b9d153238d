#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavemark {

// Numbers for 64-bit keys, such as BSSIDs' 48-bit addresses, in one open
// addressing table: a slot holds a number and the key is kept by number,
// so a key costs about 13 bytes where a node-based map spends 40 or more.
// The numbers are the caller's, small and mostly dense (they index the
// keys). Made for the most keys it will get, it never moves; a table that
// cannot know them grows by doubling when it is three quarters full.
class FlatIndex {
public:
    explicit FlatIndex(size_t mostKeys = 0)
        : m_shift(64 - std::bit_width(mostKeys + mostKeys / 3 + 8)),
          m_slots(size_t{1} << (64 - m_shift), kEmpty) {}

    // The number of `key`, after giving it `number` if it had none.
    int32_t insert(uint64_t key, int32_t number) {
        size_t slot = slotOf(key);
        for (; m_slots[slot] != kEmpty; slot = (slot + 1) & mask()) {
            if (m_keyOf[static_cast<size_t>(m_slots[slot])] == key) {
                return m_slots[slot];
            }
        }
        if (4 * (m_count + 1) > 3 * m_slots.size()) {
            grow();
            slot = freeSlotOf(key);
        }
        ++m_count;
        m_slots[slot] = number;
        if (m_keyOf.size() <= static_cast<size_t>(number)) {
            m_keyOf.resize(static_cast<size_t>(number) + 1);
        }
        m_keyOf[static_cast<size_t>(number)] = key;
        return number;
    }

    // The number of `key`, -1 for a key it does not hold.
    int32_t find(uint64_t key) const {
        for (size_t slot = slotOf(key); m_slots[slot] != kEmpty; slot = (slot + 1) & mask()) {
            if (m_keyOf[static_cast<size_t>(m_slots[slot])] == key) {
                return m_slots[slot];
            }
        }
        return -1;
    }

    // The key given `number`.
    uint64_t keyOf(int32_t number) const { return m_keyOf[static_cast<size_t>(number)]; }

private:
    static constexpr int32_t kEmpty = -1;

    // Fibonacci hashing: the top bits of the key times 2^64 / phi.
    size_t slotOf(uint64_t key) const {
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> m_shift);
    }
    size_t mask() const { return m_slots.size() - 1; }

    size_t freeSlotOf(uint64_t key) const {
        size_t slot = slotOf(key);
        while (m_slots[slot] != kEmpty) {
            slot = (slot + 1) & mask();
        }
        return slot;
    }

    void grow() {
        std::vector<int32_t> old(m_slots.size() * 2, kEmpty);
        old.swap(m_slots);
        --m_shift;
        for (const int32_t number : old) {
            if (number != kEmpty) {
                m_slots[freeSlotOf(m_keyOf[static_cast<size_t>(number)])] = number;
            }
        }
    }

    int m_shift;
    std::vector<int32_t> m_slots;
    std::vector<uint64_t> m_keyOf;
    size_t m_count = 0;
};

} // namespace wavemark
