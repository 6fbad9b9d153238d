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
#include <type_traits>
#include <variant>
#include <vector>

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/inotify.h>
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
    // At the root the paths are joined as they are, with two separators in a row.
    const std::string root(1, kPathSeparator);
    EXPECT_EQ(FirstStartSettings(root).SummaryFilePath, root + root + "summary.txt");
}

#ifdef __linux__
// Files moved over others in `folder` while `action` runs (moves out are watched too, as
// the system reports like moves in a row once).
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
    EXPECT_EQ(
        replacementsIn(at, [&] { EXPECT_TRUE(settings.shutDown(settings.startUp().settings)); }),
        2);
}
#endif

// A program folder under a regular file cannot be written, even by root: the user folder
// is used, and where that fails too, the close says why.
TEST(SettingsFile, UnwritableProgramFolderFallsBackToTheUserFolder) {
    const test::TempFolder folder;
    const std::string program = PathInFolder(folder.write("plain", "x"), "bin");
    EXPECT_TRUE(SettingsFile(program, folder.file("user")).startUp().firstStart);
    EXPECT_FALSE(SettingsFile(program, folder.file("user")).startUp().firstStart);
    SettingsFile nowhere(program, program);
    EXPECT_FALSE(nowhere.shutDown(Settings{}));
    EXPECT_EQ(nowhere.lastError(), std::strerror(test::kThroughAFileError));
}

#ifndef _WIN32
// An installed program's Wavemark.ini, in a folder the user cannot write, is read there.
// A child that is "nobody" checks, as root may write anywhere; its exit status tells.
TEST(SettingsFile, FileInAProgramFolderTheUserCannotWriteIsRead) {
    namespace fs = std::filesystem;
    const test::TempFolder folder;
    const std::string program = folder.file("program");
    fs::create_directory(program);
    const std::string ini =
        folder.write("program/Wavemark.ini", "[OutputPath]\r\nOutputPrefix=Mine_\r\n");
    fs::permissions(ini, fs::perms(0644));
    fs::permissions(program, fs::perms(0555));
    fs::permissions(folder.path(), fs::perms(0755));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(77);
        }
        SettingsFile file(program, folder.file("user"));
        const bool readThere = file.path() == ini;
        ::_exit((readThere ? 0 : 1) | (file.startUp().settings.OutputPrefix == "Mine_" ? 0 : 2));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(program, fs::perms(0755));
    ASSERT_TRUE(WIFEXITED(status));
    const int seen = WEXITSTATUS(status);
    if (seen == 77) {
        GTEST_SKIP() << "cannot become another user";
    }
    EXPECT_EQ(seen, 0) << "1: another path, 2: not read, 3: both";
}
#endif

