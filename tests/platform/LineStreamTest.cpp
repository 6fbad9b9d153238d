#include "platform/LineStream.h"

#include "platform/ReadWholeFile.h"

#include "TempFolder.h"
#include "UnreadableFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

class LineStreamTest : public ::testing::Test {
protected:
    // The lines of `bytes`, which must come alike in whole blocks and in
    // blocks of one byte, which meet every line end.
    std::vector<std::string> lines(const std::string& bytes) {
        const std::string path = folder.write("in.txt", bytes);
        std::vector<std::string> first;
        for (const size_t block : {kLineBlockSize, size_t{1}}) {
            LineStream stream(block);
            EXPECT_EQ(stream.open(path), 0);
            std::vector<std::string> streamed;
            for (std::string_view line; stream.next(line);) {
                streamed.emplace_back(line);
            }
            EXPECT_EQ(stream.error(), 0);
            if (block == kLineBlockSize) {
                first = streamed;
            }
            EXPECT_EQ(streamed, first) << block << "-byte blocks";
        }
        return first;
    }

    test::TempFolder folder;
};

TEST_F(LineStreamTest, SplitsAtEveryKindOfLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines("a\nb\rc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
    // Line ends are looked for 4 KiB at a time: at the edge of one window,
    // and CR line ends with the first LF in a later window.
    const std::string edge(4095, 'w');
    EXPECT_EQ(lines(edge + "\r\n" + edge + "\rv\n"), (Lines{edge, edge, "v"}));
    EXPECT_EQ(lines("a\rb\r" + edge + edge + "\n"), (Lines{"a", "b", edge + edge}));
    EXPECT_EQ(lines("ab\ncd\n"), (Lines{"ab", "cd"}));
    EXPECT_TRUE(lines("").empty());
}

// A missing file, a folder or a device that never ends fails with its reason.
TEST_F(LineStreamTest, UnreadableFilesFailWithTheirReason) {
    for (const auto& c : test::UnreadableFiles(folder)) {
        LineStream stream;
        const int error = stream.open(c.path);
        EXPECT_EQ(std::pair(error, ReadErrorText(error)), std::pair(c.error, c.text)) << c.path;
    }
}

} // namespace
} // namespace wavemark
