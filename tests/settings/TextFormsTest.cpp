#include "TextForms.h"

#include <gtest/gtest.h>

namespace wavemark {
namespace {

struct NumberCase {
    const char* text;
    std::optional<int32_t> expected; // nothing: not a number of the type
    friend void PrintTo(const NumberCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }
};

class Integer16Parsing : public testing::TestWithParam<NumberCase> {};
class Integer32Parsing : public testing::TestWithParam<NumberCase> {};

TEST_P(Integer16Parsing, Parses) {
    const auto parsed = ParseInteger16(GetParam().text);
    EXPECT_EQ(parsed ? std::optional<int32_t>(*parsed) : std::nullopt, GetParam().expected);
}

TEST_P(Integer32Parsing, Parses) {
    EXPECT_EQ(ParseInteger32(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Integer16Parsing,
    testing::Values(NumberCase{"9", 9}, NumberCase{" -12 ", -12}, NumberCase{"+5", 5},
                    NumberCase{"2.5", 2}, NumberCase{"3.5", 4}, NumberCase{"-2.5", -2},
                    NumberCase{"2.51", 3}, NumberCase{"1e2", 100}, NumberCase{"32767.4", 32767},
                    NumberCase{"32767.5", std::nullopt}, NumberCase{"-32768.5", -32768},
                    NumberCase{"-32769", std::nullopt}, NumberCase{"", std::nullopt},
                    NumberCase{"abc", std::nullopt}, NumberCase{"12abc", std::nullopt},
                    NumberCase{"1,5", std::nullopt}, NumberCase{"0x10", std::nullopt},
                    NumberCase{"+-1", std::nullopt}, NumberCase{"nan", std::nullopt},
                    NumberCase{"inf", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Cases, Integer32Parsing,
                         testing::Values(NumberCase{"4227072", 4227072},
                                         NumberCase{"-2147483648", INT32_MIN},
                                         NumberCase{"2147483647", INT32_MAX},
                                         NumberCase{"2147483648", std::nullopt},
                                         NumberCase{"1e400", std::nullopt}));

struct BooleanCase {
    const char* text;
    std::optional<bool> expected;
    friend void PrintTo(const BooleanCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }
};

class BooleanParsing : public testing::TestWithParam<BooleanCase> {};

TEST_P(BooleanParsing, Parses) {
    EXPECT_EQ(ParseBoolean(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BooleanParsing,
                         testing::Values(BooleanCase{"True", true}, BooleanCase{"FALSE", false},
                                         BooleanCase{" tRuE ", true}, BooleanCase{"0", false},
                                         BooleanCase{"-1", true}, BooleanCase{"0.4", true},
                                         BooleanCase{"0.0", false},
                                         BooleanCase{"yes", std::nullopt},
                                         BooleanCase{"", std::nullopt}));

} // namespace
} // namespace wavemark
