#include "platform/NumericPrefix.h"

#include <charconv>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace wavemark {
namespace {

const std::string kZeros(400, '0');
const double kInfinity = std::numeric_limits<double>::infinity();

struct PrefixCase {
    std::string text;
    double value;
};

class NumericPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(NumericPrefixTest, ReadsTheLeadingNumber) {
    EXPECT_EQ(NumericPrefix(GetParam().text), GetParam().value) << "text: " << GetParam().text;
}

// Any count of digits reads as the nearest double; only an actual overflow
// is infinite.
INSTANTIATE_TEST_SUITE_P(
    Texts, NumericPrefixTest,
    ::testing::Values(
        PrefixCase{"  -33.8688", -33.8688}, PrefixCase{"+4.5", 4.5}, PrefixCase{"1 2.5", 12.5},
        PrefixCase{"\t- 7", -7.0}, PrefixCase{"12abc", 12.0}, PrefixCase{"1.2.3", 1.2},
        PrefixCase{"1e3", 1000.0}, PrefixCase{"2.5E-1x", 0.25}, PrefixCase{"1e+", 1.0},
        PrefixCase{"", 0.0}, PrefixCase{"abc", 0.0}, PrefixCase{".", 0.0}, PrefixCase{"1,5", 1.0},
        PrefixCase{"1e-999", 0.0}, PrefixCase{"0." + kZeros + "1", 0.0},
        PrefixCase{"0." + kZeros + "1e401", 1.0}, PrefixCase{"1" + kZeros + "e-400", 1.0},
        PrefixCase{"47.3770150" + kZeros + "9", 47.377015},
        PrefixCase{"0.00001e-999999999999999999999", 0.0}, PrefixCase{"1" + kZeros, kInfinity},
        PrefixCase{"1e999", kInfinity}, PrefixCase{"-1e999", -kInfinity}));

// Plain decimals of every length and point position read as from_chars reads
// them, to the last bit (the short ones take a quicker way).
TEST(NumericPrefix, PlainDecimalsReadAsTheNearestDouble) {
    std::mt19937_64 random(20041208);
    for (int n = 0; n < 200000; ++n) {
        const std::string digits = std::to_string(random() >> (random() % 64));
        const size_t point = random() % (digits.size() + 1);
        const std::string text =
            std::string(random() % 3, '0') + digits.substr(0, point) + "." + digits.substr(point);
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(NumericPrefix(text), expected) << text;
    }
}

// Coordinates read eight decimals at once give PlainDecimal's very double;
// any other text, a byte of no digit anywhere in it too, is left to it.
TEST(NumericPrefix, ShortDecimalsReadAsPlainDecimalsOrNotAtAll) {
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 200000; ++n) {
        std::string text = std::to_string(random() % 1000) + "." +
                           std::to_string(random() % 1000000000).substr(0, 1 + random() % 9);
        if (n % 4 == 0) {
            text[random() % text.size()] = "/:.e -"[random() % 6];
        }
        const auto quick = ShortDecimal(text);
        const auto plain = PlainDecimal(text);
        if (quick) {
            ASSERT_TRUE(plain && plain->length == text.size()) << text;
            ASSERT_EQ(*quick, plain->value) << text;
        } else {
            const size_t point = text.find('.');
            const bool usual = text.size() >= 8 && point >= 1 && point <= 3 &&
                               text.size() - point - 1 <= 8 && plain &&
                               plain->length == text.size();
            ASSERT_FALSE(usual) << text;
        }
    }
}

} // namespace
} // namespace wavemark
