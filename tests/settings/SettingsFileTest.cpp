#include "SettingsFile.h"

#include "PathSeparator.h"
#include "SameBytes.h"
#include "SettingsTable.h"
#include "TempFolder.h"
#include "UnreadableFiles.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace wavemark {
namespace {

TEST(SettingsFile, FirstStartWritesTheDefaultsAndLaterStartsReadWhatCloseStored) {
    const test::TempFolder folder;
    const std::string at = folder.path().string();
    const std::string user = folder.file("user");
    SettingsFile first(at, user);
    EXPECT_EQ(first.startUp().settings, FirstStartSettings(at));
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
    // and UTF-8, and an empty one, which is read back as empty.
    // clang-format off
    const Settings written{
        .SummaryFilePath = "/home/ann/My Surveys/sum mary.txt", .TextFilePath = "/tmp/t=1;x.txt",
        .OutputPath = "/home/ann/Gr\xC3\xBCne Wiese", .OutputPrefix = "", .NoWEPCheck = 1,
        .APFilter = "a, b ,c,,d", .TConvertEnabled = 2, .IconNoWEP = 192, .IconWEP = 1,
        .StyleNoWEP = 2, .StyleWEP = 4, .WPFontName = "DejaVu Sans \xE2\x82\xAC", .WPFontSize = 1638,
        .WPFontBold = false, .WPFontItalic = true, .WPFontUnderl = true, .WPFontColor = 16777215,
        .WPTBoxBack = false, .WPTBoxBackColor = 1, .WPTBoxBorder = 0, .TChangeColors = 0,
        .TColorNoWep = 0, .TColorWep = 0x123456, .TLineNoWep = 18, .TLineWep = 1};
    // clang-format on
    EXPECT_TRUE(SettingsFile(at, user).shutDown(written));
    EXPECT_EQ(SettingsFile(at, user).startUp().settings, written);
    EXPECT_FALSE(std::filesystem::exists(user));
}

#ifdef __linux__
// Files moved over others in `folder` while `action` runs, as every
// replacement of a file does. Moves out of the temporary names are watched
// too, since the system reports like moves in a row only once.
int replacementsIn(const std::string& folder, const std::function<void()>& action) {
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, folder.c_str(), IN_MOVED_FROM | IN_MOVED_TO);
    action();
    alignas(inotify_event) std::array<char, 65536> events{};
    const ssize_t size = std::max<ssize_t>(read(watch, events.data(), events.size()), 0);
    close(watch);
    int replacements = 0;
    for (const char* at = events.data(); at < events.data() + size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        replacements += (event->mask & IN_MOVED_TO) != 0 ? 1 : 0;
        at += sizeof(inotify_event) + event->len;
    }
    return replacements;
}

// Writing the keys one by one would copy a large file as many times.
TEST(SettingsFile, FirstStartAndCloseReplaceTheFileOnceEach) {
    const test::TempFolder folder;
    const std::string at = folder.path().string();
    SettingsFile settings(at, folder.file("user"));
    EXPECT_EQ(replacementsIn(at, [&] { settings.shutDown(settings.startUp().settings); }), 2);
}
#endif

// A program folder under a regular file cannot be written, even by root: the
// file goes to the user folder, and where that cannot be written either, the
// close says why.
TEST(SettingsFile, UnwritableProgramFolderFallsBackToTheUserFolder) {
    const test::TempFolder folder;
    const std::string program = PathInFolder(folder.write("plain", "x"), "bin");
    const std::string user = folder.file("Wavemark");
    SettingsFile settings(program, user);
    EXPECT_EQ(settings.path(), PathInFolder(user, "Wavemark.ini"));
    EXPECT_EQ(settings.startUp().firstStart, true);
    EXPECT_EQ(SettingsFile(program, user).startUp().firstStart, false);
    SettingsFile nowhere(program, program);
    EXPECT_FALSE(nowhere.shutDown(Settings{}));
    EXPECT_EQ(nowhere.lastError(), std::strerror(test::kThroughAFileError));
}

