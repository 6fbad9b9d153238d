#include "platform/TabColumns.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// The word-at-a-time search gives the columns a plain split gives, for a TAB
// at every place of an 8-byte word and lines ending inside a word.
TEST(TabColumns, SplitsLikeAPlainSplitAndStopsCountingPastTheLimit) {
    for (size_t length = 0; length <= 20; ++length) {
        for (size_t tab = 0; tab < length; ++tab) {
            std::string line(length, 'x');
            line[tab] = '\t';
            if (tab + 3 < length) {
                line[tab + 3] = '\t';
            }
            std::vector<std::string_view> plain;
            for (size_t start = 0;;) {
                const size_t end = line.find('\t', start);
                plain.push_back(std::string_view(line).substr(start, end - start));
                if (end == std::string::npos) {
                    break;
                }
                start = end + 1;
            }
            std::array<std::string_view, 4> columns;
            ASSERT_EQ(SplitAtTabs(line, columns, SIZE_MAX), plain.size()) << line;
            for (size_t i = 0; i < plain.size(); ++i) {
                EXPECT_EQ(columns[i], plain[i]) << line << " column " << i;
            }
        }
    }
    std::array<std::string_view, 2> first;
    EXPECT_EQ(SplitAtTabs("a\tb\tc\td\te\tf\tg\th\ti\tj", first, 3), 4u);
    EXPECT_EQ(first[1], "b");
}

} // namespace
} // namespace wavemark
