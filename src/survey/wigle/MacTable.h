#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavemark {

// Numbers 0, 1, 2, ... given to 48-bit MAC addresses in the order they are
// first met. A row costs one look-up, so the table is open addressing in one
// array, probed linearly and never more than half full.
class MacTable {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    MacTable() : m_slots(1024) {}

    // The number of `mac`, or kNone when it is new.
    uint32_t find(uint64_t mac) const {
        for (size_t at = slotOf(mac);; at = (at + 1) & (m_slots.size() - 1)) {
            const Slot& slot = m_slots[at];
            if (slot.index == kNone || slot.mac == mac) {
                return slot.index;
            }
        }
    }

    // Gives a MAC that find() does not know the next number, and returns it.
    uint32_t add(uint64_t mac) {
        if (2 * (m_count + 1) > m_slots.size()) {
            grow();
        }
        place(mac, m_count);
        return m_count++;
    }

    uint32_t size() const { return m_count; }

private:
    struct Slot {
        uint64_t mac = 0;
        uint32_t index = kNone;
    };

    size_t slotOf(uint64_t mac) const {
        // Fibonacci hashing: vendors share their first three octets, so every
        // bit has to reach the top.
        return static_cast<size_t>((mac * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    void place(uint64_t mac, uint32_t index) {
        size_t at = slotOf(mac);
        while (m_slots[at].index != kNone) {
            at = (at + 1) & (m_slots.size() - 1);
        }
        m_slots[at] = {mac, index};
    }

    void grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        --m_shift;
        for (const Slot& slot : old) {
            if (slot.index != kNone) {
                place(slot.mac, slot.index);
            }
        }
    }

    std::vector<Slot> m_slots;
    int m_shift = 64 - 10; // 64 - log2 of the slot count
    uint32_t m_count = 0;
};

} // namespace wavemark
