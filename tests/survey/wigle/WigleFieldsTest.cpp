#include "survey/wigle/WigleFields.h"

#include "survey/MacAddress.h"
#include "survey/SurveyTime.h"
#include "survey/wigle/FirstSeen.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

constexpr auto kNone = std::nullopt;

// Each protecting name alone, in Android's and firmwares' spellings, and near misses.
TEST(WigleFields, AuthModeClass) {
    for (const auto& [text, guarded, adHoc] : std::vector<std::tuple<std::string_view, bool, bool>>{
             {"wpa2", true, false},
             {"WPA3-Personal", true, false},
             {"rsn", true, false},
             {"[WAPI_PSK]", true, false},
             {"802.1X-EAP", true, false},
             {"Sae", true, false},
             {"[OWE][ESS]", true, false},
             {"[WEP][IBSS]", true, true},
             {"[IBSS]", false, true},
             {"[ESS][WPS]", false, false},
             {"WE P", false, false},
             {"", false, false},
         }) {
        const AuthClass got = ClassifyAuthMode(text);
        EXPECT_EQ(got.protection, guarded ? Protection::Protected : Protection::Open) << text;
        EXPECT_EQ(got.adHoc, adHoc) << text;
    }
}

TEST(WigleFields, MacAddresses) {
    EXPECT_EQ(ParseMac("00:0b:86:c2:e1:40"), 0x000b86c2e140u);
    EXPECT_EQ(ParseMac(" FF-FF-FF-FF-FF-FE\t"), 0xfffffffffffeu);
    for (const std::string_view text : {"00:0b:86:c2:e1", "00:0b:86:c2:e1:4g", "00:0b:86:c2:e1:400",
                                        "00.0b.86.c2.e1.40", "310260_12345_6789"}) {
        EXPECT_EQ(ParseMac(text), kNone) << text;
    }
}

// The values are those the library's exact parse gives the same text.
TEST(WigleFields, DecimalsAsFromChars) {
    for (const auto& [text, value] : std::vector<std::pair<std::string_view, double>>{
             {"47.3766120", 47.376612},
             {"+3", 3.0},
             {" -71 ", -71.0},
             {"5.", 5.0},
             {".5", 0.5},
             {"12345678.1234567", 12345678.1234567},
             {"-0.000000001", -0.000000001},
             {"51.5072100000000000123", 51.50721},
             {"1e-05", 1e-05},
             {"123456789012345678", 123456789012345678.0},
         }) {
        EXPECT_EQ(ParseDecimal(text), value) << text;
    }
    for (const std::string_view text :
         {"", "-", "1.2.3", "N 47.1", "+-5", "nan", "inf", "1e999", "0x10"}) {
        EXPECT_EQ(ParseDecimal(text), kNone) << text;
    }
}

TEST(WigleFields, RadioTypes) {
    for (const std::string_view type : {"WIFI", "wifi", " WIFI "}) {
        EXPECT_TRUE(IsWifiType(type) && IsRadioTypeName(type)) << type;
    }
    for (const std::string_view type : {"BT", "BLE", "GSM", "CDMA", "WCDMA", "LTE", "NR", "NFC"}) {
        EXPECT_TRUE(IsRadioTypeName(type) && !IsWifiType(type)) << type;
    }
    for (const std::string_view type : {"", "4.0", "WIF", "WIFI6"}) {
        EXPECT_FALSE(IsRadioTypeName(type) || IsWifiType(type)) << type;
    }
}

// Seconds since 1970-01-01 00:00:00 (UTC, as writers give it), and the day's date.
TEST(FirstSeen, ReadsTheLayoutsWritersUse) {
    FirstSeenReader reader;
    for (const auto& [text, seconds, date] :
         std::vector<std::tuple<std::string_view, std::optional<int64_t>, std::string>>{
             {"2023-05-07 09:03:02", 1683450182, "2023-05-07"},
             {"2023-5-7 9:3:2", 1683450182, "2023-05-07"},
             {"2023/05/07 09:03:02", 1683450182, "2023-05-07"},
             {"05/07/2023 09:03:02", 1683450182, "2023-05-07"},
             {" 2023-05-07 09:03:02 ", 1683450182, "2023-05-07"},
             {"2024-02-29 23:59:59", 1709251199, "2024-02-29"},
             {"2024-03-01 00:00:00", 1709251200, "2024-03-01"},
             {"1989-12-30 23:59:59", 631065599, "1989-12-30"},
             {"1970-01-01 00:00:00", 0, "1970-01-01"},
             {"1969-12-31 23:59:59", -1, "1969-12-31"},
             {"2023-02-29 10:00:00", kNone, ""},
             {"2023-05-07 24:00:00", kNone, ""},
             {"2023-05-07T09:03:02", kNone, ""},
             {"2023-05-07", kNone, ""},
         }) {
        const auto moment = reader.read(text);
        EXPECT_EQ(moment ? std::optional(moment->seconds()) : kNone, seconds) << text;
        EXPECT_EQ(moment ? CalendarDate(moment->day) : "", date) << text;
    }
}

} // namespace
} // namespace wavemark
