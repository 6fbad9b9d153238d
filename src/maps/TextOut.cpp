#include "maps/TextOut.h"

#include "platform/Windows1252.h"
#include "survey/SurveyTime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace wavemark {
namespace {

// The eight decimal digits of n < 10^8, leading zeros included, as bytes
// 0 to 9, the first digit in the lowest byte: the number is split in halves,
// the halves in pairs and the pairs in digits, each step in the lanes of one
// word by multiplying with a reciprocal, so no digit waits on another.
uint64_t eightDigits(uint64_t n) {
    static_assert(std::endian::native == std::endian::little);
    const uint64_t halves = n / 10'000 | (n % 10'000) << 32;
    // y * 5243 >> 19 is y / 100 for y < 43,699.
    const uint64_t hundreds = (halves * 5243 >> 19) & 0x0000'007F'0000'007F;
    const uint64_t pairs = hundreds | (halves - hundreds * 100) << 16;
    // z * 103 >> 10 is z / 10 for z < 179.
    const uint64_t tens = (pairs * 103 >> 10) & 0x000F'000F'000F'000F;
    return tens | (pairs - tens * 10) << 8;
}

constexpr uint64_t kAsciiZeros = 0x3030'3030'3030'3030;

// Survey coordinates have seven decimals or fewer, and writing them is most
// of a map file's work. Below 10^8, doubles lie closer together than 10^-7,
// so when value is the double of n / 10^7 no other decimal of at most seven
// places reads back as it: n without its trailing zeros is the shortest
// form, the very text std::to_chars gives. Writes it at `at`, which has room
// for 24 bytes, and gives its end; nullptr for any other value.
char* sevenDecimals(char* at, double value) {
    constexpr double kScale = 1e7;
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e8)) {
        return nullptr;
    }
    // Rounding by adding a half, not by a library call: a value it rounds
    // the wrong way fails the check below and takes the general path.
    const auto scaled = static_cast<uint64_t>(magnitude * kScale + 0.5);
    if (static_cast<double>(scaled) / kScale != magnitude) {
        return nullptr;
    }
    const uint64_t whole = scaled / 10'000'000;
    const uint64_t fraction = scaled % 10'000'000;
    *at = '-';
    at += std::signbit(value) ? 1 : 0;
    // Both parts are stored as whole words and the end moved past what
    // counts: the whole part without its leading zeros, "0" for none...
    const uint64_t wholeDigits = eightDigits(whole);
    const int leading = std::min(std::countr_zero(wholeDigits) / 8, 7);
    const uint64_t wholeText = wholeDigits >> (8 * leading) | kAsciiZeros;
    std::memcpy(at, &wholeText, sizeof wholeText);
    at += 8 - leading;
    if (fraction == 0) {
        return at;
    }
    // ... and the seven decimals without their trailing zeros, the eighth
    // digit being the zero of fraction * 10.
    const uint64_t decimals = eightDigits(fraction * 10);
    const uint64_t decimalsText = decimals | kAsciiZeros;
    *at = '.';
    std::memcpy(at + 1, &decimalsText, sizeof decimalsText);
    return at + 1 + (8 - std::countl_zero(decimals) / 8);
}

char* twoDigits(char* at, int64_t value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

} // namespace

char* TextOut::putDecimal(char* at, double value, int mostDecimals) {
    if (char* const end = sevenDecimals(at, value)) {
        return end;
    }
    char* end =
        std::to_chars(at, at + kLongestDecimal, value, std::chars_format::fixed, mostDecimals).ptr;
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    if (end - at == 2 && at[0] == '-' && at[1] == '0') {
        at[0] = '0';
        return at + 1;
    }
    return end;
}

TextOut& TextOut::decimal(double value, int mostDecimals) {
    std::array<char, kLongestDecimal> digits;
    m_out.append(digits.data(), putDecimal(digits.data(), value, mostDecimals));
    return *this;
}

TextOut& TextOut::number(float value) {
    std::array<char, 64> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    m_out.append(digits.data(), end);
    return *this;
}

char* TextOut::putTime(char* at, int64_t seconds) {
    const int64_t day = DayOf(seconds);
    const int64_t second = seconds - day * kSecondsPerDay;
    if (day != m_day) {
        m_day = day;
        const std::string date = CalendarDate(day) + 'T';
        m_dateSize = date.size();
        std::memcpy(m_date.data(), date.data(), m_dateSize);
    }
    std::memcpy(at, m_date.data(), m_date.size());
    at += m_dateSize;
    at = twoDigits(at, second / 3600);
    *at++ = ':';
    at = twoDigits(at, second / 60 % 60);
    *at++ = ':';
    at = twoDigits(at, second % 60);
    *at++ = 'Z';
    return at;
}

TextOut& TextOut::time(int64_t seconds) {
    std::array<char, kLongestTime> text;
    m_out.append(text.data(), putTime(text.data(), seconds));
    return *this;
}

TextOut& TextOut::rgbHex(int32_t bgr) {
    constexpr char kHex[] = "0123456789ABCDEF";
    for (const int shift : {0, 8, 16}) {
        const auto channel = static_cast<uint32_t>(bgr) >> shift;
        m_out += kHex[channel >> 4 & 0xF];
        m_out += kHex[channel & 0xF];
    }
    return *this;
}

void TextOut::escapedUtf8(std::string_view utf8, const ByteSet& plain,
                          void (*escape)(std::string& out, char c),
                          bool (*refused)(std::string_view character)) {
    size_t plainFrom = 0;
    for (size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        if (plain[static_cast<unsigned char>(c)]) {
            ++i;
            continue;
        }
        m_out.append(utf8.substr(plainFrom, i - plainFrom));
        if (static_cast<unsigned char>(c) < 0x80) {
            escape(m_out, c);
            ++i;
        } else if (const size_t length = Utf8SequenceLength(utf8, i);
                   length == 0 || refused(utf8.substr(i, length))) {
            m_out.append(kReplacement);
            i += std::max<size_t>(length, 1);
        } else {
            m_out.append(utf8.substr(i, length));
            i += length;
        }
        plainFrom = i;
    }
    m_out.append(utf8.substr(plainFrom));
}

} // namespace wavemark
