#include "survey/wigle/WigleFields.h"

#include "platform/HexDigits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace wavemark {
namespace {

// Clearing bit 5 makes a lowercase ASCII letter uppercase and never makes a
// letter of anything else.
char upperAscii(char c) {
    return static_cast<char>(c & ~0x20);
}

bool sameLetters(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (upperAscii(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

constexpr uint32_t pack(std::string_view letters) {
    uint32_t word = 0;
    for (const char c : letters) {
        word = word << 8 | static_cast<uint8_t>(c);
    }
    return word;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    // Up to 15 digits make a whole number below 2^53, and 10^22 is the
    // largest power of ten a double holds exactly: their quotient is then
    // the correctly rounded value, as from_chars gives it.
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    p += p < end && (*p == '-' || *p == '+') ? 1 : 0;
    uint64_t digits = 0;
    const char* const whole = p;
    for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p) {
        digits = digits * 10 + static_cast<unsigned>(*p - '0');
    }
    ptrdiff_t count = p - whole;
    ptrdiff_t fraction = 0;
    if (p < end && *p == '.') {
        const char* const first = ++p;
        for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p) {
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
        }
        fraction = p - first;
        count += fraction;
    }
    if (p == end && count > 0 && count <= 15) {
        const double magnitude = static_cast<double>(digits) / kPowersOfTen[fraction];
        return negative ? -magnitude : magnitude;
    }
    // Long fractions and exponents: the library's exact parse.
    const std::string_view number = text.starts_with('+') ? text.substr(1) : text;
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    const bool signs = number.starts_with('+') || (number.starts_with('-') && text[0] == '+');
    if (signs || result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        !std::isfinite(value) || number.find_first_of("nNiI") != std::string_view::npos) {
        return std::nullopt;
    }
    return value;
}

AuthClass ClassifyAuthMode(std::string_view text) {
    uint32_t window = 0; // the last four characters, uppercased
    bool guarded = false;
    bool adHoc = false;
    for (const char c : text) {
        const char upper = upperAscii(c);
        window = window << 8 | static_cast<uint8_t>(upper);
        const uint32_t three = window & 0xFFFFFF;
        // Each name is looked for where its last letter stands.
        switch (upper) {
        case 'P':
            guarded |= three == pack("WEP") || three == pack("EAP");
            break;
        case 'A':
            guarded |= three == pack("WPA");
            break;
        case 'N':
            guarded |= three == pack("RSN");
            break;
        case 'K':
            guarded |= three == pack("PSK");
            break;
        case 'E':
            guarded |= three == pack("SAE") || three == pack("OWE");
            break;
        case 'S':
            adHoc |= window == pack("IBSS");
            break;
        default:
            break;
        }
    }
    return {guarded ? Protection::Protected : Protection::Open, adHoc};
}

bool IsRadioTypeName(std::string_view text) {
    text = TrimBlanks(text);
    for (const std::string_view name :
         {"WIFI", "BT", "BLE", "GSM", "CDMA", "WCDMA", "LTE", "NR", "NFC"}) {
        if (sameLetters(text, name)) {
            return true;
        }
    }
    return false;
}

bool IsWifiType(std::string_view text) {
    return sameLetters(TrimBlanks(text), "WIFI");
}

} // namespace wavemark