// A key, its value alone in a file, and the field read, through this test's own pointer.
// Numbers: "." and exponents, halves to even, within what the control and GTM take; anything
// else, an empty value or an unlisted code keeps the default. Every key is read once at least.
using S = Settings;
using Value = std::variant<std::string, int, bool>;
struct ValueCase {
    std::string key;
    std::string inFile;
    SettingField field;
    Value read;
};
void PrintTo(const ValueCase& row, std::ostream* out) {
    *out << row.key << "=" << row.inFile.substr(0, 20);
}
// clang-format off
const std::string kLong(300, 'x');
const std::vector<ValueCase> kValueCases{
    {"InputSummaryFile", "/s.txt", &S::SummaryFilePath, "/s.txt"},
    {"InputTextFile", kLong, &S::TextFilePath, kLong.substr(0, 254)},
    {"OutputPath", " /o ", &S::OutputPath, "/o"}, {"OutputPrefix", "", &S::OutputPrefix, ""},
    {"APFilter", "a,b", &S::APFilter, "a,b"}, {"WPFontName", "", &S::WPFontName, "Arial"},
    {"WPFontName", "Courier", &S::WPFontName, "Courier"},
    {"WPFontSize", " 12 ", &S::WPFontSize, 12}, {"WPFontSize", "+5", &S::WPFontSize, 5},
    {"WPFontSize", "2.5", &S::WPFontSize, 2}, {"WPFontSize", "3.5", &S::WPFontSize, 4},
    {"WPFontSize", "1e2", &S::WPFontSize, 100}, {"WPFontSize", "1,5", &S::WPFontSize, 9},
    {"WPFontSize", "0", &S::WPFontSize, 9}, {"WPFontSize", "1", &S::WPFontSize, 1},
    {"WPFontSize", "1638.5", &S::WPFontSize, 1638}, {"WPFontSize", "1639", &S::WPFontSize, 9},
    {"WPFontSize", "65537", &S::WPFontSize, 9}, {"WPTBoxBorder", "-1", &S::WPTBoxBorder, 139},
    {"WPTBoxBorder", "-0.5", &S::WPTBoxBorder, 0}, {"WPTBoxBorder", "255", &S::WPTBoxBorder, 255},
    {"WPTBoxBorder", "256", &S::WPTBoxBorder, 139}, {"WPFontColor", "-1", &S::WPFontColor, 255},
    {"WPFontColor", "0", &S::WPFontColor, 0},
    {"WPTBoxBackColor", "16777215", &S::WPTBoxBackColor, 16777215},
    {"WPTBoxBackColor", "16777216", &S::WPTBoxBackColor, 65535},
    {"TColorNoWep", "7", &S::TColorNoWep, 7}, {"TColorWep", "8", &S::TColorWep, 8},
    {"WPFontBold", "", &S::WPFontBold, true}, {"WPFontBold", "fALSE", &S::WPFontBold, false},
    {"WPFontItalic", "yes", &S::WPFontItalic, false},
    {"WPFontItalic", "+-1", &S::WPFontItalic, false},
    {"WPFontUnderl", "-1", &S::WPFontUnderl, true},
    {"WPFontItalic", "TRUE", &S::WPFontItalic, true},
    {"WPFontItalic", "nan", &S::WPFontItalic, false},
    {"WPFontUnderl", "0.4", &S::WPFontUnderl, true}, {"WPTBoxBack", "0.0", &S::WPTBoxBack, false},
    {"NoWEPCheck", "3", &S::NoWEPCheck, 0}, {"NoWEPCheck", "2", &S::NoWEPCheck, 2},
    {"TConvertEnabled", "0", &S::TConvertEnabled, 0},
    {"TConvertEnabled", "-1", &S::TConvertEnabled, 1}, {"TChangeColors", "2", &S::TChangeColors, 2},
    {"IconNoWEP", "999", &S::IconNoWEP, 141}, {"IconNoWEP", "102", &S::IconNoWEP, 102},
    {"IconWEP", "192", &S::IconWEP, 192}, {"StyleNoWEP", "1", &S::StyleNoWEP, 4},
    {"StyleNoWEP", "2", &S::StyleNoWEP, 2}, {"StyleWEP", "4", &S::StyleWEP, 4},
    {"TLineNoWep", "7", &S::TLineNoWep, 2}, {"TLineNoWep", "17", &S::TLineNoWep, 17},
    {"TLineWep", "18", &S::TLineWep, 18}};
// clang-format on

Value fieldOf(const Settings& settings, const SettingField& field) {
    return std::visit(
        [&](auto member) -> Value {
            const auto value = settings.*member;
            if constexpr (std::is_same_v<decltype(value), const int16_t> ||
                          std::is_same_v<decltype(value), const int32_t>) {
                return static_cast<int>(value);
            } else {
                return value;
            }
        },
        field);
}

class SettingsValue : public testing::TestWithParam<ValueCase> {};

// The converter reads a settings file through the same table as the window.
TEST_P(SettingsValue, IsReadOrKeepsTheDefault) {
    const ValueCase& row = GetParam();
    const auto key = std::ranges::find(SettingKeys(), std::string_view(row.key), &SettingKey::key);
    ASSERT_NE(key, SettingKeys().end());
    const std::string section(key->section);
    const test::TempFolder folder;
    const std::string path =
        folder.write("Wavemark.ini", "[" + section + "]\n" + row.key + "=" + row.inFile);
    Settings settings = FirstStartSettings(folder.path().string());
    std::string error;
    ASSERT_TRUE(LoadSettingsFile(path, settings, error)) << error;
    EXPECT_EQ(fieldOf(settings, row.field), row.read);
}

INSTANTIATE_TEST_SUITE_P(SettingsTable, SettingsValue, testing::ValuesIn(kValueCases));

} // namespace
} // namespace wavemark
