#include "survey/SurveyTime.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

std::optional<int64_t> momentOf(const char* date, const char* time) {
    const auto day = ParseSurveyDate(date);
    const auto second = ParseClockTime(time);
    return day && second ? ExportLineTime(*day, *second) : std::nullopt;
}

// True UTC seconds, before 1990 too, within 2^31 - 1 seconds of 1989-12-31 either way; and
// back to their dates.
TEST(SurveyTime, ExportLinesAreUtcMomentsWithinTheirWindow) {
    EXPECT_EQ(momentOf("1989-12-31", "00:00:00"), 631065600);
    EXPECT_EQ(momentOf("2000-03-01", "00:00:00"), 951868800);
    EXPECT_EQ(momentOf("1989-12-30", "23:59:59"), 631065599);
    EXPECT_EQ(momentOf("1970-01-01", "00:00:00"), 0);
    EXPECT_EQ(momentOf("2058-01-18", "03:14:07"), 2778549247);
    EXPECT_EQ(momentOf("2058-01-18", "03:14:08"), std::nullopt);
    EXPECT_EQ(momentOf("1921-12-12", "20:45:53"), -1516418047);
    EXPECT_EQ(momentOf("1921-12-12", "20:45:52"), std::nullopt);
    for (const auto& [seconds, date] :
         std::vector<std::pair<int64_t, std::string>>{{-1516418047, "1921-12-12"},
                                                      {-1, "1969-12-31"},
                                                      {0, "1970-01-01"},
                                                      {951868799, "2000-02-29"},
                                                      {2778549247, "2058-01-18"}}) {
        EXPECT_EQ(CalendarDate(DayOf(seconds)), date) << seconds;
    }
}

TEST(SurveyTime, ReadsShortFieldsButOnlyCalendarMoments) {
    EXPECT_EQ(ParseSurveyDate(" 2004-4-8 "), ParseSurveyDate("2004-04-08"));
    EXPECT_EQ(ParseClockTime("1:2:3 "), 3723);
    for (const char* date : {"2003-02-29", "2004-13-01", "2004-00-10", "2004-04-31", "04-04-08",
                             "20040-04-08", "2004/04/08", "2004-04-08x", "2004-004-08", ""}) {
        EXPECT_EQ(ParseSurveyDate(date), std::nullopt) << date;
    }
    EXPECT_TRUE(ParseSurveyDate("2004-02-29").has_value());
    EXPECT_EQ(ParseSurveyDate("1900-02-29"), std::nullopt);
    for (const char* time :
         {"24:00:00", "12:60:00", "12:00:60", "12:34", "12-34-56", "1:2:3 (G", "123:4:5", ""}) {
        EXPECT_EQ(ParseClockTime(time), std::nullopt) << time;
    }
}

} // namespace
} // namespace wavemark
