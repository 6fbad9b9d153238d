#include "survey/SurveyFormat.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <utility>

namespace wavemark {
namespace {

// The format a start is told as, by how messages name one file of it.
std::string_view toldAs(std::string_view start) {
    const SurveyFormat format = RecognizeSurvey(start);
    return format == nullptr ? "none" : format->one;
}

TEST(SurveyFormat, ToldByTheFirstBytes) {
    const std::pair<std::string, std::string_view> cases[] = {
        {std::string("NetS\x0c\0\0\0\x02\0\0\0", 12), "an NS1 log"},
        {"NetStumbler notes, not a log", "none"}, // a text holds no zero bytes
        {"WigleWifi-1.6,appRelease=2.26\nMAC,SSID", "a WiGLE CSV file"},
        {"\xEF\xBB\xBFWigleWifi-1.4,appRelease=1\r\n", "a WiGLE CSV file"},
        {std::string("SQLite format 3\0\x10\0\x01\x01", 20), "a Kismet log"},
        {"SQLite format 3", "none"}, // the header ends in a zero byte
        {"# $Creator: Network Stumbler Version 0.4.0\r\n# $Format: wi-scan",
         "a NetStumbler export"},
        {"# notes\r\n# $Creator: Network Stumbler", "none"}, // only line 1 counts
        {"", "none"},
    };
    for (const auto& [start, format] : cases) {
        EXPECT_EQ(toldAs(start), format) << start;
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
        {"notes, 2004-04-08", "Is not an NS1 log, a WiGLE CSV file or a Kismet log"},
    };
    for (const auto& [start, text] : cases) {
        EXPECT_EQ(DescribeUnknownSurvey(start), text) << start;
    }
    EXPECT_EQ(toldAs(std::string("NetS\x0c\0\0\0 Network Stumbler", 25)), "an NS1 log");
}

} // namespace
} // namespace wavemark
