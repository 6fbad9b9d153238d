#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wavemark {

namespace detail {

#if !defined(__SSE2__)
// The top bit of every byte of `word` that is `c`, exact (no carries across
// bytes).
inline uint64_t bytesEqual(uint64_t word, uint8_t c) {
    constexpr uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;
    const uint64_t x = word ^ (0x0101010101010101ULL * c);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The top bits of the 8 bytes gathered into one byte, lowest address lowest
// (the loads are little-endian).
inline uint64_t gatherTopBits(uint64_t top) {
    return (top >> 7) * 0x0102040810204080ULL >> 56;
}
#endif

} // namespace detail

// Where each of the `wanted` bytes stands among the 64 bytes at `bytes`: one
// mask per wanted byte, bit k for byte k. Readers that cut text at a few
// kinds of byte look at the bytes between them no more.
template <size_t N>
std::array<uint64_t, N> ByteMarks64(const char* bytes, const std::array<char, N>& wanted) {
    std::array<uint64_t, N> marks{};
#if defined(__SSE2__)
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
        for (size_t w = 0; w < N; ++w) {
            const int equal = _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(wanted[w])));
            marks[w] |= uint64_t{static_cast<uint32_t>(equal)} << (16 * k);
        }
    }
#else
    for (int k = 0; k < 8; ++k) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + 8 * k, 8);
        for (size_t w = 0; w < N; ++w) {
            marks[w] |=
                detail::gatherTopBits(detail::bytesEqual(word, static_cast<uint8_t>(wanted[w])))
                << (8 * k);
        }
    }
#endif
    return marks;
}

// As ByteMarks64, for the 64 bytes of `text` from `offset`, fewer at its end.
template <size_t N>
std::array<uint64_t, N> ByteMarksAt(std::string_view text, size_t offset,
                                    const std::array<char, N>& wanted) {
    if (offset + 64 <= text.size()) {
        return ByteMarks64(text.data() + offset, wanted);
    }
    // Zero is none of the bytes anybody looks for.
    char tail[64] = {};
    std::memcpy(tail, text.data() + offset, text.size() - offset);
    return ByteMarks64(tail, wanted);
}

} // namespace wavemark
