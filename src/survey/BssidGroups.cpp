#include "survey/BssidGroups.h"

namespace wavemark {

BssidGroups::BssidGroups(const TextList& bssids, size_t count) : m_groups(count) {
    m_groupOf.reserve(count);
    for (size_t i = 1; i <= count; ++i) {
        m_groupOf.push_back(m_groups.add(bssids[i]).first);
    }
}

} // namespace wavemark
