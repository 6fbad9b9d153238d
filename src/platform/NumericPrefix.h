#pragma once

#include <cstddef>
#include <cstdint>
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

// Coordinates are short plain decimals ("47.3770150"). With at most 15
// significant digits, both the digits as a whole number and the power of
// ten are exact doubles, and one IEEE division rounds correctly: the very
// double that from_chars gives, without its general machinery. Inline: it
// reads each coordinate of a survey.
inline std::optional<PlainNumber> PlainDecimal(std::string_view text) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
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
    return PlainNumber{static_cast<double>(digits) / kPowersOfTen[fraction], pos, fraction};
}

} // namespace wavemark
