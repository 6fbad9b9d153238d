#include "maps/TextOut.h"

#include "platform/Windows1252.h"
#include "survey/SurveyTime.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace wavemark {
namespace {

// Survey coordinates have seven decimals or fewer, and writing them is most
// of a map file's work. Below 10^8, doubles lie closer together than 10^-7,
// so when value is the double of n / 10^7 no other decimal of at most seven
// places reads back as it: n without its trailing zeros is the shortest
// form, the very text std::to_chars gives. False for any other value.
// "00" to "99", so that digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

char* pairAt(char* at, int64_t value) {
    std::memcpy(at, &kDigitPairs[static_cast<size_t>(value) * 2], 2);
    return at + 2;
}

bool appendSevenDecimals(std::string& out, double value) {
    constexpr double kScale = 1e7;
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e8)) {
        return false;
    }
    // Rounding by adding a half, not by a library call: a value it rounds
    // the wrong way fails the check below and takes the general path.
    const auto scaled = static_cast<int64_t>(magnitude * kScale + 0.5);
    if (static_cast<double>(scaled) / kScale != magnitude) {
        return false;
    }
    // The whole part (below 10^8) and the seven decimals, each written a
    // pair of digits at a time, the decimals' trailing zeros then dropped.
    std::array<char, 24> text;
    char* const point = text.data() + 9;
    const int64_t whole = scaled / 10'000'000;
    const int64_t fraction = scaled % 10'000'000;
    char* at = point + 1;
    at = pairAt(at, fraction / 100'000);
    at = pairAt(at, fraction / 1'000 % 100);
    at = pairAt(at, fraction / 10 % 100);
    *at++ = static_cast<char>('0' + fraction % 10);
    *point = '.';
    while (at[-1] == '0') {
        --at;
    }
    char* const end = at == point + 1 ? point : at;
    char* first = point;
    int64_t rest = whole;
    do {
        *--first = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (std::signbit(value)) {
        *--first = '-';
    }
    out.append(first, end);
    return true;
}

char* twoDigits(char* at, int64_t value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

} // namespace

TextOut& TextOut::decimal(double value, int mostDecimals) {
    if (appendSevenDecimals(m_out, value)) {
        return *this;
    }
    // The shortest fixed form of the smallest doubles takes over 300 digits,
    // which schema validators refuse.
    std::array<char, 400> digits;
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                              std::chars_format::fixed, mostDecimals)
                    .ptr;
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    const std::string_view text(digits.data(), static_cast<size_t>(end - digits.data()));
    m_out.append(text == "-0" ? "0" : text);
    return *this;
}

TextOut& TextOut::number(float value) {
    std::array<char, 64> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    m_out.append(digits.data(), end);
    return *this;
}

TextOut& TextOut::time(int64_t seconds) {
    const int64_t day = DayOf(seconds);
    const int64_t second = seconds - day * kSecondsPerDay;
    if (day != m_day) {
        m_day = day;
        m_date = CalendarDate(day) + 'T';
    }
    // A million trackpoints have a time each: the clock is put together in
    // place and appended once.
    std::array<char, 9> clock;
    char* at = twoDigits(clock.data(), second / 3600);
    *at++ = ':';
    at = twoDigits(at, second / 60 % 60);
    *at++ = ':';
    at = twoDigits(at, second % 60);
    *at = 'Z';
    m_out.append(m_date).append(clock.data(), clock.size());
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
