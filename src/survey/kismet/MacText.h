#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavemark {

// The 48-bit address of a MAC as Kismet writes it, "00:0B:86:C2:E1:40"
// (hex digits of either case), its first octet in the top bits; nothing for
// any other text.
inline std::optional<uint64_t> ParseKismetMac(std::string_view text) {
    if (text.size() != 17) {
        return std::nullopt;
    }
    uint64_t address = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i % 3 == 2) {
            if (c != ':') {
                return std::nullopt;
            }
            continue;
        }
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        address = address << 4 | static_cast<uint64_t>(digit);
    }
    return address;
}

} // namespace wavemark
