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

// Every well-formed line gives an access point, with or without a fix, its
// Windows-1252 name as UTF-8 without the blanks around it. The last date
// line dates the log.
TEST(SummaryReader, GivesAnAccessPointPerWellFormedLine) {
    const AccessPointList survey = test::SummaryOf(test::ExportText(
        {MakeAp("00:0b:86:c2:e1:40", "0011", "  caf\xE9 ").line(),
         ApLine{.lat = "N 0.0000000", .lon = "E 0.0000000", .flags = "0002"}.line(), "garbage",
         MakeAp("00:00:00:00:00:03", "0031", "").line(), test::DateLine("2004-04-09\xE9")}));
    using Row = std::tuple<std::string, std::string, bool, Protection, bool>;
    std::vector<Row> rows;
    for (const AccessPoint& ap : survey.accessPoints) {
        rows.emplace_back(ap.networkName, ap.bssid, ap.hasPosition, ap.protection, ap.adHoc);
    }
    EXPECT_EQ(rows,
              (std::vector<Row>{
                  {"caf\xC3\xA9", "( 00:0b:86:c2:e1:40 )", true, Protection::Protected, false},
                  {"public", "( 00:0b:86:c2:e1:40 )", false, Protection::Open, true},
                  {"", "( 00:00:00:00:00:03 )", true, Protection::Protected, false}}));
    EXPECT_EQ(survey.accessPoints[0].lat, 47.377015);
    EXPECT_EQ(survey.accessPoints[0].signal, 70.0f);
    EXPECT_EQ(survey.logDate, "2004-04-09\xC3\xA9");
}

// The flag column is the capability field in hex, as NetStumbler 0.4 writes it: the privacy bit
// 0x0010 (third digit odd) is WEP, the IBSS bit 0x0002 ad-hoc; a character that is no hex digit
// tells neither.
TEST(SummaryReader, ReadsTheFlagColumnAsTheCapabilityField) {
    const std::vector<std::tuple<std::string, Protection, bool>> cases{
        {"0001", Protection::Open, false},      {"0011", Protection::Protected, false},
        {"0002", Protection::Open, true},       {"0012", Protection::Protected, true},
        {"0401", Protection::Open, false},      {"0421", Protection::Open, false},
        {"0431", Protection::Protected, false}, {"0041", Protection::Open, false},
        {"0422", Protection::Open, true},       {"0005", Protection::Open, false},
        {"0061", Protection::Open, false},      {"00f3", Protection::Protected, true},
        {"00BE", Protection::Protected, true},  {"00g7", Protection::Unknown, true},
        {"00 x", Protection::Unknown, false}};
    std::vector<std::string> lines;
    for (const auto& [flags, protection, adHoc] : cases) {
        lines.push_back(MakeAp("00:0b:86:c2:e1:40", flags, "net").line());
    }
    const AccessPointList survey = test::SummaryOf(test::ExportText(lines));
    ASSERT_EQ(survey.accessPoints.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [flags, protection, adHoc] = cases[i];
        EXPECT_EQ(survey.accessPoints[i].protection, protection) << flags;
        EXPECT_EQ(survey.accessPoints[i].adHoc, adHoc) << flags;
    }
}

} // namespace
} // namespace wavemark
