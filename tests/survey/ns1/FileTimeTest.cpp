#include "survey/ns1/FileTime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavemark::ns1 {
namespace {

// A FILETIME becomes the GTM time the exports' date and clock time would
// give: whole seconds, the distance from 1989-12-31 taken positive, nothing
// beyond 2^31 - 1 seconds either way.
TEST(FileTime, GivesTheExportsGtmTime) {
    struct Case {
        uint64_t ticks;
        std::optional<int32_t> gtm;
    };
    const std::vector<Case> cases{
        {127'270'656'000'000'000, 451'526'400},   // 2004-04-22 00:00:00
        {127'270'656'009'999'999, 451'526'400},   // and 0.9999999 s
        {127'270'656'010'000'000, 451'526'401},   // 00:00:01
        {122'755'392'000'000'000, 0},             // 1989-12-31 00:00:00
        {122'755'391'999'999'999, 1},             // 1989-12-30 23:59:59
        {122'755'391'990'000'000, 1},             // the same second
        {122'755'391'980'000'000, 2},             // 23:59:58
        {144'230'228'470'000'000, 2'147'483'647}, // 2058-01-18 03:14:07
        {144'230'228'480'000'000, std::nullopt},  // a second later
        {101'280'555'530'000'000, 2'147'483'647}, // 1921-12-12 20:45:53
        {101'280'555'529'999'999, std::nullopt},  // a tick earlier
        {0, std::nullopt},                        // 1601-01-01
        {UINT64_MAX, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GtmTimeOfFileTime(c.ticks), c.gtm) << c.ticks;
    }
}

TEST(FileTime, GivesTheDateAsTheExportsWriteIt) {
    const std::vector<std::pair<uint64_t, std::string>> cases{
        {0, "1601-01-01"},
        {122'755'392'000'000'000, "1989-12-31"},
        {127'270'656'000'000'000, "2004-04-22"},
        {127'270'655'999'999'999, "2004-04-21"},
        {125'962'992'000'000'000, "2000-02-29"}, // 12:00
        {157'520'160'000'000'000, "2100-03-01"},
        {UINT64_MAX, "60056-05-28"},
    };
    for (const auto& [ticks, date] : cases) {
        EXPECT_EQ(DateOfFileTime(ticks), date) << ticks;
    }
}

} // namespace
} // namespace wavemark::ns1
