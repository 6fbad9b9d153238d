#include "survey/BssidTable.h"

namespace wavemark {

std::pair<int32_t, bool> BssidTable::add(std::string_view bssid) {
    const auto next = static_cast<int32_t>(m_count);
    int32_t number = next;
    if (const auto address = CanonicalAddress(bssid)) {
        number = m_byAddress.insert(*address, next);
    } else {
        const auto [at, added] = m_byText.try_emplace(std::string(bssid), next);
        number = at->second;
        if (added) {
            m_textOf.resize(m_count + 1, nullptr);
            m_textOf.back() = &at->first;
        }
    }
    const bool added = number == next;
    m_count += added ? 1 : 0;
    return {number, added};
}

int32_t BssidTable::find(std::string_view bssid) const {
    if (const auto address = CanonicalAddress(bssid)) {
        return findAddress(*address);
    }
    const auto at = m_byText.find(bssid);
    return at == m_byText.end() ? -1 : at->second;
}

std::string BssidTable::textOf(int32_t number) const {
    const auto i = static_cast<size_t>(number);
    if (i < m_textOf.size() && m_textOf[i] != nullptr) {
        return *m_textOf[i];
    }
    return BssidText(m_byAddress.keyOf(number));
}

} // namespace wavemark
