#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace wavemark::ns1 {

// Loads of the NS1 log's packed little-endian fields from a byte pointer,
// whatever the host's order and whatever the pointer's alignment. Every
// field of a record is read through them.

inline uint8_t LoadU8(const char* at) {
    return static_cast<uint8_t>(*at);
}

inline uint32_t LoadU32(const char* at) {
    uint8_t b[4];
    std::memcpy(b, at, 4);
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

inline int32_t LoadI32(const char* at) {
    return static_cast<int32_t>(LoadU32(at));
}

inline uint64_t LoadU64(const char* at) {
    return uint64_t{LoadU32(at)} | uint64_t{LoadU32(at + 4)} << 32;
}

inline double LoadF64(const char* at) {
    return std::bit_cast<double>(LoadU64(at));
}

} // namespace wavemark::ns1
