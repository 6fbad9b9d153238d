#include "convert/Waypoints.h"

#include "ExportText.h"
#include "survey/netstumbler/SummaryReader.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::ExportText;
using test::MakeAp;
using Names = std::vector<std::string>;

// With WEP, without WEP, ad-hoc, filtered, selected.
using Counters = std::array<int32_t, 5>;

Counters countersOf(const ConversionData& d) {
    return {d.CountWEP, d.CountNoWEP, d.CountAdHoc, d.CountFiltered, d.CountSelected};
}

// The counters reach the window through Convert, whose test shows them.
struct NoListener : SummaryCountListener {
    void countersReady(const ConversionData&) override {}
};

std::string withoutFix(const std::string& bssid, const std::string& ssid = "net") {
    return ApLine{.lat = "N 0.0000000", .lon = "E 0.0000000", .ssid = ssid, .bssid = bssid}.line();
}

void MakeWaypoints(const AccessPointList& survey, const WaypointOptions& options,
                   ConversionData& data, SummaryCountListener& listener) {
    WaypointMaker maker(options);
    for (const AccessPoint& ap : survey.accessPoints) {
        maker.add(AccessPointView::Of(ap));
    }
    maker.finish(survey.logDate, data, listener);
}

class WaypointsTest : public ::testing::Test {
protected:
    void read(const std::vector<std::string>& body) {
        survey = test::SummaryOf(ExportText(body));
        MakeWaypoints(survey, options, data, listener);
    }
    Names names() const {
        Names names;
        for (size_t w = 1; w < data.WptName.size(); ++w) {
            names.emplace_back(data.WptName[w]);
        }
        return names;
    }

    WaypointOptions options{"MOBILE,public", false, 141, 44, 4, 3};
    AccessPointList survey;
    ConversionData data;
    NoListener listener;
};

// Lines without a fix, and lines that cannot be read (ExportLine tells which),
// even with a filtered name, count nowhere; columns past the ninth are never
// too many; date lines and joined exports (their column titles included) date
// the lines after them. A flag digit of 3 has the privacy bit: WEP.
TEST_F(WaypointsTest, MakesAWaypointFromEachKeptLine) {
    const std::string joined =
        ExportText({MakeAp("00:00:00:00:00:05", "0031").line()}, "2004-04-11");
    read({MakeAp("00:0b:86:C2:e1:40", "0011").line(),
          MakeAp("00:00:00:00:00:02", "0001", "").line(), withoutFix("00:00:00:00:00:06"),
          ApLine{.ssid = "public", .signal = "[ 20 ]"}.line(), "", "garbage",
          MakeAp("00:00:00:00:00:03", "0002").line() + "\tx\ty\tz", test::DateLine("2004-04-09"),
          MakeAp("00:00:00:00:00:04", "0012").line(), joined.substr(0, joined.size() - 2)});
    EXPECT_EQ(countersOf(data), (Counters{3, 2, 2, 0, 5}));
    ASSERT_EQ(data.WptCount, 5);
    EXPECT_EQ(names(), (Names{"C2e140", "000002", "000003", "000004", "000005"}));
    EXPECT_EQ(data.WptTime[5] - data.WptTime[1], 3 * 86400);
    EXPECT_EQ(data.LogDate, "2004-04-11");
    EXPECT_EQ(std::vector<uint8_t>(data.WptDisplay.begin() + 1, data.WptDisplay.end()),
              (std::vector<uint8_t>{3, 4, 4, 3, 3}));
    using enum NetworkClass;
    EXPECT_EQ(std::vector(data.WptClass.begin() + 1, data.WptClass.end()),
              (std::vector{Protected, Open, AdHoc, AdHoc, Protected}));

    // The WEP lines still count without a waypoint.
    options.NoWEPCheck = true;
    MakeWaypoints(survey, options, data, listener);
    EXPECT_EQ(countersOf(data), (Counters{3, 2, 2, 0, 5}));
    EXPECT_EQ(names(), (Names{"000002", "000003"}));

    MakeWaypoints(test::SummaryOf("# Network Stumbler\r\nline 2\r\n"), options, data, listener);
    EXPECT_EQ(std::tuple(data.WptCount, data.LogDate), std::tuple(0, ""));
}

TEST_F(WaypointsTest, FilterMatchesWholeUntrimmedPiecesExactly) {
    const struct {
        const char* filter;
        Names kept;
        int32_t filtered;
    } cases[] = {
        {"MOBILE,public", {"000002", "000004", "000005"}, 2},
        {"MOBILE, public", {"000001", "000002", "000004", "000005"}, 1},
        {"MOBILE,", {"000001", "000002", "000004"}, 2},
        {"", {"000001", "000002", "000004", "000005"}, 0},
        {"Caf\xC3\xA9", {"000001", "000002", "000005"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        options.APFilter = c.filter;
        read({MakeAp("00:00:00:00:00:01", "0001", "public").line(),
              MakeAp("00:00:00:00:00:02", "0001", "Public").line(),
              withoutFix("00:00:00:00:00:03", "MOBILE"),
              MakeAp("00:00:00:00:00:04", "0001", "Caf\xE9").line(),
              MakeAp("00:00:00:00:00:05", "0001", "").line()});
        EXPECT_EQ(names(), c.kept);
        EXPECT_EQ(data.CountFiltered, c.filtered);
    }
}

// Names of more than 255 bytes are cut at the start of a character and counted; the filter still
// compares the whole name.
TEST_F(WaypointsTest, LongNamesAreCutAtACharacter) {
    const std::string name = std::string(254, 'a') + "\xE9\xE9";
    options.APFilter = "x";
    read({MakeAp("00:00:00:00:00:01", "0001", name).line(),
          MakeAp("00:00:00:00:00:02", "0001", std::string(255, 'b')).line()});
    EXPECT_EQ(data.WptComment[1], std::string(254, 'a'));
    EXPECT_EQ(data.WptComment[2], std::string(255, 'b'));
    EXPECT_EQ(data.NamesCut, 1);
    options.APFilter = "x," + std::string(254, 'a') + "\xC3\xA9\xC3\xA9";
    read({MakeAp("00:00:00:00:00:01", "0001", name).line()});
    EXPECT_EQ(data.CountFiltered, 1);
}

} // namespace
} // namespace wavemark
