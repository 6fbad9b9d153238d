#include "survey/netstumbler/SummaryReader.h"

#include "ExportText.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

using test::ApLine;
using test::MakeAp;

// Every well-formed line gives an access point, with or without a fix; the
// flag column's third digit tells the protection as a character, its fourth
// an ad-hoc peer. The last date line dates the log.
TEST(SummaryReader, GivesAnAccessPointPerWellFormedLine) {
    const AccessPointList survey = test::SummaryOf(test::ExportText(
        {MakeAp("00:0b:86:c2:e1:40", "0011", "  public ").line(),
         ApLine{.lat = "N 0.0000000", .lon = "E 0.0000000", .flags = "0002"}.line(), "garbage",
         MakeAp("00:00:00:00:00:03", "0031", "").line(), test::DateLine("2004-04-09")}));
    using Row = std::tuple<std::string, std::string, bool, Protection, bool>;
    std::vector<Row> rows;
    for (const AccessPoint& ap : survey.accessPoints) {
        rows.emplace_back(ap.networkName, ap.bssid, ap.hasPosition, ap.protection, ap.adHoc);
    }
    EXPECT_EQ(rows, (std::vector<Row>{
                        {"public", "( 00:0b:86:c2:e1:40 )", true, Protection::Protected, false},
                        {"public", "( 00:0b:86:c2:e1:40 )", false, Protection::Open, true},
                        {"", "( 00:00:00:00:00:03 )", true, Protection::Unknown, false}}));
    EXPECT_EQ(survey.accessPoints[0].lat, 47.377015);
    EXPECT_EQ(survey.accessPoints[0].signal, 70.0f);
    EXPECT_EQ(survey.logDate, "2004-04-09");
}

} // namespace
} // namespace wavemark
