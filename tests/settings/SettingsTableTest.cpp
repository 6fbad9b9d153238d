#include "SettingsTable.h"

#include "CDS_CIni.h"
#include "IniTestFolder.h"
#include <algorithm>

namespace wavemark {
namespace {

using test::IniTestFolder;
using test::SameBytes;

class SettingsTableTest : public IniTestFolder {
protected:
    void SetUp() override {
        IniTestFolder::SetUp();
        m_ini.Filename(file("Wavemark.ini"));
    }
    Settings readOverDefaults() {
        Settings settings = FirstStartSettings(folder());
        ReadAllSettings(m_ini, settings);
        return settings;
    }
    CDS_CIni m_ini;
};

TEST_F(SettingsTableTest, FirstStartFileIsExactlyTheDefaults) {
    ASSERT_TRUE(WriteAllSettings(m_ini, FirstStartSettings(folder())));
    const std::string expected = "[InputPath]\r\n"
                                 "InputSummaryFile=" +
                                 folder() +
                                 "/summary.txt\r\n"
                                 "InputTextFile=" +
                                 folder() +
                                 "/text.txt\r\n"
                                 "[OutputPath]\r\n"
                                 "OutputPath=" +
                                 folder() +
                                 "\r\n"
                                 "OutputPrefix=NS-Log_\r\n"
                                 "[Options]\r\n"
                                 "NoWEPCheck=0\r\n"
                                 "APFilter=MOBILE,public,eurospot,wlan@thenet\r\n"
                                 "TConvertEnabled=1\r\n"
                                 "[Waypoints]\r\n"
                                 "IconNoWEP=141\r\n"
                                 "IconWEP=44\r\n"
                                 "StyleNoWEP=4\r\n"
                                 "StyleWEP=3\r\n"
                                 "WPFontName=Arial\r\n"
                                 "WPFontSize=9\r\n"
                                 "WPFontBold=True\r\n"
                                 "WPFontItalic=False\r\n"
                                 "WPFontUnderl=False\r\n"
                                 "WPFontColor=255\r\n"
                                 "WPTBoxBack=True\r\n"
                                 "WPTBoxBackColor=65535\r\n"
                                 "WPTBoxBorder=139\r\n"
                                 "[Tracks]\r\n"
                                 "TChangeColors=1\r\n"
                                 "TColorNoWep=255\r\n"
                                 "TColorWep=4227072\r\n"
                                 "TLineNoWep=2\r\n"
                                 "TLineWep=2\r\n";
    EXPECT_TRUE(SameBytes(expected, read(file("Wavemark.ini"))));
}

TEST_F(SettingsTableTest, EverySettingSurvivesWriteAndRead) {
    const Settings written{.SummaryFilePath = "/home/ann/My Surveys/sum mary.txt",
                           .TextFilePath = "/tmp/t=1;x.txt",
                           .OutputPath = "/home/ann/Gr\xC3\xBCne Wiese",
                           .OutputPrefix = "",
                           .NoWEPCheck = 1,
                           .APFilter = "a, b ,c,,d",
                           .TConvertEnabled = 2,
                           .IconNoWEP = 192,
                           .IconWEP = 1,
                           .StyleNoWEP = 2,
                           .StyleWEP = 4,
                           .WPFontName = "DejaVu Sans \xE2\x82\xAC",
                           .WPFontSize = -3,
                           .WPFontBold = false,
                           .WPFontItalic = true,
                           .WPFontUnderl = true,
                           .WPFontColor = 16777215,
                           .WPTBoxBack = false,
                           .WPTBoxBackColor = -2147483647 - 1,
                           .WPTBoxBorder = 0,
                           .TChangeColors = 0,
                           .TColorNoWep = 0,
                           .TColorWep = 2147483647,
                           .TLineNoWep = 18,
                           .TLineWep = 1};
    ASSERT_TRUE(WriteAllSettings(m_ini, written));
    EXPECT_EQ(readOverDefaults(), written);
}

TEST_F(SettingsTableTest, KeysTheFileLacksKeepTheirDefaultsButEmptyTextsStayEmpty) {
    write("Wavemark.ini", "[options]\nAPFilter=\nTConvertEnabled=0\n[OutputPath]\nOutputPath=\n");
    Settings expected = FirstStartSettings(folder());
    expected.APFilter = "";
    expected.TConvertEnabled = 0;
    expected.OutputPath = "";
    EXPECT_EQ(readOverDefaults(), expected);
}

struct BadValue {
    const char* key;
    const char* text;
    friend void PrintTo(const BadValue& c, std::ostream* out) { *out << c.key << '=' << c.text; }
};

// A value that is empty or not of its type keeps the default. The empty ones
// are read right after a key whose text they would accept (WPFontName after
// StyleWEP, WPFontItalic after WPFontBold, IconWEP after IconNoWEP, StyleWEP
// after StyleNoWEP, TColorWep after TColorNoWep), so a value carried over
// from the key read before would show.
class BadValueRead : public SettingsTableTest, public testing::WithParamInterface<BadValue> {};

TEST_P(BadValueRead, KeepsTheDefault) {
    const Settings defaults = FirstStartSettings(folder());
    ASSERT_TRUE(WriteAllSettings(m_ini, defaults));
    const auto key =
        std::ranges::find(SettingKeys(), std::string_view(GetParam().key), &SettingKey::key);
    ASSERT_NE(key, SettingKeys().end());
    ASSERT_TRUE(m_ini.WriteValue(std::string(key->section), GetParam().key, GetParam().text));
    EXPECT_EQ(readOverDefaults(), defaults);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadValueRead,
    testing::Values(BadValue{"WPFontName", ""}, BadValue{"WPFontItalic", ""},
                    BadValue{"IconWEP", ""}, BadValue{"StyleWEP", ""}, BadValue{"TColorWep", ""},
                    BadValue{"WPFontBold", "yes"}, BadValue{"WPFontSize", "40000"},
                    BadValue{"WPFontColor", "12abc"}, BadValue{"WPTBoxBorder", "1e9"},
                    BadValue{"NoWEPCheck", "3"}, BadValue{"TConvertEnabled", "-1"},
                    BadValue{"TChangeColors", "one"}, BadValue{"IconNoWEP", "999"},
                    BadValue{"StyleNoWEP", "1"}, BadValue{"TLineNoWep", "7"},
                    BadValue{"TLineWep", "19"}),
    [](const auto& info) { return std::string(info.param.key); });

} // namespace
} // namespace wavemark
