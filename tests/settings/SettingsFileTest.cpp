#include "settings/SettingsFile.h"

#include "SameBytes.h"
#include "TempFolder.h"
#include "UnreadableFiles.h"
#include "platform/PathSeparator.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace wavemark {
namespace {

TEST(SettingsFile, FirstStartWritesTheDefaultsInTheProgramFolder) {
    const test::TempFolder folder;
    const std::string at = folder.path().string();
    const std::string user = folder.file("user");
    SettingsFile first(at, user);
    EXPECT_TRUE(first.startUp().firstStart);
    const std::string in = at + kPathSeparator;
    const std::string golden =
        "[InputPath]\r\nInputSummaryFile=" + in + "summary.txt\r\nInputTextFile=" + in +
        "text.txt\r\n[OutputPath]\r\nOutputPath=" + at + "\r\nOutputPrefix=NS-Log_\r\n" +
        "[Options]\r\nNoWEPCheck=0\r\nAPFilter=MOBILE,public,eurospot,wlan@thenet\r\n"
        "TConvertEnabled=1\r\n[Waypoints]\r\nIconNoWEP=141\r\nIconWEP=44\r\nStyleNoWEP=4\r\n"
        "StyleWEP=3\r\nWPFontName=Arial\r\nWPFontSize=9\r\nWPFontBold=True\r\n"
        "WPFontItalic=False\r\nWPFontUnderl=False\r\nWPFontColor=255\r\nWPTBoxBack=True\r\n"
        "WPTBoxBackColor=65535\r\nWPTBoxBorder=139\r\n[Tracks]\r\nTChangeColors=1\r\n"
        "TColorNoWep=255\r\nTColorWep=4227072\r\nTLineNoWep=2\r\nTLineWep=2\r\n";
    EXPECT_TRUE(test::SameBytes(golden, test::ReadBytes(first.path())));
    EXPECT_FALSE(std::filesystem::exists(user));
    // At the root the folder already ends in a separator, and the paths in it
    // are joined as they are, with two in a row.
    const std::string root(1, kPathSeparator);
    EXPECT_EQ(FirstStartSettings(root).SummaryFilePath, root + root + "summary.txt");
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
    EXPECT_TRUE(SettingsFile(program, folder.file("user")).startUp().firstStart);
    EXPECT_FALSE(SettingsFile(program, folder.file("user")).startUp().firstStart);
    SettingsFile nowhere(program, program);
    EXPECT_FALSE(nowhere.shutDown(Settings{}));
    EXPECT_EQ(nowhere.lastError(), std::strerror(test::kThroughAFileError));
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
