#include "survey/MergeSurveys.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace wavemark {
namespace {

const std::string kA = "( 00:00:00:00:00:0a )";
const std::string kB = "( 00:00:00:00:00:0b )";

// A survey of one file: its access points, and readings at latitudes 1, 2, ...
// of the BSSIDs given, in that order.
Survey file(std::vector<AccessPoint> aps, const std::vector<std::string>& readingsOf,
            std::string date) {
    Survey survey;
    survey.accessPoints = {std::move(aps), std::move(date)};
    double lat = 1;
    for (const std::string& bssid : readingsOf) {
        survey.readings.add(survey.groupOf(bssid), lat++, 8.5, 0, 70, Protection::Protected);
    }
    survey.skipped = {{"malformed rows", 2}};
    return survey;
}

// Latitudes of the merged readings by BSSID, in order.
std::vector<std::pair<std::string, double>> readingsOf(Survey& survey) {
    std::vector<std::pair<std::string, double>> seen;
    for (size_t i = 0; i < survey.readings.group.size(); ++i) {
        seen.emplace_back(survey.bssids.textOf(survey.readings.group[i]), survey.readings.lat[i]);
    }
    return seen;
}

// One access point per BSSID, kept at its strongest reading (a position beats
// any signal without one, the earlier of equals stays); readings follow one
// another file by file; the later log date and the sum of what was left out.
TEST(SurveyMerger, OneAccessPointPerBssidAndReadingsInFileOrder) {
    SurveyMerger merger;
    merger.add(file({{.networkName = "first", .bssid = kA, .hasPosition = true, .signal = 60},
                     {.networkName = "b", .bssid = kB, .hasPosition = false, .signal = 90}},
                    {kA, kB}, "2004-04-09"));
    merger.add(file({{.networkName = "equal", .bssid = kA, .hasPosition = true, .signal = 60},
                     {.networkName = "fixed", .bssid = kB, .hasPosition = true, .signal = 10},
                     {.networkName = "c", .bssid = "( 00:00:00:00:00:0c )"}},
                    {kB, kA}, "2004-04-08"));
    Survey& total = merger.total();
    std::vector<std::string> names;
    for (const AccessPoint& ap : total.accessPoints.accessPoints) {
        names.push_back(ap.networkName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"first", "fixed", "c"}));
    EXPECT_EQ(readingsOf(total),
              (std::vector<std::pair<std::string, double>>{{kA, 1}, {kB, 2}, {kB, 1}, {kA, 2}}));
    EXPECT_EQ(total.readings.countOfGroup, (std::vector<int32_t>{2, 2}));
    // A track is classed by its last reading, whichever file gave it.
    EXPECT_EQ(total.readings.lastProtectionOfGroup,
              (std::vector<Protection>{Protection::Protected, Protection::Protected}));
    EXPECT_EQ(total.accessPoints.logDate, "2004-04-09");
    EXPECT_EQ(total.skipped, (std::vector<std::pair<std::string, int64_t>>{{"malformed rows", 4}}));
}

} // namespace
} // namespace wavemark
