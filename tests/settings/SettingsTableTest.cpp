#include "SettingsTable.h"

#include "CDS_CIni.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// Each case: a key, its value in the file, and the value written back after
// reading it. Numbers: "." decimals and exponents, halves to the even
// neighbour, in the range of their type after rounding; booleans: the words
// in any case, or numbers. A value that is empty or not of its type, or a
// code no list carries, keeps the default. The empty values follow, in
// reading order, a key whose text they would accept (StyleWEP, WPFontBold,
// IconNoWEP, StyleNoWEP, TColorNoWep). Texts come back cut to 254
// characters, paths and the filter included.
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

// Each case is read from a file that holds just its key, and must give the
// settings that its value written back gives.
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
    // An empty text is a text, not a missing one.
    EXPECT_EQ(readOne(SettingKeys()[3], "").OutputPrefix, "");
}

} // namespace
} // namespace wavemark
