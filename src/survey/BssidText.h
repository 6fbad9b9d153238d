#pragma once

#include <array>
#include <cstdint>
#include <string>

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

} // namespace wavemark
