#include "LoadFile.h"

#include "RecordingWindow.h"
#include "TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using modLoadFile::LoadedLines;
using modLoadFile::LoadFile;

std::vector<std::string> linesHeld(const LoadedLines& lines) {
    std::vector<std::string> result;
    for (int32_t i = 1; i <= lines.FileLineCount; ++i) {
        result.emplace_back(lines.FileLines(i));
    }
    return result;
}

class LoadFileTest : public ::testing::Test {
protected:
    std::vector<std::string> load(const std::string& bytes) {
        LoadFile(lines, folder.write("in.txt", bytes), window);
        return linesHeld(lines);
    }

    test::TempFolder folder;
    test::RecordingWindow window;
    LoadedLines lines;
};

TEST_F(LoadFileTest, SplitsAtEveryKindOfLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(load("a\r\nb\r\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(load("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(load("a\nb\rc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
    EXPECT_EQ(load("\r\n"), (Lines{""}));
    EXPECT_EQ(load("x\r\r\n"), (Lines{"x", ""}));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(LoadFileTest, KeepsBytesAsTheyAre) {
    const std::string name = "caf\xE9\tTAB \x01";
    EXPECT_EQ(load(name + "\r\n"), std::vector<std::string>{name});
}

TEST_F(LoadFileTest, LongFileKeepsEveryLine) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    const auto result = load(text);
    ASSERT_EQ(lines.FileLineCount, 100000);
    EXPECT_EQ(result.front(), "line 0");
    EXPECT_EQ(result.back(), "line 99999");
}

TEST_F(LoadFileTest, EmptyFileKeepsThePreviousLines) {
    load("first\r\nsecond\r\n");
    EXPECT_TRUE(load("").empty());
    EXPECT_EQ(lines.FileLineCount, 0);
    EXPECT_EQ(lines.storedLineCount(), 2);
    EXPECT_EQ(lines.FileLines(1), "first");
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(LoadFileTest, SecondLoadReplacesTheFirst) {
    load("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(load("new\r\n"), std::vector<std::string>{"new"});
    EXPECT_EQ(lines.storedLineCount(), 1);
}

TEST_F(LoadFileTest, MissingFileIsReportedAndKeepsThePreviousLines) {
    load("kept\r\n");
    const std::string path = folder.file("no such file.txt");
    LoadFile(lines, path, window);

    EXPECT_EQ(lines.FileLineCount, 0);
    EXPECT_EQ(lines.FileLines(1), "kept");
    ASSERT_EQ(window.messages.size(), 1u);
    const test::ShownMessage& box = window.messages[0];
    EXPECT_EQ(box.title, "ERROR - LoadFile");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.text, "An error occured: No such file or directory (Error " +
                            std::to_string(ENOENT) + ")\r\nFile: " + path);
}

TEST_F(LoadFileTest, FolderIsNotAFile) {
    LoadFile(lines, folder.path().string(), window);
    EXPECT_EQ(lines.FileLineCount, 0);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, modLoadFile::LoadErrorText(EISDIR, folder.path().string()));
}

} // namespace
} // namespace wavemark
