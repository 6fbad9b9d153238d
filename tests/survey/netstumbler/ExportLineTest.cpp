#include "survey/netstumbler/ExportLine.h"

#include "ExportText.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

using test::ApLine;

const DateInForce kDate("2004-04-08");

std::optional<ExportReading> read(const std::string& line) {
    return ReadDataLine(line, kDate, kAnyColumnCount);
}

TEST(ExportLine, ReadsTheColumnsOfAWellFormedLine) {
    const ApLine ap{.ssid = "  padded  ", .signal = "[ 0 -32618 -32618 ]", .flags = "0012"};
    const std::string line = ap.line(); // the reading's texts point into it
    const auto r = read(line);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->networkName, "padded");
    EXPECT_EQ(r->time, 1081427696);
    EXPECT_EQ(r->signal, -32618.0f);
    EXPECT_EQ(read(ApLine{.signal = "[ 20 70.5 50 ]"}.line())->signal, 70.5f);
}

TEST(ExportLine, PositionNeedsAFixWithinTheGlobe) {
    const struct {
        const char* lat;
        const char* lon;
        bool positioned;
    } cases[] = {{"S 0.0000000", "W 0.0000000", false},
                 {"N 0.0000000", "E 8.5390250", true},
                 {"N 47.0000000", "E 720.0000000", false},
                 {"N 90.0000000", "W 180.0000000", true},
                 {"N 90.0000001", "E 1.0000000", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(read(ApLine{.lat = c.lat, .lon = c.lon}.line()).value().hasPosition(),
                  c.positioned)
            << c.lat << " " << c.lon;
    }
}

TEST(ExportLine, MalformedLinesAreNotRead) {
    const struct {
        const char* why;
        std::string line;
    } cases[] = {
        {"eight columns", ApLine{}.line().substr(0, ApLine{}.line().rfind("\t0001"))},
        {"name column without room for brackets",
         "N 1\tE 1\t()\tBSS\t( 00:0b:86:c2:e1:40 )\t12:34:56 (GMT)\t[ 20 70 50 ]\t# (  )\t0001"},
        {"short BSSID", ApLine{.bssid = "00:0b:86"}.line()},
        {"short time", ApLine{.time = "1:2"}.line()},
        {"signal exponent", ApLine{.signal = "[ 20 7e1 50 ]"}.line()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(read(c.line)) << c.why;
    }
}

TEST(ExportLine, DatesMustBeValidAndExportsAreKnownByTheirFirstLine) {
    EXPECT_FALSE(ReadDataLine(ApLine{}.line(), DateInForce("2004-02-30"), kAnyColumnCount));
    EXPECT_FALSE(IsDateLine("# $DateGMT 2004-04-09"));
    EXPECT_FALSE(IsNetStumblerExport("# network stumbler"));
    EXPECT_TRUE(IsNetStumblerExport("# $Creator: Network Stumbler Version 0.4.0"));
}

} // namespace
} // namespace wavemark
