#include "survey/wigle/WigleFields.h"
#include "survey/wigle/FirstSeen.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

TEST(WigleFields, AuthModeClassAsFirmwareSpellIt) {
    struct Case {
        std::string_view authMode;
        Protection protection;
        bool adHoc;
    };
    constexpr Protection P = Protection::Protected, O = Protection::Open;
    for (const Case& c : std::vector<Case>{
             {"[WPA2-PSK-CCMP][RSN-PSK-CCMP][ESS]", P, false},
             {"[WPA-PSK-CCMP+TKIP] [WPA2-PSK-CCMP+TKIP][ESS]", P, false},
             {"[RSN-SAE-CCMP][ESS]", P, false},
             {"[WPA2-EAP-CCMP]", P, false},
             {"[OWE][ESS]", P, false},
             {"[WEP][ESS]", P, false},
             {"WPA_WPA2_PSK", P, false},
             {"[WAPI_PSK]", P, false},
             {"wpa2", P, false},
             {"rsn", P, false},
             {"[WEP][IBSS]", P, true},
             {"[IBSS]", O, true},
             {"[ibss]", O, true},
             {"[ESS]", O, false},
             {"[ESS][WPS]", O, false},
             {"", O, false},
             {"OPEN", O, false},
             {"[UNKNOWN]", O, false},
             {"Misc [LE]", O, false},
             {"WE P", O, false},
         }) {
        const AuthClass got = ClassifyAuthMode(c.authMode);
        EXPECT_EQ(got.protection, c.protection) << c.authMode;
        EXPECT_EQ(got.adHoc, c.adHoc) << c.authMode;
    }
}

TEST(WigleFields, MacAddressesInEitherCase) {
    for (const auto& [text, value] :
         std::vector<std::pair<std::string_view, std::optional<uint64_t>>>{
             {"00:0b:86:c2:e1:40", 0x000b86c2e140},
             {"00:0B:86:C2:E1:40", 0x000b86c2e140},
             {" ff-ff-ff-ff-ff-fe\t", 0xfffffffffffe},
             {"00:0b:86:c2:e1", std::nullopt},
             {"00:0b:86:c2:e1:4g", std::nullopt},
             {"00:0b:86:c2:e1:400", std::nullopt},
             {"00.0b.86.c2.e1.40", std::nullopt},
             {"310260_12345_6789", std::nullopt},
             {"", std::nullopt},
         }) {
        EXPECT_EQ(ParseMac(text), value) << text;
    }
}

// The values are those the library's exact parse gives the same text.
TEST(WigleFields, DecimalsAsFromChars) {
    for (const auto& [text, value] :
         std::vector<std::pair<std::string_view, std::optional<double>>>{
             {"47.3766120", 47.376612},
             {"-0.12764", -0.12764},
             {"+3", 3.0},
             {" -71 ", -71.0},
             {"5.", 5.0},
             {"12345678.1234567", 12345678.1234567},
             {"123456789.5", 123456789.5},
             {"-0.000000001", -0.000000001},
             {".5", 0.5},
             {"51.5072100000000000123", 51.50721},
             {"1e-05", 1e-05},
             {"123456789012345678", 123456789012345678.0},
             {"", std::nullopt},
             {"-", std::nullopt},
             {"1.2.3", std::nullopt},
             {"N 47.1", std::nullopt},
             {"+-5", std::nullopt},
             {"nan", std::nullopt},
             {"inf", std::nullopt},
             {"1e999", std::nullopt},
             {"0x10", std::nullopt},
         }) {
        EXPECT_EQ(ParseDecimal(text), value) << text;
    }
}

TEST(WigleFields, RadioTypes) {
    for (const std::string_view type : {"WIFI", "wifi", " WIFI "}) {
        EXPECT_TRUE(IsWifiType(type)) << type;
    }
    for (const std::string_view type : {"BT", "BLE", "GSM", "CDMA", "WCDMA", "LTE", "NR", "NFC"}) {
        EXPECT_TRUE(IsRadioTypeName(type)) << type;
        EXPECT_FALSE(IsWifiType(type)) << type;
    }
    for (const std::string_view type : {"", "4.0", "WIF", "WIFI6"}) {
        EXPECT_FALSE(IsRadioTypeName(type)) << type;
    }
}

// Seconds from 1989-12-31 00:00:00.
TEST(FirstSeen, ReadsTheLayoutsWritersUse) {
    FirstSeenReader reader;
    for (const auto& [text, seconds] :
         std::vector<std::pair<std::string_view, std::optional<int64_t>>>{
             {"2023-05-07 09:03:02", 1052384582},
             {"2023-5-7 9:3:2", 1052384582},
             {"2023/05/07 09:03:02", 1052384582},
             {"05/07/2023 09:03:02", 1052384582},
             {" 2023-05-07 09:03:02 ", 1052384582},
             {"2024-02-29 23:59:59", 1078185599},
             {"1990-01-01 00:00:00", 86400},
             {"1989-12-30 23:59:59", -1},
             {"2023-02-29 10:00:00", std::nullopt},
             {"2023-05-07 24:00:00", std::nullopt},
             {"2023-05-07 09:60:00", std::nullopt},
             {"2023-05-07T09:03:02", std::nullopt},
             {"2023-05-07", std::nullopt},
             {"", std::nullopt},
         }) {
        const auto moment = reader.read(text);
        EXPECT_EQ(moment ? std::optional<int64_t>(moment->seconds()) : std::nullopt, seconds)
            << text;
    }
}

TEST(FirstSeen, CalendarDateOfADay) {
    for (const auto& [day, date] :
         std::vector<std::pair<int64_t, std::string>>{{0, "1989-12-31"},
                                                      {1, "1990-01-01"},
                                                      {12180, "2023-05-07"},
                                                      {12479, "2024-03-01"},
                                                      {-7304, "1970-01-01"}}) {
        EXPECT_EQ(CalendarDate(day), date) << day;
    }
}

} // namespace
} // namespace wavemark
