#include "platform/CsvTokenizer.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

struct Cut {
    std::string text;
    bool final = true;
    bool oneLine = false;
    CsvCut kind = CsvCut::Record;
    std::string fields = {}; // joined by |, a record of no fields as ""
    size_t used = 0;         // when a record
    bool spansLines = false;
};
void PrintTo(const Cut& cut, std::ostream* out) {
    *out << cut.text;
}

std::string joined(const CsvRecord& record) {
    std::string fields;
    for (size_t i = 0; i < record.count; ++i) {
        if (i > 0) {
            fields += '|';
        }
        fields += record[i];
    }
    return fields;
}

class CsvTokenizerCuts : public ::testing::TestWithParam<Cut> {};

// The record the text starts with, its bytes with the line end, and whether it spans lines;
// the long texts put the rules across the 64-byte steps of the scan.
TEST_P(CsvTokenizerCuts, FirstRecord) {
    const Cut& c = GetParam();
    CsvTokenizer tokenizer(1024);
    CsvRecord record;
    size_t used = 0;
    const CsvCut kind = tokenizer.cut(c.text, c.final, c.oneLine, record, used);
    ASSERT_EQ(kind, c.kind);
    if (kind != CsvCut::Record) {
        return;
    }
    EXPECT_EQ(joined(record), c.fields);
    EXPECT_EQ(used, c.used);
    EXPECT_EQ(record.spansLines, c.spansLines);
}

const std::string k70(70, 'a');

INSTANTIATE_TEST_SUITE_P(
    Rules, CsvTokenizerCuts,
    ::testing::Values(
        Cut{.text = "a,b,c\nd", .fields = "a|b|c", .used = 6},
        Cut{.text = "a,,\r\nd", .fields = "a||", .used = 5},
        Cut{.text = "a\rb", .fields = "a", .used = 2},
        Cut{.text = "a,b", .fields = "a|b", .used = 3}, Cut{.text = "\n", .fields = "", .used = 1},
        Cut{.text = "\r", .final = false, .fields = "", .used = 1},
        Cut{.text = "\"x,y\",z\n", .fields = "x,y|z", .used = 8},
        Cut{.text = ",\"x\"\n", .fields = "|x", .used = 5},
        Cut{.text = "\"say \"\"hi\"\"\"\n", .fields = "say \"hi\"", .used = 13},
        Cut{.text = "\"\"\n", .fields = "", .used = 3},
        Cut{.text = "ab\"c,d\n", .fields = "ab\"c|d", .used = 7},
        Cut{.text = "\"my\"net\",x\n", .fields = "my\"net|x", .used = 11},
        Cut{.text = "\"Free\" Wifi,x\n", .kind = CsvCut::Unclosed},
        Cut{.text = "\"two\r\nlines\",x\n",
            .fields = "two\r\nlines|x",
            .used = 15,
            .spansLines = true},
        Cut{.text = "\"two\r\nlines\",x\n", .oneLine = true, .kind = CsvCut::Unclosed},
        Cut{.text = "\"a\nb\"c\",x\n", .kind = CsvCut::Unclosed},
        Cut{.text = "\"never closed\n", .kind = CsvCut::Unclosed},
        Cut{.text = "\"open", .final = false, .kind = CsvCut::NeedMore},
        Cut{.text = "a,b", .final = false, .kind = CsvCut::NeedMore},
        Cut{.text = "\"a\"", .final = false, .kind = CsvCut::NeedMore},
        Cut{.text = "\"a\"", .fields = "a", .used = 3},
        Cut{.text = k70 + "," + k70 + "\n", .fields = k70 + "|" + k70, .used = 142},
        Cut{.text = k70 + ",\"" + k70 + ",\"\"\"\n",
            .fields = k70 + "|" + k70 + ",\"",
            .used = 147},
        Cut{.text = std::string(63, 'a') + ",\"b\n", .kind = CsvCut::Unclosed}));

// A line whose quotes do not follow the rules is split at every comma, quotes and all.
TEST(CsvTokenizer, SplitsALinePlainly) {
    CsvRecord record;
    SplitCsvLinePlainly("\"a,b\"\",,c\"", record);
    EXPECT_EQ(joined(record), "\"a|b\"\"||c\"");
}

} // namespace
} // namespace wavemark
