#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wavemark {

// Where the commas, line end bytes (CR, LF) and quotes stand among 64 bytes:
// bit k for byte k.
struct SpecialMarks {
    uint64_t commas = 0;
    uint64_t lineEnds = 0;
    uint64_t quotes = 0;
};

namespace detail {

#if !defined(__SSE2__)
// The top bit of every byte of `word` that is `c`, exact (no carries across
// bytes), as platform/TabColumns.h finds TABs.
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

inline SpecialMarks specialMarks64(const char* bytes) {
    SpecialMarks marks;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i quote = _mm_set1_epi8('"');
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
        const auto bits = [&](__m128i equal) {
            return uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(equal))} << (16 * k);
        };
        marks.commas |= bits(_mm_cmpeq_epi8(v, comma));
        marks.lineEnds |= bits(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        marks.quotes |= bits(_mm_cmpeq_epi8(v, quote));
    }
#else
    for (int k = 0; k < 8; ++k) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + 8 * k, 8);
        marks.commas |= gatherTopBits(bytesEqual(word, ',')) << (8 * k);
        marks.lineEnds |= gatherTopBits(bytesEqual(word, '\n') | bytesEqual(word, '\r')) << (8 * k);
        marks.quotes |= gatherTopBits(bytesEqual(word, '"')) << (8 * k);
    }
#endif
    return marks;
}

} // namespace detail

// The commas, line end bytes and quotes among the 64 bytes of `text` from `offset`
// (fewer at its end). A CSV record's fields are cut at these bytes only, so
// the bytes between them are not looked at one by one.
inline SpecialMarks FindSpecialBytes(std::string_view text, size_t offset) {
    if (offset + 64 <= text.size()) {
        return detail::specialMarks64(text.data() + offset);
    }
    char tail[64] = {};
    std::memcpy(tail, text.data() + offset, text.size() - offset);
    return detail::specialMarks64(tail);
}

} // namespace wavemark