// A program folder at the root already ends in a separator; paths in it are
// joined as they are, with two in a row, and used that way.
TEST(SettingsFile, ProgramFolderAtTheRootGivesTwoSeparatorsInARow) {
    const std::string root(1, kPathSeparator);
    const std::string twice(2, kPathSeparator);
    const Settings settings = FirstStartSettings(root);
    EXPECT_EQ(settings.SummaryFilePath, twice + "summary.txt");
    EXPECT_EQ(settings.OutputPath, root);
    EXPECT_EQ(PathInFolder(root, "Wavemark.ini"), twice + "Wavemark.ini");
}

// A key, its value in a file that holds just that key, and that value as the
// close writes it back. Numbers: "." decimals and exponents, halves to the
// even neighbour, then within what the key's control and the GTM file take.
// Anything else, an empty value and a code no list carries keep the default.
using ValueCase = std::array<std::string, 3>;
// clang-format off
const std::string kLong(300, 'x');
const std::vector<ValueCase> kValueCases{
    {"InputTextFile", kLong, kLong.substr(0, 254)}, {"OutputPrefix", "", ""},
    {"WPFontName", "", "Arial"}, {"WPFontSize", " 12 ", "12"}, {"WPFontSize", "+5", "5"},
    {"WPFontSize", "2.5", "2"}, {"WPFontSize", "3.5", "4"}, {"WPFontSize", "1e2", "100"},
    {"WPFontSize", "1,5", "9"}, {"WPFontSize", "+-1", "9"}, {"WPFontSize", "nan", "9"},
    {"WPFontSize", "-32768", "9"}, {"WPFontSize", "0", "9"}, {"WPFontSize", "0.5", "9"},
    {"WPFontSize", "1", "1"}, {"WPFontSize", "1638.5", "1638"}, {"WPFontSize", "1639", "9"},
    {"WPFontSize", "65537", "9"}, {"WPTBoxBorder", "-1", "139"}, {"WPTBoxBorder", "-0.5", "0"},
    {"WPTBoxBorder", "255", "255"}, {"WPTBoxBorder", "256", "139"}, {"WPFontColor", "-1", "255"},
    {"WPFontColor", "0", "0"}, {"TColorWep", "", "4227072"},
    {"WPTBoxBackColor", "16777215", "16777215"}, {"WPTBoxBackColor", "16777216", "65535"},
    {"TColorNoWep", "-2147483648", "255"}, {"TColorWep", "16777216", "4227072"},
    {"WPFontBold", "", "True"}, {"WPFontItalic", "yes", "False"}, {"WPFontUnderl", "0.4", "True"},
    {"WPTBoxBack", "0.0", "False"}, {"NoWEPCheck", "3", "0"}, {"TConvertEnabled", "0", "0"},
    {"TConvertEnabled", "-1", "1"}, {"TChangeColors", "3", "1"}, {"IconNoWEP", "999", "141"},
    {"IconWEP", "", "44"}, {"StyleNoWEP", "1", "4"}, {"StyleWEP", "5", "3"},
    {"TLineNoWep", "7", "2"}, {"TLineWep", "19", "2"}};
// clang-format on

class SettingsValue : public testing::TestWithParam<ValueCase> {};

// The converter reads a settings file through the same table as the window.
TEST_P(SettingsValue, IsReadOrKeepsTheDefault) {
    const auto& [name, inFile, read] = GetParam();
    const auto key = std::ranges::find(SettingKeys(), std::string_view(name), &SettingKey::key);
    ASSERT_NE(key, SettingKeys().end());
    const std::string section(key->section);
    const test::TempFolder folder;
    folder.write("Wavemark.ini", "[" + section + "]\n" + name + "=" + inFile);
    SettingsFile file(folder.path().string(), folder.file("user"));
    ASSERT_TRUE(file.shutDown(file.startUp().settings));
    const std::string written = test::ReadBytes(file.path());
    EXPECT_NE(written.find("]\r\n" + name + "=" + read + "\r\n"), std::string::npos) << written;
}

INSTANTIATE_TEST_SUITE_P(SettingsTable, SettingsValue, testing::ValuesIn(kValueCases));

} // namespace
} // namespace wavemark
