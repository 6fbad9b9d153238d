#include "platform/LineStream.h"

#include "platform/ReadWholeFile.h"

#include "TempFolder.h"
#include "UnreadableFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using Lines = std::vector<std::string>;

class LineStreamTest : public ::testing::Test {
protected:
    // The lines of `bytes`, which must come alike from next() and from
    // nextLines(), in blocks of each of `blocks` bytes; blocks of one byte
    // meet every line end.
    Lines lines(const std::string& bytes, const std::vector<size_t>& blocks = {kLineBlockSize, 1}) {
        const std::string path = folder.write("in.txt", bytes);
        std::optional<Lines> first;
        for (const size_t block : blocks) {
            for (const bool inBlocks : {false, true}) {
                LineStream stream(block);
                EXPECT_EQ(stream.open(path), 0);
                Lines streamed;
                std::string_view text;
                const auto take = [&](std::string_view& line) {
                    return inBlocks ? TakeLine(text, line) ||
                                          (stream.nextLines(text) && TakeLine(text, line))
                                    : stream.next(line);
                };
                for (std::string_view line; take(line);) {
                    streamed.emplace_back(line);
                }
                EXPECT_EQ(stream.error(), 0);
                if (!first) {
                    first = streamed;
                }
                EXPECT_EQ(streamed, *first) << block << "-byte blocks, in blocks: " << inBlocks;
            }
        }
        return *first;
    }

    test::TempFolder folder;
};

TEST_F(LineStreamTest, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(lines("a\nb\rc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
    // Line ends are looked for 4 KiB at a time: at the edge of one window,
    // and CR line ends with the first LF in a later window.
    const std::string edge(4095, 'w');
    EXPECT_EQ(lines(edge + "\r\n" + edge + "\rv\n"), (Lines{edge, edge, "v"}));
    EXPECT_EQ(lines("a\rb\r" + edge + edge + "\n"), (Lines{"a", "b", edge + edge}));
    EXPECT_EQ(lines("ab\ncd\n"), (Lines{"ab", "cd"}));
    EXPECT_TRUE(lines("").empty());
}

// A line too long to be an export line is given empty, wherever it lies
// and however it ends, and the lines around it are whole. Blocks around the
// longest line put the block edges in and next to its line end.
TEST_F(LineStreamTest, TooLongLinesComeEmpty) {
    const std::string longest(kLongestLine, 'w');
    const std::string tooLong = longest + 'x';
    const std::pair<std::string, Lines> cases[] = {
        {tooLong + "\nb", {"", "b"}},
        {"a\r\n" + tooLong + "\r\nb\r\n", {"a", "", "b"}},
        {"a\r" + tooLong + "\rb", {"a", "", "b"}},
        {"a\n" + tooLong + "\n\nb", {"a", "", "", "b"}},
        {"a\n" + tooLong, {"a", ""}},
        {tooLong + "\r" + tooLong + "\r\n" + longest, {"", "", longest}},
        {"a\n" + tooLong + tooLong + "\r\r\n", {"a", "", ""}},
        {longest + "\r\n" + longest + "\r", {longest, longest}},
    };
    std::vector<size_t> blocks{kLineBlockSize, 1};
    for (size_t block = kLongestLine - 1; block <= kLongestLine + 6; ++block) {
        blocks.push_back(block);
    }
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(lines(bytes, blocks), expected) << bytes.size() << " bytes";
    }
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
