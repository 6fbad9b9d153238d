#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// Appends a text map file to a buffer: markup as given, and numbers, times
// and colours in the forms GPX, KML and GeoJSON readers all take. XmlOut and
// JsonOut add their formats' escaped texts. Holds no document: what is
// appended stays appended.
class TextOut {
public:
    // U+FFFD, what a byte of no character becomes.
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

    explicit TextOut(std::string& buffer) : m_out(buffer) {}

    TextOut& operator<<(std::string_view markup) {
        m_out.append(markup);
        return *this;
    }

    // A fixed-point decimal, never an exponent, which xsd:decimal does not
    // allow: the shortest that reads back as the same double when that has
    // seven decimals or fewer (every survey coordinate), otherwise rounded to
    // `mostDecimals`. Not for NaN or infinity, which neither XML decimals nor
    // JSON numbers can hold.
    TextOut& decimal(double value, int mostDecimals);

    // The shortest form that reads back as the same float.
    TextOut& number(float value);

    // A moment as ISO 8601 UTC, "2004-04-08T23:59:10Z", from UTC seconds
    // since 1970-01-01; not kNoTime.
    TextOut& time(int64_t seconds);

    // A 0x00BBGGRR colour as "RRGGBB".
    TextOut& rgbHex(int32_t bgr);

protected:
    using ByteSet = std::array<bool, 256>;

    std::string& out() { return m_out; }

    // Appends UTF-8 text: the bytes in `plain` as they are, any other ASCII
    // byte as `escape` writes it, a whole character as it is unless
    // `refused` says otherwise, and each byte that starts no character as
    // U+FFFD, so that the result is UTF-8 whatever the bytes.
    void escapedUtf8(std::string_view utf8, const ByteSet& plain,
                     void (*escape)(std::string& out, char c),
                     bool (*refused)(std::string_view character));

private:
    std::string& m_out;
    // Consecutive times mostly fall on one day: its date is kept.
    int64_t m_day = INT64_MIN;
    std::string m_date;
};

} // namespace wavemark
