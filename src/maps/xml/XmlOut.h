#pragma once

#include "maps/TextOut.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// Appends XML to a buffer: markup as given; UTF-8 texts escaped; numbers and
// times in the forms GPX and KML readers take.
class XmlOut : public TextOut {
public:
    explicit XmlOut(std::string& buffer) : TextOut(buffer) {}

    // UTF-8 as element or attribute text. The five markup characters become
    // entities and a CR a character reference; a character XML 1.0 forbids,
    // or a byte that is not UTF-8, becomes U+FFFD. The result holds no ">",
    // so it may also stand as HTML text inside a CDATA section.
    XmlOut& text(std::string_view utf8);

    // A decimal as TextOut writes it, rounded to nine decimals, a tenth of a
    // millimetre on the ground, where it has more than seven.
    XmlOut& decimal(double value);
    using TextOut::decimal;
    static constexpr int kMostDecimals = 9;

    // A 0x00BBGGRR colour as KML's "ffbbggrr" (opaque).
    XmlOut& kmlColor(int32_t bgr);
};

} // namespace wavemark
