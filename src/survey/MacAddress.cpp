#include "survey/MacAddress.h"

#include "platform/HexDigits.h"
#include "platform/TextTrim.h"

namespace wavemark {

std::optional<uint64_t> ParseMac(std::string_view text) {
    text = Trim(text, kBlanks);
    if (text.size() != 17) {
        return std::nullopt;
    }
    uint64_t value = 0;
    int bad = 0;
    for (size_t octet = 0; octet < 6; ++octet) {
        const int high = kHexDigitValue[static_cast<uint8_t>(text[octet * 3])];
        const int low = kHexDigitValue[static_cast<uint8_t>(text[octet * 3 + 1])];
        const char separator = octet == 5 ? ':' : text[octet * 3 + 2];
        bad |= high | low | (separator != ':' && separator != '-' ? -1 : 0);
        value = value << 8 | static_cast<uint64_t>(high << 4 | low);
    }
    return bad < 0 ? std::nullopt : std::optional<uint64_t>(value);
}

} // namespace wavemark
