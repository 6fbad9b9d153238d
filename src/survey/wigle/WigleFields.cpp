#include "survey/wigle/WigleFields.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace wavemark {
namespace {

// The value of each hex digit, -1 for every other byte.
constexpr std::array<int8_t, 256> kHexValue = [] {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) {
        values[static_cast<size_t>('0' + i)] = static_cast<int8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        values[static_cast<size_t>('a' + i)] = values[static_cast<size_t>('A' + i)] =
            static_cast<int8_t>(10 + i);
    }
    return values;
}();

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

// Fields this short are parsed from a copy with zeros behind, 8 digits at a
// time.
constexpr size_t kShortField = 24;

constexpr uint64_t kIntegerPowersOfTen[] = {1,      10,      100,      1000,     10000,
                                            100000, 1000000, 10000000, 100000000};

// The value of 8 digit values (0..9), one per byte, the first lowest.
uint64_t eightDigits(uint64_t digits) {
    digits = digits * 10 + (digits >> 8); // pairs
    return ((digits & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
            ((digits >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
           32;
}

// Reads the digits at `pos` of a copy with at least 8 zeros behind its text
// into `value`, 8 at a time, and returns how many there were.
size_t readDigits(const char* padded, size_t& pos, uint64_t& value) {
    static_assert(std::endian::native == std::endian::little);
    size_t count = 0;
    for (;;) {
        uint64_t word = 0;
        std::memcpy(&word, padded + pos, 8);
        // A byte is a digit when, XOR '0', it is at most 9: adding 0x76 to
        // its low 7 bits then leaves the top bit clear, with no carry.
        const uint64_t values = word ^ 0x3030303030303030ULL;
        const uint64_t others =
            (((values & 0x7F7F7F7F7F7F7F7FULL) + 0x7676767676767676ULL) | values) &
            0x8080808080808080ULL;
        const size_t run = others == 0 ? 8 : static_cast<size_t>(std::countr_zero(others)) / 8;
        if (run > 0) {
            // The run's digits moved to the top, zeros (leading) below.
            value = value * kIntegerPowersOfTen[run] + eightDigits(values << (8 * (8 - run)));
        }
        count += run;
        pos += run;
        if (run < 8) {
            return count;
        }
    }
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::optional<uint64_t> ParseMac(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() != 17) {
        return std::nullopt;
    }
    uint64_t value = 0;
    int bad = 0;
    for (size_t octet = 0; octet < 6; ++octet) {
        const int high = kHexValue[static_cast<uint8_t>(text[octet * 3])];
        const int low = kHexValue[static_cast<uint8_t>(text[octet * 3 + 1])];
        const char separator = octet == 5 ? ':' : text[octet * 3 + 2];
        bad |= high | low | (separator != ':' && separator != '-' ? -1 : 0);
        value = value << 8 | static_cast<uint64_t>(high << 4 | low);
    }
    return bad < 0 ? std::nullopt : std::optional<uint64_t>(value);
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    // Up to 15 digits make a whole number below 2^53, and 10^22 is the
    // largest power of ten a double holds exactly: their quotient is then
    // the correctly rounded value, as from_chars gives it.
    if (text.size() <= kShortField) {
        std::array<char, kShortField + 8> padded{};
        std::copy(text.begin(), text.end(), padded.begin());
        size_t pos = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
        uint64_t digits = 0;
        const size_t whole = readDigits(padded.data(), pos, digits);
        size_t fraction = 0;
        if (padded[pos] == '.') {
            ++pos;
            fraction = readDigits(padded.data(), pos, digits);
        }
        if (pos == text.size() && whole + fraction > 0 && whole + fraction <= 15) {
            const double magnitude = static_cast<double>(digits) / kPowersOfTen[fraction];
            return text.starts_with('-') ? -magnitude : magnitude;
        }
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
