#include "survey/netstumbler/LeanLine.h"

#include "LeanAgreement.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace wavemark {
namespace {

const std::string kLine = "N 47.3765130\tE 8.5422280\t( Sunrise_2G )\tBSS\t( 00:0b:86:bc:52:80 )\t"
                          "23:59:10 (GMT)\t[ 28 79 51 ]\t# (  )\t0011\t0002\t100";
const DateInForce kDate("2004-04-08");

// `kLine` with its column `index` (from 0) replaced.
std::string withColumn(size_t index, const std::string& column) {
    std::string line = kLine;
    size_t start = 0;
    for (size_t k = 0; k < index; ++k) {
        start = line.find('\t', start) + 1;
    }
    return line.replace(start, line.find('\t', start) - start, column);
}

TEST(LeanLine, ReadsNetStumblersLayoutAsTheGeneralReaderDoes) {
    LeanReading reading;
    ASSERT_EQ(ReadLeanLine(kLine + "\r\nnext", kDate, reading), kLine.size() + 2);
    EXPECT_EQ(reading.lat, 47.376513);
    EXPECT_EQ(reading.lon, 8.542228);
    EXPECT_EQ(reading.address, 0x000b86bc5280u);
    EXPECT_EQ(reading.time, 1081468750); // 2004-04-08 23:59:10
    EXPECT_EQ(reading.signal, 79.0f);
    EXPECT_EQ(reading.protection, Protection::Protected);

    const std::vector<std::string> lines = {
        kLine,
        kLine + "\n",
        kLine + "\r",
        withColumn(0, "S 0.0000001") + "\n",
        withColumn(1, "W 180.0000000"),
        withColumn(1, "E 720.0000000"),
        withColumn(2, "(  )"),
        withColumn(4, "( 01:23:45:67:89:ab )"), // every hex digit
        withColumn(4, "( cd:ef:ff:0f:f0:9a )"),
        withColumn(6, "[ 0 -32618 -32618 ]"),
        withColumn(6, "[ 5 6]"),
        withColumn(8, "0002") + "\tx\ty",
        withColumn(8, "0031"),
        kLine.substr(0, kLine.rfind('\t')),
    };
    for (const std::string& line : lines) {
        EXPECT_GT(ReadLeanLine(line, kDate, reading), 0u) << line;
        EXPECT_EQ(test::LeanDisagreement(line, kDate), "") << line;
    }
}

// What differs from NetStumbler's layout, or is not well formed, is left to the general reader.
TEST(LeanLine, LeavesOtherLinesToTheGeneralReader) {
    const std::vector<std::string> lines = {
        withColumn(0, "N 47"),
        withColumn(0, "N 47.37651301234567"),
        withColumn(0, "n 47.3765130"),
        withColumn(1, "E  8.5422280"),
        withColumn(2, "( a\rb )"),
        withColumn(2, "()"),
        withColumn(4, "( 00:0B:86:bc:52:80 )"),
        withColumn(4, "( 00:0b:86:bc:52:80)"),
        withColumn(5, "1:02:03 (GMT)"),
        withColumn(5, "24:00:00 (GMT)"),
        withColumn(6, "[ 20 70.5 50 ]"),
        withColumn(6, "[ 20 -0 50 ]"),
        withColumn(6, "[ 20  70 ]"),
        withColumn(8, "001"),
        kLine + "\ta\tb\tc",
        kLine.substr(0, kLine.find("\t0011")),
        "# $DateGMT: 2004-04-09",
        "",
    };
    LeanReading reading;
    for (const std::string& line : lines) {
        EXPECT_EQ(ReadLeanLine(line, kDate, reading), 0u) << line;
    }
    EXPECT_EQ(ReadLeanLine(kLine, DateInForce("2004-13-01"), reading), 0u);
}

// Random edits of lean lines: whatever the lean reader still takes, it reads as the general
// reader does, across the dates a survey can hold.
TEST(LeanLine, AgreesWithTheGeneralReaderUnderRandomEdits) {
    const std::string alphabet = "0123456789abcdefAF.:-+ \t\r\n()[]NSEWG#";
    const std::vector<DateInForce> dates = {kDate, DateInForce("1989-12-31"),
                                            DateInForce("2058-01-18"), DateInForce("1921-12-01")};
    const std::vector<std::string> seeds = {kLine, withColumn(6, "[ 1 -32618 -32618 ]"),
                                            withColumn(0, "S 0.0000000") + "\tx\ty"};
    std::mt19937 random(20261206);
    size_t taken = 0;
    for (int run = 0; run < 200000; ++run) {
        std::string text = seeds[random() % seeds.size()] + "\r\nnext";
        for (int edit = 1 + static_cast<int>(random() % 3); edit > 0; --edit) {
            const size_t at = random() % text.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                text[at] = c;
                break;
            case 1:
                text.insert(at, 1, c);
                break;
            default:
                text.erase(at, 1);
            }
        }
        const DateInForce& date = dates[random() % dates.size()];
        LeanReading reading;
        taken += ReadLeanLine(text, date, reading) > 0;
        ASSERT_EQ(test::LeanDisagreement(text, date), "") << text;
    }
    EXPECT_GT(taken, 20000u) << "the edits should leave many lines in the lean layout";
}

} // namespace
} // namespace wavemark
