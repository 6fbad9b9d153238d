#include "SummaryReader.h"

#include "ExportText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::DateLine;
using test::ExportText;
using test::LinesOf;
using test::MakeAp;

struct Counters {
    int32_t wep, noWep, adHoc, filtered, selected;
    bool operator==(const Counters&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counters& c) {
    return out << "wep " << c.wep << ", no wep " << c.noWep << ", ad-hoc " << c.adHoc
               << ", filtered " << c.filtered << ", selected " << c.selected;
}

// Remembers what the data held when the counters were handed over.
class CounterSnapshot : public SummaryCountListener {
public:
    void countersReady(const ConversionData& data) override {
        ++calls;
        counters = {data.CountWEP, data.CountNoWEP, data.CountAdHoc, data.CountFiltered,
                    data.CountSelected};
        waypointsAtThatMoment = data.WptCount;
    }
    int calls = 0;
    Counters counters{};
    int32_t waypointsAtThatMoment = -1;
};

class SummaryReaderTest : public ::testing::Test {
protected:
    void read(const std::vector<std::string>& body, const std::string& date = "2004-04-08") {
        ReadSummary(LinesOf(ExportText(body, date)), options, data, listener);
    }
    Counters counters() const {
        return {data.CountWEP, data.CountNoWEP, data.CountAdHoc, data.CountFiltered,
                data.CountSelected};
    }
    std::vector<std::string> names() const {
        return {data.WptName.begin() + 1, data.WptName.end()};
    }

