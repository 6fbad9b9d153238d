#pragma once

#include "platform/TextList.h"
#include "survey/BssidTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavemark {

// The wanted access points grouped by exact BSSID bytes (see BssidTable),
// built once, so that each reading costs one look-up instead of a
// comparison with every access point. Access points that carry the same
// BSSID share a group, numbered from 0 in the order of their first access
// point.
class BssidGroups {
public:
    // The access points numbered 1 to `count` in `bssids`.
    BssidGroups(const TextList& bssids, size_t count);

    size_t count() const { return m_groups.size(); }
    // The group of the i-th wanted access point, from 0.
    int32_t ofAccessPoint(size_t i) const { return m_groupOf[i]; }
    // The group of a reading's BSSID, -1 for one that is not wanted.
    int32_t ofBssid(std::string_view bssid) const { return m_groups.find(bssid); }
    // The same for a BSSID in the canonical form, by its 48-bit address.
    int32_t ofAddress(uint64_t address) const { return m_groups.findAddress(address); }

private:
    BssidTable m_groups;
    std::vector<int32_t> m_groupOf;
};

} // namespace wavemark
