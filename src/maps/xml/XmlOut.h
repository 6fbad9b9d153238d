#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// Appends XML to a buffer: markup as given; UTF-8 texts escaped; numbers and
// times in the forms GPX and KML readers take. Holds no document: what is
// appended stays appended.
class XmlOut {
public:
    explicit XmlOut(std::string& buffer) : m_out(buffer) {}

    XmlOut& operator<<(std::string_view markup) {
        m_out.append(markup);
        return *this;
    }

    // UTF-8 as element or attribute text. The five markup characters become
    // entities and a CR a character reference; a character XML 1.0 forbids,
    // or a byte that is not UTF-8, becomes U+FFFD. The result holds no ">",
    // so it may also stand as HTML text inside a CDATA section.
    XmlOut& text(std::string_view utf8);

    // A fixed-point decimal, never an exponent, which xsd:decimal does not
    // allow: the shortest that reads back as the same double when that has
    // seven decimals or fewer (every survey coordinate), otherwise rounded
    // to nine, a tenth of a millimetre on the ground.
    XmlOut& decimal(double value);

    // The shortest form that reads back as the same float.
    XmlOut& number(float value);

    // A moment as ISO 8601 UTC, "2004-04-08T23:59:10Z", from UTC seconds
    // since 1970-01-01; not kNoTime.
    XmlOut& time(int64_t seconds);

    // A 0x00BBGGRR colour as "RRGGBB" or as KML's "ffbbggrr" (opaque).
    XmlOut& rgbHex(int32_t bgr);
    XmlOut& kmlColor(int32_t bgr);

private:
    std::string& m_out;
    // Consecutive times mostly fall on one day: its date is kept.
    int64_t m_day = INT64_MIN;
    std::string m_date;
};

} // namespace wavemark
