#include "survey/SurveyFormat.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace wavemark {
namespace {

TEST(SurveyFormat, ToldByTheFirstBytes) {
    using F = SurveyFormat;
    const struct {
        std::string start;
        SurveyFormat format;
    } cases[] = {
        {std::string("NetS\x0c\0\0\0\x02\0\0\0", 12), F::Ns1},
        {"NetStumbler notes, not a log", F::Unknown}, // a text holds no zero bytes
        {"WigleWifi-1.6,appRelease=2.26\nMAC,SSID", F::WigleCsv},
        {"\xEF\xBB\xBFWigleWifi-1.4,appRelease=1\r\n", F::WigleCsv},
        {"# $Creator: Network Stumbler Version 0.4.0\r\n# $Format: wi-scan", F::NetStumblerExport},
        {"# notes\r\n# $Creator: Network Stumbler", F::Unknown}, // only line 1 counts
        {"", F::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecognizeSurvey(c.start), c.format) << c.start;
    }
}

// A file of no known kind is named for what it is; an NS1 log whose binary start holds the
// exports' program name is still a log, as the more particular signature is tried first.
TEST(SurveyFormat, UnknownStartsSayWhatTheyAre) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Is empty"},
        {"Net", "Is 3 bytes long, too short for any survey"},
        {"x", "Is 1 byte long, too short for any survey"},
        {std::string("NetS\0\1\0\0\0\0\0\0", 12), "Has NS1 version 256, which is not known"},
        {"\xFF\xFEW\0i\0", "Is UTF-16 text"},
        {std::string("W\0i\0g\0l\0e\0", 10), "Is UTF-16 text"},
        {std::string("\0W\0i\0g\0l\0e", 10), "Is UTF-16 text"},
        {"notes, 2004-04-08", "Is not an NS1 log or a WiGLE CSV file"},
    };
    for (const auto& [start, text] : cases) {
        EXPECT_EQ(DescribeUnknownSurvey(start), text) << start;
    }
    EXPECT_EQ(RecognizeSurvey(std::string("NetS\x0c\0\0\0 Network Stumbler", 25)),
              SurveyFormat::Ns1);
}

} // namespace
} // namespace wavemark
