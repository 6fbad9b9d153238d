#include "platform/NumericPrefix.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace wavemark {
namespace {

// Walks the text while skipping blanks, so "1 2.5" reads as 12.5.
class BlankSkippingCursor {
public:
    explicit BlankSkippingCursor(std::string_view text) : m_text(text) { skipBlanks(); }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    void take(std::string& into) {
        into.push_back(m_text[m_pos++]);
        skipBlanks();
    }
    bool takeDigits(std::string& into) {
        bool any = false;
        while (std::isdigit(static_cast<unsigned char>(peek()))) {
            take(into);
            any = true;
        }
        return any;
    }

private:
    void skipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) {
            ++m_pos;
        }
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

// Whether the number (digits, ".", digits, optional exponent) has a magnitude
// below 1, from the place of its first non-zero digit and its exponent; the
// exponent saturates, so no count of digits can wrap it.
bool belowOne(std::string_view number) {
    const size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return true;
    }
    constexpr int64_t kLimit = int64_t{1} << 40;
    // The magnitude lies in [10^(order-1), 10^order): digits before the point
    // from the first non-zero one, or minus the zeros right after the point.
    int64_t order = first < point
                        ? static_cast<int64_t>(std::min<size_t>(point - first, kLimit))
                        : -static_cast<int64_t>(std::min<size_t>(first - point - 1, kLimit));
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = digits.starts_with('-');
        digits.remove_prefix(digits.starts_with('-') || digits.starts_with('+') ? 1 : 0);
        int64_t exponent = 0;
        for (const char digit : digits) {
            exponent = std::min(exponent * 10 + (digit - '0'), kLimit);
        }
        order += negative ? -exponent : exponent;
    }
    return order <= 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The common case, a number without blanks inside ("47.3770150"), read in
// place; nothing when blanks inside or a value out of range need the
// careful way.
std::optional<double> numberInPlace(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == '-';
    pos += pos < text.size() && (text[pos] == '-' || text[pos] == '+');
    const std::string_view rest = text.substr(pos);
    if (rest.empty() || !(std::isdigit(static_cast<unsigned char>(rest[0])) || rest[0] == '.') ||
        std::any_of(rest.begin(), rest.end(), isBlank)) {
        return std::nullopt;
    }
    if (const auto plain = PlainDecimal(rest)) {
        return negative ? -plain->value : plain->value;
    }
    double value = 0.0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0; // "." or ".e5": no digit
    }
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace

double NumericPrefix(std::string_view text) {
    if (const auto value = numberInPlace(text)) {
        return *value;
    }
    BlankSkippingCursor cursor(text);
    std::string number;
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        std::string sign;
        cursor.take(sign);
    }
    bool anyDigit = cursor.takeDigits(number);
    if (cursor.peek() == '.') {
        cursor.take(number);
        anyDigit = cursor.takeDigits(number) || anyDigit;
    }
    if (!anyDigit) {
        return 0.0;
    }
    if (cursor.peek() == 'e' || cursor.peek() == 'E') {
        std::string exponent;
        cursor.take(exponent);
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            cursor.take(exponent);
        }
        if (cursor.takeDigits(exponent)) {
            number += exponent;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone. Only an actual overflow is
        // infinity; anything below the smallest double is 0, however many
        // digits it is written with.
        value = belowOne(number) ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

} // namespace wavemark
