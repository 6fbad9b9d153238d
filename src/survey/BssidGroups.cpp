#include "survey/BssidGroups.h"

#include <optional>

namespace wavemark {
namespace {

// "( 00:0b:86:c2:e1:40 )" with lowercase hex digits, as NetStumbler writes a
// BSSID, gives its 48-bit address; any other text gives nothing.
std::optional<uint64_t> canonicalAddress(std::string_view bssid) {
    if (bssid.size() != 21 || !bssid.starts_with("( ") || !bssid.ends_with(" )")) {
        return std::nullopt;
    }
    uint64_t address = 0;
    for (size_t octet = 0; octet < 6; ++octet) {
        const size_t at = 2 + octet * 3;
        if (octet > 0 && bssid[at - 1] != ':') {
            return std::nullopt;
        }
        for (size_t k = at; k < at + 2; ++k) {
            const char c = bssid[k];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            address = address << 4 | static_cast<uint64_t>(digit);
        }
    }
    return address;
}

} // namespace

BssidGroups::BssidGroups(std::span<const std::string> bssids) {
    m_groupOf.reserve(bssids.size());
    for (const std::string& text : bssids) {
        const std::string_view bssid = text;
        const auto next = static_cast<int32_t>(m_count);
        const auto address = canonicalAddress(bssid);
        const int32_t group = address ? m_byAddress.try_emplace(*address, next).first->second
                                      : m_byText.try_emplace(bssid, next).first->second;
        m_count += group == next;
        m_groupOf.push_back(group);
    }
}

int32_t BssidGroups::ofBssid(std::string_view bssid) const {
    if (const auto address = canonicalAddress(bssid)) {
        return ofAddress(*address);
    }
    const auto it = m_byText.find(bssid);
    return it == m_byText.end() ? -1 : it->second;
}

} // namespace wavemark
