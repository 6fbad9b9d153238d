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

// Digits are stored as whole words, the first digit in the lowest byte.
static_assert(std::endian::native == std::endian::little);

constexpr uint64_t kAsciiZeros = 0x3030'3030'3030'3030;

// "0000" to "9999" as words, the first digit in the lowest byte: a
// coordinate's whole part and its seven decimals are three look-ups.
constexpr std::array<uint32_t, 10'000> kFourDigits = [] {
    std::array<uint32_t, 10'000> words{};
    for (uint32_t n = 0; n < words.size(); ++n) {
        words[n] = (0x30 + n / 1000) | (0x30 + n / 100 % 10) << 8 | (0x30 + n / 10 % 10) << 16 |
                   (0x30 + n % 10) << 24;
    }
    return words;
}();

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
    // The whole part without its leading zeros, "0" for none, stored as a
    // whole word and the end moved past what counts...
    if (whole < 10'000) {
        const size_t digits = 1 + (whole >= 10) + (whole >= 100) + (whole >= 1000);
        const uint32_t wholeText = kFourDigits[whole] >> (8 * (4 - digits));
        std::memcpy(at, &wholeText, sizeof wholeText);
        at += digits;
    } else {
        // Whole parts of 10^4 and more, which no coordinate has: eight
        // digits, the leading zeros dropped.
        uint64_t wholeText = kFourDigits[whole / 10'000] | uint64_t{kFourDigits[whole % 10'000]}
                                                               << 32;
        const int leading = std::countr_zero(wholeText - kAsciiZeros) / 8;
        wholeText >>= 8 * leading;
        std::memcpy(at, &wholeText, sizeof wholeText);
        at += 8 - leading;
    }
    if (fraction == 0) {
        return at;
    }
    // ... then the seven decimals, the first three and the last four, the
    // trailing zeros dropped.
    const uint64_t decimalsText =
        kFourDigits[fraction / 10'000] >> 8 | uint64_t{kFourDigits[fraction % 10'000]} << 24;
    *at = '.';
    std::memcpy(at + 1, &decimalsText, sizeof decimalsText);
    const uint64_t decimals = decimalsText - (kAsciiZeros >> 8);
    return at + 1 + (8 - std::countl_zero(decimals) / 8);
}

// The last two digits of kFourDigits[n], n < 100, in the lowest bytes.
uint64_t twoDigits(int64_t n) {
    return kFourDigits[static_cast<size_t>(n)] >> 16;
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
    // "hh:mm:ssZ", the first eight bytes stored as one word.
    const uint64_t clock = twoDigits(second / 3600) | uint64_t{':'} << 16 |
                           twoDigits(second / 60 % 60) << 24 | uint64_t{':'} << 40 |
                           twoDigits(second % 60) << 48;
    std::memcpy(at, &clock, sizeof clock);
    at[8] = 'Z';
    return at + 9;
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
