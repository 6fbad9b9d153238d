#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavemark {

// A GTM text of variable length is cut to this many bytes, so that its 16-bit
// count never wraps and readers taking the count as signed still read it.
inline constexpr size_t kMaxVariableText = 32767;

// Appends binary fields to a byte buffer in little-endian order, whatever the
// host's order. Every GTM record is written through it.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::string& out) : m_out(out) {}

    void u8(uint8_t value) { m_out.push_back(static_cast<char>(value)); }
    void i16(int16_t value) { unsignedLE(static_cast<uint16_t>(value)); }
    void i32(int32_t value) { unsignedLE(static_cast<uint32_t>(value)); }
    void f32(float value) { unsignedLE(std::bit_cast<uint32_t>(value)); }
    void f64(double value) { unsignedLE(std::bit_cast<uint64_t>(value)); }
    void flag(bool value) { i16(value ? -1 : 0); }

    // Exactly `width` bytes: cut, or padded on the right with spaces.
    void fixedText(std::string_view text, size_t width) {
        text = text.substr(0, width);
        m_out.append(text);
        m_out.append(width - text.size(), ' ');
    }

    // A 16-bit byte count and the bytes, cut to kMaxVariableText.
    void variableText(std::string_view text) {
        text = text.substr(0, kMaxVariableText);
        i16(static_cast<int16_t>(text.size()));
        m_out.append(text);
    }

private:
    // Byte by byte into a small array, then one append: a million
    // trackpoints make 25 million bytes.
    template <class Unsigned> void unsignedLE(Unsigned value) {
        char le[sizeof value];
        for (size_t i = 0; i < sizeof value; ++i) {
            le[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        m_out.append(le, sizeof value);
    }

    std::string& m_out;
};

// Takes the same fields as LittleEndianWriter and only counts their bytes,
// at compile time too, so that a record's field list can be checked against
// the record size the format gives.
class ByteCount {
public:
    constexpr void u8(uint8_t) { m_size += sizeof(uint8_t); }
    constexpr void i16(int16_t) { m_size += sizeof(int16_t); }
    constexpr void i32(int32_t) { m_size += sizeof(int32_t); }
    constexpr void f32(float) { m_size += sizeof(float); }
    constexpr void f64(double) { m_size += sizeof(double); }
    constexpr void flag(bool) { i16(0); }
    constexpr void fixedText(std::string_view, size_t width) { m_size += width; }
    constexpr void variableText(std::string_view text) {
        i16(0);
        m_size += std::min(text.size(), kMaxVariableText);
    }

    constexpr size_t size() const { return m_size; }

private:
    size_t m_size = 0;
};

} // namespace wavemark
