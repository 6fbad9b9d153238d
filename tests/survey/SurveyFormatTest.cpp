#include "survey/SurveyFormat.h"

#include <gtest/gtest.h>
#include <string>

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

} // namespace
} // namespace wavemark
