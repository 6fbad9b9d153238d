#include "NumericPrefix.h"

#include <cctype>
#include <charconv>
#include <limits>
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

} // namespace

double NumericPrefix(std::string_view text) {
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
        // from_chars leaves the value alone; a huge exponent means infinity,
        // a tiny one zero.
        const auto e = number.find_first_of("eE");
        const bool tiny = e != std::string::npos && number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

} // namespace wavemark
