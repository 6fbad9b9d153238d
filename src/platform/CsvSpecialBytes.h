#pragma once

#include "platform/ByteMarks.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wavemark {

// Where the commas, line end bytes (CR, LF) and quotes stand among 64 bytes:
// bit k for byte k.
struct SpecialMarks {
    uint64_t commas = 0;
    uint64_t lineEnds = 0;
    uint64_t quotes = 0;
};

// The commas, line end bytes and quotes among the 64 bytes of `text` from `offset`
// (fewer at its end). A CSV record's fields are cut at these bytes only, so
// the bytes between them are not looked at one by one.
inline SpecialMarks FindSpecialBytes(std::string_view text, size_t offset) {
    const auto marks = ByteMarksAt(text, offset, std::array{',', '\n', '\r', '"'});
    return {marks[0], marks[1] | marks[2], marks[3]};
}

} // namespace wavemark
