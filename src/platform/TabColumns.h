#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace wavemark {

namespace detail {

// The TABs among 8 bytes, as the top bit of each byte that is one, lowest
// address lowest.
inline uint64_t tabBytes(const char* bytes) {
    uint64_t word = 0;
    for (int k = 0; k < 8; ++k) {
        word |= uint64_t{static_cast<unsigned char>(bytes[k])} << (8 * k);
    }
    constexpr uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;
    const uint64_t x = word ^ 0x0909090909090909ULL;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

} // namespace detail

// Splits `line` at its TABs: the first columns go to `columns`, and the
// result is how many columns the line has, counted no further than
// `limit` + 1 so that an overlong line costs no more than a long enough one.
// TABs are looked for 8 bytes at a time: a search per column would cost
// more than the column, which is often a few bytes long.
inline size_t SplitAtTabs(std::string_view line, std::span<std::string_view> columns,
                          size_t limit) {
    size_t count = 0;
    size_t start = 0;
    const auto endColumn = [&](size_t end) {
        if (count < columns.size()) {
            columns[count] = line.substr(start, end - start);
        }
        ++count;
        start = end + 1;
        return count > limit;
    };
    bool tooMany = false;
    size_t i = 0;
    for (; i + 8 <= line.size() && !tooMany; i += 8) {
        for (uint64_t tabs = detail::tabBytes(line.data() + i); tabs != 0 && !tooMany;
             tabs &= tabs - 1) {
            tooMany = endColumn(i + static_cast<size_t>(std::countr_zero(tabs)) / 8);
        }
    }
    for (; i < line.size() && !tooMany; ++i) {
        if (line[i] == '\t') {
            tooMany = endColumn(i);
        }
    }
    if (!tooMany) {
        endColumn(line.size());
    }
    return count;
}

} // namespace wavemark
