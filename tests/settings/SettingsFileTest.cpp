#include "SettingsFile.h"

#include "CDS_CIni.h"
#include "PathSeparator.h"
#include "SameBytes.h"
#include "SettingsTable.h"
#include "TempFolder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

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
        .StyleNoWEP = 2, .StyleWEP = 4, .WPFontName = "DejaVu Sans \xE2\x82\xAC", .WPFontSize = -3,
        .WPFontBold = false, .WPFontItalic = true, .WPFontUnderl = true, .WPFontColor = 16777215,
        .WPTBoxBack = false, .WPTBoxBackColor = INT32_MIN, .WPTBoxBorder = 0, .TChangeColors = 0,
        .TColorNoWep = 0, .TColorWep = INT32_MAX, .TLineNoWep = 18, .TLineWep = 1};
    // clang-format on
    EXPECT_TRUE(SettingsFile(at, user).shutDown(written));
    EXPECT_EQ(SettingsFile(at, user).startUp().settings, written);
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
    EXPECT_EQ(settings.OutputPath, root);
    EXPECT_EQ(PathInFolder(root, "Wavemark.ini"), twice + "Wavemark.ini");
}

// Each case: a key, its value in a file that holds just that key, and the
// value written back, whose reading gives the same settings. Numbers: "."
// decimals and exponents, halves to the even neighbour, in the range of their
// type after rounding; booleans: the words in any case, or numbers. A value
// that is empty or not of its type, or a code no list carries, keeps the
// default. Texts, paths and the filter included, are cut to 254 characters.
// clang-format off
const std::string kLong(300, 'x');
const std::vector<std::array<std::string, 3>> kValueCases{
    {"InputSummaryFile", kLong, kLong.substr(0, 254)}, {"APFilter", kLong, kLong.substr(0, 254)},
    {"WPFontSize", " -12 ", "-12"},        {"WPFontSize", "+5", "5"},
    {"WPFontSize", "2.5", "2"},            {"WPFontSize", "3.5", "4"},
    {"WPFontSize", "-2.5", "-2"},          {"WPFontSize", "1e2", "100"},
    {"WPFontSize", "-32768.5", "-32768"},  {"WPFontSize", "32767.5", "9"},
    {"WPFontSize", "12abc", "9"},          {"WPFontSize", "1,5", "9"},
    {"WPFontSize", "0x10", "9"},           {"WPFontSize", "+-1", "9"},
    {"WPFontSize", "nan", "9"},            {"WPTBoxBorder", "1e9", "139"},
    {"WPFontColor", "2147483648", "255"},  {"WPFontColor", "-2147483648", "-2147483648"},
    {"WPFontBold", "fALSE", "False"},      {"WPFontItalic", "yes", "False"},
    {"WPFontUnderl", " tRuE ", "True"},    {"WPFontUnderl", "0.4", "True"},
    {"WPTBoxBack", "0.0", "False"},        {"NoWEPCheck", "3", "0"},
    {"TConvertEnabled", "-1", "1"},        {"IconNoWEP", "999", "141"},
    {"StyleNoWEP", "1", "4"},              {"StyleWEP", "5", "3"},
    {"TLineNoWep", "7", "2"},              {"TLineWep", "19", "2"},
    {"WPFontName", "", "Arial"},           {"WPFontItalic", "", "False"},
    {"IconWEP", "", "44"},                 {"StyleWEP", "", "3"},
    {"TColorWep", "", "4227072"}};
// clang-format on

TEST(SettingsTable, ValuesAreReadAsTheirTypeOrKeepTheDefault) {
    test::TempFolder folder;
    CDS_CIni ini;
    ini.Filename(folder.file("Wavemark.ini"));
    const Settings defaults = FirstStartSettings(folder.path().string());
    const auto readOne = [&](const SettingKey& key, const std::string& text) {
        std::string file = "[";
        file.append(key.section).append("]\n").append(key.key).append("=").append(text);
        folder.write("Wavemark.ini", file);
        Settings settings = defaults;
        EXPECT_TRUE(ReadAllSettings(ini, settings));
        return settings;
    };
    for (const auto& [name, text, readBack] : kValueCases) {
        SCOPED_TRACE(name + "=" + text);
        const auto key = std::ranges::find(SettingKeys(), std::string_view(name), &SettingKey::key);
        ASSERT_NE(key, SettingKeys().end());
        EXPECT_EQ(readOne(*key, text), readOne(*key, readBack));
    }
}

} // namespace
} // namespace wavemark
