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

// Texts come back as they went in, empty ones and NUL bytes too; two lists
// are equal when their texts are, whatever room either has kept.
TEST(TextList, GivesBackEachTextAsAdded) {
    TextList list{"", "c2e140", std::string_view("a\0b", 3)};
    list.push_back("( 00:0b:86:c2:e1:40 )");
    list.push_back({});
    EXPECT_EQ(texts(list), (std::vector<std::string>{"", "c2e140", std::string("a\0b", 3),
                                                     "( 00:0b:86:c2:e1:40 )", ""}));
    TextList same;
    same.reserve(100, 1000);
    for (const std::string& text : texts(list)) {
        same.push_back(text);
    }
    EXPECT_EQ(same, list);
    same.shrinkToFit();
    EXPECT_EQ(same, list);
    EXPECT_NE(same, (TextList{"", "c2e140"}));
    EXPECT_NE((TextList{"ab", ""}), (TextList{"a", "b"}));
    same.clear();
    EXPECT_EQ(same.size(), 0U);
}

// A text of the list itself may be added again, though the buffer moves as
// it grows.
TEST(TextList, AddsItsOwnTextsWhileGrowing) {
    TextList list{"first"};
    for (int i = 0; i < 12; ++i) {
        list.push_back(list[list.size() - 1]);
    }
    EXPECT_EQ(list.size(), 13U);
    EXPECT_EQ(list[12], "first");
    EXPECT_EQ(texts(list), std::vector<std::string>(13, "first"));
}

} // namespace
} // namespace wavemark
