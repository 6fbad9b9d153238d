#pragma once

#include <array>
#include <cstdint>
#include <cstring>
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

    class Line;

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
    // The longest decimal: 309 digits before the point, a sign, the point
    // and up to 89 decimals.
    static constexpr size_t kLongestDecimal = 400;
    // The longest time: a date of any 64-bit second and its clock.
    static constexpr size_t kLongestTime = 64;

    // decimal() and time() written at `at`, which has room for the longest;
    // the end of what they wrote.
    static char* putDecimal(char* at, double value, int mostDecimals);
    char* putTime(char* at, int64_t seconds);

    std::string& m_out;
    // Consecutive times mostly fall on one day: its date is kept.
    int64_t m_day = INT64_MIN;
    // Copied whole: the longest date, of any 64-bit second, has 20 bytes.
    std::array<char, 32> m_date{};
    size_t m_dateSize = 0;
};

// Text put together in place and appended in blocks of a few kilobytes:
// the markup, decimals and times of a track's trackpoints then cost an
// append per few dozen points, not one per part. The parts go in through
// Runs. While a Line lives, its TextOut is written through it only.
class TextOut::Line {
public:
    class Run;

    // What one Run may hold: this much markup, two decimals and a time.
    static constexpr size_t kRunMarkup = 128;

    explicit Line(TextOut& out) : m_out(out) {}
    ~Line() { flush(); }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

private:
    static constexpr size_t kRunRoom = kRunMarkup + 2 * kLongestDecimal + kLongestTime;

    size_t room() const { return static_cast<size_t>(m_text.data() + m_text.size() - m_at); }
    void flush() {
        m_out.m_out.append(m_text.data(), m_at);
        m_at = m_text.data();
    }

    TextOut& m_out;
    std::array<char, 4 * kRunRoom> m_text;
    char* m_at = m_text.data();
};

// A trackpoint's parts written into its Line with no check of room each:
// room for the most a Run holds is made once. Its end is kept here, where
// the compiler can hold it in a register, and given back to the Line when
// the Run ends.
class TextOut::Line::Run {
public:
    explicit Run(Line& line) : m_line(line) {
        if (line.room() < kRunRoom) {
            line.flush();
        }
        m_at = line.m_at;
    }
    ~Run() { m_line.m_at = m_at; }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Run& operator<<(std::string_view markup) {
        std::memcpy(m_at, markup.data(), markup.size());
        m_at += markup.size();
        return *this;
    }

    Run& decimal(double value, int mostDecimals) {
        m_at = putDecimal(m_at, value, mostDecimals);
        return *this;
    }

    Run& time(int64_t seconds) {
        m_at = m_line.m_out.putTime(m_at, seconds);
        return *this;
    }

private:
    Line& m_line;
    char* m_at;
};

} // namespace wavemark
