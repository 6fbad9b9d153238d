#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// A BSSID as NetStumbler's exports write it, "( 00:0b:86:c2:e1:40 )" with
// lowercase hex digits: the form the survey model holds for every format, so
// that waypoint names and the grouping of readings are the same whichever
// file a survey came from.
inline std::string BssidText(const std::array<uint8_t, 6>& address) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string text = "( 00:00:00:00:00:00 )";
    for (size_t octet = 0; octet < 6; ++octet) {
        text[2 + octet * 3] = kHex[address[octet] >> 4];
        text[3 + octet * 3] = kHex[address[octet] & 0xF];
    }
    return text;
}

// The same of a 48-bit address, its first octet in the top bits.
inline std::string BssidText(uint64_t address) {
    std::array<uint8_t, 6> octets{};
    for (size_t i = 0; i < octets.size(); ++i) {
        octets[i] = static_cast<uint8_t>(address >> (40 - 8 * i));
    }
    return BssidText(octets);
}

// The 48-bit address of a BSSID in that form (lowercase hex digits only);
// nothing for any other text.
inline std::optional<uint64_t> CanonicalAddress(std::string_view bssid) {
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

} // namespace wavemark
