#include "SettingsFile.h"

#include "PathSeparator.h"
#include "SameBytes.h"
#include "SettingsTable.h"
#include "TempFolder.h"

#include <filesystem>
#include <regex>

namespace wavemark {
namespace {

TEST(SettingsFile, FirstStartWritesTheDefaultsAndLaterStartsReadWhatCloseStored) {
    const test::TempFolder folder;
    const std::string at = folder.path().string();
    const std::string user = folder.file("user");
    SettingsFile first(at, user);
    const StartUpResult start = first.startUp();
    EXPECT_EQ(start.firstStart, true);
    EXPECT_EQ(start.settings, FirstStartSettings(at));
    const std::string golden = "[InputPath]\nInputSummaryFile=" + at + kPathSeparator +
                               "summary.txt\nInputTextFile=" + at + kPathSeparator +
                               "text.txt\n[OutputPath]\nOutputPath=" + at + R"(
OutputPrefix=NS-Log_
[Options]
NoWEPCheck=0
APFilter=MOBILE,public,eurospot,wlan@thenet
TConvertEnabled=1
[Waypoints]
IconNoWEP=141
IconWEP=44
StyleNoWEP=4
StyleWEP=3
WPFontName=Arial
WPFontSize=9
WPFontBold=True
WPFontItalic=False
WPFontUnderl=False
WPFontColor=255
WPTBoxBack=True
WPTBoxBackColor=65535
WPTBoxBorder=139
[Tracks]
TChangeColors=1
TColorNoWep=255
TColorWep=4227072
TLineNoWep=2
TLineWep=2
)";
    EXPECT_TRUE(test::SameBytes(std::regex_replace(golden, std::regex("\n"), "\r\n"),
                                test::ReadBytes(first.path())));

    // Every key differs from its default; texts with blanks, commas, "=", ";"
    // and UTF-8.
    // clang-format off
    Settings written{
        .SummaryFilePath = "/home/ann/My Surveys/sum mary.txt", .TextFilePath = "/tmp/t=1;x.txt",
        .OutputPath = "/home/ann/Gr\xC3\xBCne Wiese", .OutputPrefix = "", .NoWEPCheck = 1,
        .APFilter = "a, b ,c,,d", .TConvertEnabled = 2, .IconNoWEP = 192, .IconWEP = 1,
        .StyleNoWEP = 2, .StyleWEP = 4, .WPFontName = "DejaVu Sans \xE2\x82\xAC", .WPFontSize = -3,
        .WPFontBold = false, .WPFontItalic = true, .WPFontUnderl = true, .WPFontColor = 16777215,
        .WPTBoxBack = false, .WPTBoxBackColor = INT32_MIN, .WPTBoxBorder = 0, .TChangeColors = 0,
        .TColorNoWep = 0, .TColorWep = INT32_MAX, .TLineNoWep = 18, .TLineWep = 1};
    // clang-format on
    for (const char* filter : {"a, b ,c,,d", ""}) {
        SCOPED_TRACE(filter);
        written.APFilter = filter;
        EXPECT_TRUE(SettingsFile(at, user).shutDown(written));
        const StartUpResult again = SettingsFile(at, user).startUp();
        EXPECT_EQ(again.firstStart, false);
        EXPECT_EQ(again.settings, written);
    }
    EXPECT_FALSE(std::filesystem::exists(user));
}

// A program folder under a regular file cannot be written, even by root.
TEST(SettingsFile, UnwritableProgramFolderFallsBackToTheUserFolder) {
    const test::TempFolder folder;
    const std::string program = PathInFolder(folder.write("plain", "x"), "bin");
    const std::string user = folder.file("Wavemark");
    SettingsFile settings(program, user);
    EXPECT_EQ(settings.path(), PathInFolder(user, "Wavemark.ini"));
    EXPECT_EQ(settings.startUp().firstStart, true);
    EXPECT_EQ(SettingsFile(program, user).startUp().firstStart, false);
}

// A program folder at the root already ends in a separator; paths in it are
// joined as they are, with two in a row, and used that way.
TEST(SettingsFile, ProgramFolderAtTheRootGivesTwoSeparatorsInARow) {
    const std::string root(1, kPathSeparator);
    const std::string twice(2, kPathSeparator);
    const Settings settings = FirstStartSettings(root);
    EXPECT_EQ(settings.SummaryFilePath, twice + "summary.txt");
    EXPECT_EQ(settings.TextFilePath, twice + "text.txt");
    EXPECT_EQ(settings.OutputPath, root);
    EXPECT_EQ(PathInFolder(root, "Wavemark.ini"), twice + "Wavemark.ini");
}

} // namespace
} // namespace wavemark
