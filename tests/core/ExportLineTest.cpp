#include "ExportLine.h"

#include "ExportText.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

using test::ApLine;

const DateInForce kDate("2004-04-08");

std::optional<ExportReading> read(const std::string& line, size_t maxColumns = kAnyColumnCount) {
    return ReadDataLine(line, kDate, maxColumns);
}

TEST(ExportLine, ReadsTheColumnsOfAWellFormedLine) {
    ApLine ap;
    ap.lat = "S 33.8688000";
    ap.lon = "W 70.6693000";
    ap.ssid = "  padded  ";
    ap.flags = "0012";
    const auto r = read(ap.line());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lat, -33.8688);
    EXPECT_EQ(r->lon, -70.6693);
    EXPECT_EQ(r->networkName, "padded");
    EXPECT_EQ(r->bssid, "( 00:0b:86:c2:e1:40 )");
    EXPECT_EQ(r->time, 450362096);
    EXPECT_EQ(r->signal, 70.0f);
    EXPECT_EQ(r->wepDigit, '1');
    EXPECT_TRUE(r->isAdHoc());
}

TEST(ExportLine, SignalLevelIsTheMiddleNumber) {
    ApLine ap;
    ap.signal = "[ 0 -32618 -32618 ]";
    EXPECT_EQ(read(ap.line())->signal, -32618.0f);
    ap.signal = "[ 20 70.5 50 ]";
    EXPECT_EQ(read(ap.line())->signal, 70.5f);
}

TEST(ExportLine, PositionNeedsAFixWithinTheGlobe) {
    struct Case {
        const char* lat;
        const char* lon;
        bool positioned;
    };
    for (const Case& c :
         {Case{"N 0.0000000", "E 0.0000000", false}, Case{"N 0.0000000", "E 8.5390250", true},
          Case{"S 0.0000000", "W 0.0000000", false}, Case{"N 360.0000000", "E 720.0000000", false},
          Case{"N 47.0000000", "E 720.0000000", false}, Case{"N 90.0000000", "W 180.0000000", true},
          Case{"N 90.0000001", "E 1.0000000", false}}) {
        ApLine ap;
        ap.lat = c.lat;
        ap.lon = c.lon;
        const auto r = read(ap.line());
        ASSERT_TRUE(r) << c.lat << " " << c.lon;
        EXPECT_EQ(r->hasPosition(), c.positioned) << c.lat << " " << c.lon;
    }
}

struct MalformedCase {
    const char* why;
    std::string line;
};

ApLine with(void (*change)(ApLine&)) {
    ApLine ap;
    change(ap);
    return ap;
}

class MalformedLineTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedLineTest, IsNotRead) {
    EXPECT_FALSE(read(GetParam().line, 13)) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedLineTest,
    ::testing::Values(
        MalformedCase{"empty line", ""},
        MalformedCase{"eight columns", "N 1\tE 1\t( a )\tBSS\t( 00:0b:86:c2:e1:40 )\t12:34:56 "
                                       "(GMT)\t[ 20 70 50 ]\t# (  )"},
        MalformedCase{"fourteen columns", ApLine{}.line() + "\ta\tb\tc\td"},
        MalformedCase{"name column without room for brackets",
                      "N 1\tE 1\t()\tBSS\t( 00:0b:86:c2:e1:40 )\t12:34:56 (GMT)\t[ 20 70 50 "
                      "]\t# (  )\t0001"},
        MalformedCase{"short BSSID", with([](ApLine& a) { a.bssid = "00:0b:86"; }).line()},
        MalformedCase{"short time", with([](ApLine& a) { a.time = "1:2"; }).line()},
        MalformedCase{"signal without a second number",
                      with([](ApLine& a) { a.signal = "[ 20 ]"; }).line()},
        MalformedCase{"signal not a number",
                      with([](ApLine& a) { a.signal = "[ SNR Sig Noise ]"; }).line()},
        MalformedCase{"signal with an exponent",
                      with([](ApLine& a) { a.signal = "[ 20 7e1 50 ]"; }).line()},
        MalformedCase{"short flags", with([](ApLine& a) { a.flags = "001"; }).line()},
        MalformedCase{"hour 24", with([](ApLine& a) { a.time = "24:00:00"; }).line()},
        MalformedCase{"column titles of a joined export",
                      "# Latitude\tLongitude\t( SSID )\tType\t( BSSID )\tTime (GMT)\t[ SNR Sig "
                      "Noise ]\t# ( Name )\tFlags\tChannelbits\tBcnIntvl"},
        MalformedCase{"creator line of a joined export",
                      "# $Creator: Network Stumbler Version 0.4.0"}));

TEST(ExportLine, ThirteenColumnsAreTheTextExportLimit) {
    const std::string thirteen = ApLine{}.line() + "\tx\ty";
    EXPECT_TRUE(read(thirteen, kTextExportColumnLimit));
    EXPECT_TRUE(read(thirteen + "\tz", kAnyColumnCount));
}

TEST(ExportLine, InvalidDateInForceMakesLinesUnreadable) {
    EXPECT_FALSE(ReadDataLine(ApLine{}.line(), DateInForce("2004-02-30"), kAnyColumnCount));
    EXPECT_FALSE(ReadDataLine(ApLine{}.line(), DateInForce(""), kAnyColumnCount));
    EXPECT_TRUE(ReadDataLine(ApLine{}.line(), DateInForce(" 2004-04-08 "), kAnyColumnCount));
}

TEST(ExportLine, RecognisesExportsByTheirFirstLine) {
    EXPECT_TRUE(IsNetStumblerExport(test::LinesOf(test::ExportText({}))));
    EXPECT_TRUE(IsNetStumblerExport(test::LinesOf("xx Network Stumbler xx\r\n")));
    EXPECT_FALSE(IsNetStumblerExport(test::LinesOf("network stumbler\r\n")));
    EXPECT_FALSE(IsNetStumblerExport(test::LinesOf("\r\nNetwork Stumbler\r\n")));
    EXPECT_FALSE(IsNetStumblerExport(modLoadFile::LoadedLines{}));
}

TEST(ExportLine, DateLineGivesItsTextFromCharacter13) {
    EXPECT_TRUE(IsDateLine("# $DateGMT: 2004-04-09"));
    EXPECT_FALSE(IsDateLine("# $DateGMT 2004-04-09"));
    EXPECT_EQ(DateText("# $DateGMT: 2004-04-09"), "2004-04-09");
    EXPECT_EQ(DateText("# $DateGMT:"), "");
}

} // namespace
} // namespace wavemark
