#pragma once

#include "platform/ByteMarks.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace wavemark {

// Splits `line` at its TABs: the first columns go to `columns`, and the
// result is how many columns the line has, counted no further than
// `limit` + 1 so that an overlong line costs no more than a long enough one.
// TABs are looked for 64 bytes at a time: a search per column would cost
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
    for (size_t offset = 0; offset < line.size() && !tooMany; offset += 64) {
        for (uint64_t tabs = ByteMarksAt(line, offset, std::array{'\t'})[0]; tabs != 0 && !tooMany;
             tabs &= tabs - 1) {
            tooMany = endColumn(offset + static_cast<size_t>(std::countr_zero(tabs)));
        }
    }
    if (!tooMany) {
        endColumn(line.size());
    }
    return count;
}

} // namespace wavemark
