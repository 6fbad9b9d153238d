#include "maps/xml/XmlOut.h"

#include <array>

namespace wavemark {
namespace {

// Bytes that stand for themselves in XML text.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x80; ++b) {
        plain[static_cast<size_t>(b)] = true;
    }
    for (const char c : {'<', '>', '&', '"', '\''}) {
        plain[static_cast<unsigned char>(c)] = false;
    }
    plain['\t'] = plain['\n'] = true;
    return plain;
}();

std::string_view replacementOf(char c) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    case '\'':
        return "&apos;";
    // A CR as such would reach the reader as a line feed.
    case '\r':
        return "&#13;";
    default:
        return TextOut::kReplacement;
    }
}

// U+FFFE and U+FFFF are valid UTF-8 but no XML characters.
bool isNonCharacter(std::string_view sequence) {
    return sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
}

} // namespace

XmlOut& XmlOut::text(std::string_view utf8) {
    escapedUtf8(
        utf8, kPlain, [](std::string& out, char c) { out.append(replacementOf(c)); },
        isNonCharacter);
    return *this;
}

XmlOut& XmlOut::decimal(double value) {
    TextOut::decimal(value, kMostDecimals);
    return *this;
}

XmlOut& XmlOut::kmlColor(int32_t bgr) {
    constexpr char kHex[] = "0123456789abcdef";
    out() += "ff";
    for (const int shift : {16, 8, 0}) {
        const auto channel = static_cast<uint32_t>(bgr) >> shift;
        out() += kHex[channel >> 4 & 0xF];
        out() += kHex[channel & 0xF];
    }
    return *this;
}

} // namespace wavemark
