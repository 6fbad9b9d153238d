#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// Appends XML to a buffer: markup as given; texts escaped and turned from the
// survey's Windows-1252 bytes into UTF-8; numbers and times in the forms GPX
// and KML readers take. Holds no document: what is appended stays appended.
class XmlOut {
public:
    explicit XmlOut(std::string& buffer) : m_out(buffer) {}

    XmlOut& operator<<(std::string_view markup) {
        m_out.append(markup);
        return *this;
    }

    // Survey bytes as element or attribute text. The five markup characters
    // become entities and a CR a character reference; a control character
    // XML 1.0 forbids becomes U+FFFD. The result holds no ">", so it may also
    // stand as HTML text inside a CDATA section.
    XmlOut& text(std::string_view windows1252);

    // The shortest fixed-point decimal that reads back as the same double:
    // never an exponent, which xsd:decimal does not allow.
    XmlOut& decimal(double value);

    // The shortest form that reads back as the same float.
    XmlOut& number(float value);

    // A moment as ISO 8601 UTC, "2004-04-08T23:59:10Z", from seconds since
    // 1989-12-31 00:00:00 (the survey's times) or since 1970-01-01.
    XmlOut& surveyTime(int64_t seconds);
    XmlOut& unixTime(int64_t seconds);

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
