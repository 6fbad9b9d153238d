#include "SettingsTable.h"

#include "CDS_CIni.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace wavemark {
namespace {

// Each case: a key, its value in the file, and the value written back after
// reading it. Numbers: "." decimals and exponents, halves to the even
// neighbour, in the range of their type after rounding; booleans: the words
// in any case, or numbers. A value that is empty or not of its type, or a
// code no list carries, keeps the default. The empty values follow, in
// reading order, a key whose text they would accept (StyleWEP, WPFontBold,
// IconNoWEP, StyleNoWEP, TColorNoWep), so text carried over would show.
// clang-format off
constexpr std::array<std::array<const char*, 3>, 34> kValueCases{{
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
    {"TColorWep", "", "4227072"},          {"OutputPrefix", "", ""}}};
// clang-format on

TEST(SettingsTable, ValuesAreReadAsTheirTypeOrKeepTheDefault) {
    test::TempFolder folder;
    CDS_CIni ini;
    ini.Filename(folder.file("Wavemark.ini"));
    const Settings defaults = FirstStartSettings(folder.path().string());
    for (const auto& [key, text, readBack] : kValueCases) {
        SCOPED_TRACE(std::string(key) + "=" + text);
        const auto entry =
            std::ranges::find(SettingKeys(), std::string_view(key), &SettingKey::key);
        ASSERT_NE(entry, SettingKeys().end());
        const std::string section(entry->section);
        ASSERT_TRUE(WriteAllSettings(ini, defaults));
        ASSERT_TRUE(ini.WriteValue(section, key, text));
        Settings settings = defaults;
        ReadAllSettings(ini, settings);
        ASSERT_TRUE(WriteAllSettings(ini, settings));
        std::string value;
        ini.ReadValue(section, key, value);
        EXPECT_EQ(value, readBack);
    }
}

} // namespace
} // namespace wavemark
