#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace wavemark {

// The value of the number a text begins with: blanks and tabs are skipped
// wherever they stand, then an optional sign, digits, an optional "." and
// digits, and an optional exponent are read up to the first character that
// does not fit. "." is the decimal point in every locale. A text that does
// not begin with a number gives 0.
double NumericPrefix(std::string_view text);

// The plain decimal a text begins with ("47.3770150": digits and at most one
// "."), the bytes it takes and how many of its digits follow the point;
// nothing when it has no digit, more than 15 significant or fraction digits,
// or an exponent after it.
struct PlainNumber {
    double value;
    size_t length;
    int fractionDigits;
};

// 10^0 to 10^15, each an exact double.
inline constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Coordinates are short plain decimals ("47.3770150"). With at most 15
// significant digits, both the digits as a whole number and the power of
// ten are exact doubles, and one IEEE division rounds correctly: the very
// double that from_chars gives, without its general machinery. Inline: it
// reads each coordinate of a survey.
inline std::optional<PlainNumber> PlainDecimal(std::string_view text) {
    constexpr int kMaxDigits = 15;
    uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    bool point = false;
    size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            if (digits != 0 || c != '0') {
                ++count;
            }
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            fraction += point;
            if (count > kMaxDigits || fraction > kMaxDigits) {
                return std::nullopt;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    const bool anyDigit = pos > static_cast<size_t>(point);
    if (!anyDigit || (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E'))) {
        return std::nullopt;
    }
    return PlainNumber{static_cast<double>(digits) / kExactPowersOfTen[fraction], pos, fraction};
}

// The value of the `count` (1 to 8) ASCII digits that end at `end`, read as
// one 64-bit word from the eight bytes before `end`, which must be readable;
// nothing when one of the digits is no digit.
inline std::optional<uint64_t> DigitsEndingAt(const char* end, size_t count) {
    if constexpr (std::endian::native != std::endian::little) {
        return std::nullopt;
    }
    constexpr uint64_t kZeros = 0x3030303030303030;
    uint64_t word = 0;
    std::memcpy(&word, end - 8, sizeof word);
    // The last byte is the highest: the digits are the top `count` bytes,
    // and the bytes below them become leading zeros.
    const uint64_t digits = count >= 8 ? ~uint64_t{0} : ~uint64_t{0} << (64 - 8 * count);
    word = (word & digits) | (kZeros & ~digits);
    // Every byte 0x30 to 0x39 (a carry only turns a digit away).
    if ((word & 0xF0F0F0F0F0F0F0F0) != kZeros ||
        ((word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) != kZeros) {
        return std::nullopt;
    }
    // Pairs of digits, then fours, then the eight (the first digit in the
    // lowest byte).
    word -= kZeros;
    word = word * 10 + (word >> 8);
    return ((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
            ((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
           32;
}

// A survey's coordinates in their usual form, "47.3770150": one to three
// whole digits, a point and one to eight decimals, eight bytes or more in
// all. Read as PlainDecimal reads them, to the same double, but the
// decimals at once; nothing for any other text, which PlainDecimal takes.
inline std::optional<double> ShortDecimal(std::string_view text) {
    const size_t point = text.find('.');
    if (text.size() < 8 || point == 0 || point > 3 || text.size() - point - 1 > 8) {
        return std::nullopt;
    }
    const size_t decimals = text.size() - point - 1;
    uint64_t whole = 0;
    for (size_t i = 0; i < point; ++i) {
        const auto digit = static_cast<unsigned>(text[i] - '0');
        if (digit > 9) {
            return std::nullopt;
        }
        whole = whole * 10 + digit;
    }
    const auto fraction = DigitsEndingAt(text.data() + text.size(), decimals);
    if (!fraction) {
        return std::nullopt;
    }
    const double scale = kExactPowersOfTen[decimals];
    return static_cast<double>(whole * static_cast<uint64_t>(scale) + *fraction) / scale;
}

} // namespace wavemark