    SummaryOptions options{"MOBILE,public", false, 141, 44, 4, 3};
    ConversionData data;
    CounterSnapshot listener;
};

TEST_F(SummaryReaderTest, MakesAWaypointFromEachColumn) {
    ApLine line = MakeAp("00:0b:86:C2:e1:40", "0011", "  my net ");
    line.lat = "S 33.8688000";
    line.lon = "W 70.6693000";
    read({line.line()});

    ASSERT_EQ(data.WptCount, 1);
    ASSERT_EQ(data.WptName.size(), 2u);
    EXPECT_EQ(data.WptName[1], "C2e140");
    EXPECT_EQ(data.WptComment[1], "my net");
    EXPECT_EQ(data.WptBssid[1], "( 00:0b:86:C2:e1:40 )");
    EXPECT_EQ(data.WptLat[1], -33.8688);
    EXPECT_EQ(data.WptLon[1], -70.6693);
    EXPECT_EQ(data.WptTime[1], 450362096);
    EXPECT_EQ(data.WptAltitude[1], 70.0f);
    EXPECT_EQ(data.WptIcon[1], 44);
    EXPECT_EQ(data.WptDisplay[1], 3);
    EXPECT_EQ(data.WptRotation[1], 0);
    EXPECT_EQ(data.LogDate, "2004-04-08");
}

TEST_F(SummaryReaderTest, FlagDigitsAreComparedAsCharacters) {
    read({MakeAp("00:00:00:00:00:01", "0011").line(), MakeAp("00:00:00:00:00:02", "0001").line(),
          MakeAp("00:00:00:00:00:03", "0002").line(), MakeAp("00:00:00:00:00:04", "0012").line(),
          MakeAp("00:00:00:00:00:05", "0031").line()});

    EXPECT_EQ(counters(), (Counters{2, 2, 2, 0, 5}));
    ASSERT_EQ(data.WptCount, 5);
    const std::vector<int16_t> icons(data.WptIcon.begin() + 1, data.WptIcon.end());
    EXPECT_EQ(icons, (std::vector<int16_t>{44, 141, 141, 44, 44}));
    const std::vector<uint8_t> styles(data.WptDisplay.begin() + 1, data.WptDisplay.end());
    EXPECT_EQ(styles, (std::vector<uint8_t>{3, 4, 4, 3, 3}));
}

TEST_F(SummaryReaderTest, OnlyWithoutWepLeavesOutDigitOneOnly) {
    options.NoWEPCheck = true;
    read({MakeAp("00:00:00:00:00:01", "0011").line(), MakeAp("00:00:00:00:00:02", "0001").line(),
          MakeAp("00:00:00:00:00:03", "0031").line()});
    EXPECT_EQ(counters(), (Counters{1, 1, 0, 0, 3}));
    EXPECT_EQ(names(), (std::vector<std::string>{"000002", "000003"}));
}

TEST_F(SummaryReaderTest, FilterMatchesWholeNamesExactly) {
    ApLine unpositioned = MakeAp("00:00:00:00:00:03", "0001", "MOBILE");
    unpositioned.lat = "N 0.0000000";
    unpositioned.lon = "E 0.0000000";
    read({MakeAp("00:00:00:00:00:01", "0001", "public").line(),
          MakeAp("00:00:00:00:00:02", "0001", "Public").line(), unpositioned.line(),
          MakeAp("00:00:00:00:00:04", "0001", "publicity").line()});
    EXPECT_EQ(counters(), (Counters{0, 2, 0, 2, 2}));
    EXPECT_EQ(names(), (std::vector<std::string>{"000002", "000004"}));
}

TEST_F(SummaryReaderTest, FilterPiecesAreNotTrimmed) {
    options.APFilter = "MOBILE, public";
    read({MakeAp("00:00:00:00:00:01", "0001", "public").line()});
    EXPECT_EQ(data.CountFiltered, 0);

    options.APFilter = "MOBILE,";
    read({MakeAp("00:00:00:00:00:01", "0001", "").line(), MakeAp("00:00:00:00:00:02").line()});
    EXPECT_EQ(data.CountFiltered, 1);
    EXPECT_EQ(names(), std::vector<std::string>{"000002"});

    options.APFilter = "";
    read({MakeAp("00:00:00:00:00:01", "0001", "").line()});
    EXPECT_EQ(data.CountFiltered, 0);
    EXPECT_EQ(data.WptComment[1], "000001");
}

TEST_F(SummaryReaderTest, NamesAreTheExportsBytes) {
    options.APFilter = "caf\xE9";
    read({MakeAp("00:00:00:00:00:01", "0001", "caf\xE9").line(),
          MakeAp("00:00:00:00:00:02", "0001", "Caf\xE9 \xA0").line()});
    EXPECT_EQ(data.CountFiltered, 1);
    ASSERT_EQ(data.WptCount, 1);
    EXPECT_EQ(data.WptComment[1], "Caf\xE9 \xA0");
}

TEST_F(SummaryReaderTest, LinesWithoutFixAreNeitherSelectedNorKept) {
    ApLine zero = MakeAp("00:00:00:00:00:01");
    zero.lat = "N 0.0000000";
    zero.lon = "E 0.0000000";
    ApLine noFix = MakeAp("00:00:00:00:00:02");
    noFix.lat = "N 360.0000000";
    noFix.lon = "E 720.0000000";
    ApLine onMeridian = MakeAp("00:00:00:00:00:03");
    onMeridian.lat = "N 0.0000000";
    read({zero.line(), noFix.line(), onMeridian.line()});
    EXPECT_EQ(counters(), (Counters{0, 1, 0, 0, 1}));
    EXPECT_EQ(names(), std::vector<std::string>{"000003"});
}

TEST_F(SummaryReaderTest, DateLinesDateTheLinesAfterThem) {
    ApLine early = MakeAp("00:00:00:00:00:01");
    ApLine late = MakeAp("00:00:00:00:00:02");
    read({early.line(), DateLine("2004-04-09"), late.line()});
    ASSERT_EQ(data.WptCount, 2);
    EXPECT_EQ(data.WptTime[2] - data.WptTime[1], 86400);
    EXPECT_EQ(data.LogDate, "2004-04-09");
}

TEST_F(SummaryReaderTest, MalformedLinesCountNowhere) {
    ApLine noSignal = MakeAp("00:00:00:00:00:02", "0012", "public");
    noSignal.signal = "[ 20 ]";
    ApLine badTime = MakeAp("00:00:00:00:00:03", "0011", "MOBILE");
    badTime.time = "25:00:00";
    read({MakeAp("00:00:00:00:00:01").line(), noSignal.line(), badTime.line(), "", "garbage",
          MakeAp("00:00:00:00:00:04", "0011", "public").line().substr(0, 40)});
    EXPECT_EQ(counters(), (Counters{0, 1, 0, 0, 1}));
    EXPECT_EQ(listener.counters, counters());
    EXPECT_EQ(names(), std::vector<std::string>{"000001"});
}

TEST_F(SummaryReaderTest, JoinedExportsAreReadAsOne) {
    std::string second = ExportText({MakeAp("00:00:00:00:00:02").line()}, "2004-04-10");
    std::vector<std::string> body = {MakeAp("00:00:00:00:00:01").line()};
    for (size_t start = 0, end; (end = second.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        body.push_back(second.substr(start, end - start));
    }
    read(body);
    ASSERT_EQ(data.WptCount, 2);
    EXPECT_EQ(data.WptTime[2] - data.WptTime[1], 2 * 86400);
    EXPECT_EQ(data.LogDate, "2004-04-10");
}

TEST_F(SummaryReaderTest, CountersAreHandedOverBeforeWaypointsAreMade) {
    data.WptCount = 7;
    read({MakeAp("00:00:00:00:00:01", "0011").line(), MakeAp("00:00:00:00:00:02", "0002").line()});
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.counters, (Counters{1, 1, 1, 0, 2}));
    EXPECT_EQ(listener.waypointsAtThatMoment, 7);
    EXPECT_EQ(data.WptCount, 2);
}

TEST_F(SummaryReaderTest, ShortExportHasNoDateAndNoWaypoint) {
    ReadSummary(LinesOf("# Network Stumbler\r\nline 2\r\nline 3\r\n"), options, data, listener);
    EXPECT_EQ(data.WptCount, 0);
    EXPECT_EQ(data.WptName.size(), 1u);
    EXPECT_EQ(data.LogDate, "");
    EXPECT_EQ(listener.calls, 1);
}

} // namespace
} // namespace wavemark
