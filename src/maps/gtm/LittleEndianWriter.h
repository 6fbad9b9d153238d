#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace wavemark {

// Appends binary fields to a byte buffer in little-endian order, whatever the
// host's order. Every GTM record is written through it.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::string& out) : m_out(out) {}

    void u8(uint8_t value) { m_out.push_back(static_cast<char>(value)); }
    void i16(int16_t value) { unsignedLE(static_cast<uint16_t>(value), 2); }
    void i32(int32_t value) { unsignedLE(static_cast<uint32_t>(value), 4); }
    void f32(float value) { unsignedLE(std::bit_cast<uint32_t>(value), 4); }
    void f64(double value) { unsignedLE(std::bit_cast<uint64_t>(value), 8); }
    void flag(bool value) { i16(value ? -1 : 0); }

    // Exactly `width` bytes: cut, or padded on the right with spaces.
    void fixedText(std::string_view text, size_t width) {
        text = text.substr(0, width);
        m_out.append(text);
        m_out.append(width - text.size(), ' ');
    }

    // A 16-bit byte count and the bytes. Longer texts are cut to 32767 bytes
    // so that readers taking the count as signed still read it.
    void variableText(std::string_view text) {
        text = text.substr(0, kMaxVariableText);
        i16(static_cast<int16_t>(text.size()));
        m_out.append(text);
    }

    static constexpr size_t kMaxVariableText = 32767;

private:
    // Byte by byte into a small array, then one append: a million
    // trackpoints make 25 million bytes.
    void unsignedLE(uint64_t value, int bytes) {
        char le[8];
        for (int i = 0; i < bytes; ++i) {
            le[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        m_out.append(le, static_cast<size_t>(bytes));
    }

    std::string& m_out;
};

} // namespace wavemark
