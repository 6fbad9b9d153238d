#include "survey/BssidGroups.h"

#include "survey/BssidText.h"

namespace wavemark {

BssidGroups::BssidGroups(const TextList& bssids, size_t count) : m_byAddress(count) {
    m_groupOf.reserve(count);
    for (size_t i = 1; i <= count; ++i) {
        const std::string_view bssid = bssids[i];
        const auto next = static_cast<int32_t>(m_count);
        const auto address = CanonicalAddress(bssid);
        const int32_t group = address ? m_byAddress.insert(*address, next)
                                      : m_byText.try_emplace(bssid, next).first->second;
        m_count += group == next;
        m_groupOf.push_back(group);
    }
}

int32_t BssidGroups::ofBssid(std::string_view bssid) const {
    if (const auto address = CanonicalAddress(bssid)) {
        return ofAddress(*address);
    }
    const auto it = m_byText.find(bssid);
    return it == m_byText.end() ? -1 : it->second;
}

} // namespace wavemark
