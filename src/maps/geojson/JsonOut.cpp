#include "maps/geojson/JsonOut.h"

#include <array>

namespace wavemark {
namespace {

// Bytes that stand for themselves in a JSON string.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x80; ++b) {
        plain[static_cast<size_t>(b)] = true;
    }
    plain['"'] = plain['\\'] = false;
    return plain;
}();

void escape(std::string& out, char c) {
    if (c == '"' || c == '\\') {
        out += '\\';
        out += c;
        return;
    }
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

} // namespace

JsonOut& JsonOut::string(std::string_view utf8) {
    out() += '"';
    // Every Unicode character may stand in a JSON string, U+FFFE too.
    escapedUtf8(utf8, kPlain, escape, [](std::string_view) { return false; });
    out() += '"';
    return *this;
}

JsonOut& JsonOut::coordinate(double degrees) {
    decimal(degrees, kCoordinateDecimals);
    return *this;
}

} // namespace wavemark
