#include "platform/TextList.h"

#include <gtest/gtest.h>

#include <string>

namespace wavemark {
namespace {

std::vector<std::string> texts(const TextList& list) {
    std::vector<std::string> all;
    for (size_t i = 0; i < list.size(); ++i) {
        all.emplace_back(list[i]);
    }
    return all;
}

// Texts come back as they went in, empty ones and NUL bytes too, and so do
// texts of the list itself added while its buffer moves; two lists are equal
// when their texts are, whatever room either has kept.
TEST(TextList, GivesBackEachTextAsAdded) {
    TextList list{"", "c2e140", std::string_view("a\0b", 3)};
    list.push_back("( 00:0b:86:c2:e1:40 )");
    for (int i = 0; i < 12; ++i) {
        list.push_back(list[1]);
    }
    std::vector<std::string> expected{"", "c2e140", std::string("a\0b", 3),
                                      "( 00:0b:86:c2:e1:40 )"};
    expected.resize(16, "c2e140");
    EXPECT_EQ(texts(list), expected);

    TextList same;
    same.reserve(100, 1000);
    for (const std::string& text : expected) {
        same.push_back(text);
    }
    same.shrinkToFit();
    EXPECT_EQ(same, list);
    EXPECT_NE((TextList{"ab", ""}), (TextList{"a", "b"}));
}

} // namespace
} // namespace wavemark
