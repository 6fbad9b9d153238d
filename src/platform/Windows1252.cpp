#include "platform/Windows1252.h"

#include <array>
#include <cstdint>

namespace wavemark {
namespace {

// Unicode code points of the bytes 0x80..0x9F; 0 where the byte is unused.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    // The five unused bytes came in as their C1 controls: they go back.
    if (codePoint < 0xA0 && kHighControls[codePoint - 0x80] == 0) {
        return static_cast<char>(codePoint);
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Length of the UTF-8 sequence at `pos` and its code point, or 0 when the
// bytes there are no valid sequence.
size_t decode(std::string_view text, size_t pos, char32_t& codePoint) {
    const auto lead = static_cast<uint8_t>(text[pos]);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool invalid = codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF);
    return overlong || invalid ? 0 : length;
}

// One Windows-1252 byte appended to `text` as UTF-8.
void appendUtf8(char byte, std::string& text) {
    const auto b = static_cast<uint8_t>(byte);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) {
        c = kHighControls[b - 0x80];
    }
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
    char32_t codePoint = 0;
    return static_cast<uint8_t>(text[pos]) < 0x80 ? 1 : decode(text, pos, codePoint);
}

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<uint8_t>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string ToWindows1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        if (static_cast<uint8_t>(utf8[pos]) < 0x80) {
            bytes.push_back(utf8[pos++]);
            continue;
        }
        char32_t codePoint = 0;
        const size_t length = decode(utf8, pos, codePoint);
        if (length == 0) {
            bytes.push_back(utf8[pos++]);
            continue;
        }
        bytes.push_back(toByte(codePoint));
        pos += length;
    }
    return bytes;
}

std::string Utf8OrWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) {
            appendUtf8(bytes[pos++], text);
        } else {
            text.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return text;
}

std::string FromWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(byte, text);
    }
    return text;
}

} // namespace wavemark
