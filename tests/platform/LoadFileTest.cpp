#include "platform/LoadFile.h"

#include "platform/LineStream.h"
#include "platform/ReadWholeFile.h"

#include "TempFolder.h"
#include "UnreadableFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using modLoadFile::LoadedLines;
using modLoadFile::LoadFile;

class LoadFileTest : public ::testing::Test {
protected:
    // The lines the loader holds, which the line stream must give alike in
    // its own blocks and in blocks of one byte, which meet every line end.
    std::vector<std::string> load(const std::string& bytes) {
        const std::string path = folder.write("in.txt", bytes);
        EXPECT_EQ(LoadFile(lines, path), 0);
        std::vector<std::string> held;
        for (int32_t i = 1; i <= lines.FileLineCount; ++i) {
            held.emplace_back(lines.FileLines(i));
        }
        for (const size_t block : {kLineBlockSize, size_t{1}}) {
            LineStream stream(block);
            EXPECT_EQ(stream.open(path), 0);
            std::vector<std::string> streamed;
            for (std::string_view line; stream.next(line);) {
                streamed.emplace_back(line);
            }
            EXPECT_EQ(stream.error(), 0);
            EXPECT_EQ(streamed, held) << block << "-byte blocks";
        }
        return held;
    }

    test::TempFolder folder;
    LoadedLines lines;
};

TEST_F(LoadFileTest, SplitsAtEveryKindOfLineEndAndKeepsLinesUntilNewOnes) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(load("a\nb\rc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
    // Line ends are looked for 4 KiB at a time: at the edge of one window,
    // and CR line ends with the first LF in a later window.
    const std::string edge(4095, 'w');
    EXPECT_EQ(load(edge + "\r\n" + edge + "\rv\n"), (Lines{edge, edge, "v"}));
    EXPECT_EQ(load("a\rb\r" + edge + edge + "\n"), (Lines{"a", "b", edge + edge}));
    EXPECT_EQ(load("ab\ncd\n"), (Lines{"ab", "cd"}));

    // An empty file yields no line; a missing file, a folder or a device
    // that never ends fails with its reason. Both keep the previous lines.
    EXPECT_TRUE(load("").empty());
    for (const auto& c : test::UnreadableFiles(folder)) {
        const int error = LoadFile(lines, c.path);
        EXPECT_EQ(lines.FileLineCount, 0) << c.path;
        EXPECT_EQ(std::pair(error, ReadErrorText(error)), std::pair(c.error, c.text)) << c.path;
    }
    // The line views point into a text that must not move with the object (a
    // short text would sit inside a std::string).
    LoadedLines moved(std::move(lines));
    LoadedLines assigned;
    assigned = std::move(moved);
    ASSERT_EQ(assigned.storedLineCount(), 2);
    EXPECT_EQ(assigned.FileLines(1), "ab");
    EXPECT_EQ(assigned.FileLines(2), "cd");
}

} // namespace
} // namespace wavemark
