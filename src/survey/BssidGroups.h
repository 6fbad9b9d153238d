#pragma once

#include "platform/FlatIndex.h"
#include "platform/TextList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wavemark {

// The wanted access points by exact BSSID bytes, built once, so that each
// reading costs one look-up instead of a comparison with every access point.
// A BSSID in the canonical form "( 00:0b:86:c2:e1:40 )" (lowercase hex) is
// keyed by its address, any other by its text: the canonical form is one
// text per address, so two BSSIDs that differ in any byte never meet.
// Access points that carry the same BSSID share a group, numbered from 0 in
// the order of their first access point.
class BssidGroups {
public:
    // The access points numbered 1 to `count` in `bssids`, which must
    // outlive the groups unchanged.
    BssidGroups(const TextList& bssids, size_t count);

    size_t count() const { return m_count; }
    // The group of the i-th wanted access point, from 0.
    int32_t ofAccessPoint(size_t i) const { return m_groupOf[i]; }
    // The group of a reading's BSSID, -1 for one that is not wanted.
    int32_t ofBssid(std::string_view bssid) const;
    // The same for a BSSID in the canonical form, by its 48-bit address.
    int32_t ofAddress(uint64_t address) const { return m_byAddress.find(address); }

private:
    FlatIndex m_byAddress;
    std::unordered_map<std::string_view, int32_t> m_byText;
    std::vector<int32_t> m_groupOf;
    size_t m_count = 0;
};

} // namespace wavemark
