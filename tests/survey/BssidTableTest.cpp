#include "survey/BssidTable.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

// Canonical BSSIDs go by their address and any other text by its bytes, so
// an uppercase or empty BSSID is a BSSID of its own. Numbers follow first
// appearance, a repeat finds its number, and every number gives back its
// exact text, also from a table that was moved and one that had to grow.
TEST(BssidTable, NumbersEachExactTextOnce) {
    const std::vector<std::string> texts = {
        "( 00:0b:86:c2:e1:40 )", "( 00:0B:86:C2:E1:40 )", "",
        "( 00:0b:86:c2:e1:41 )", "( 00-0b-86-c2-e1-41 )", "( ff:ff:ff:ff:ff:ff )"};
    BssidTable table(1);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(table.add(texts[i]), std::pair(static_cast<int32_t>(i), true)) << texts[i];
    }
    EXPECT_EQ(table.add("( 00:0b:86:c2:e1:40 )"), std::pair(0, false));
    EXPECT_EQ(table.add(""), std::pair(2, false));
    EXPECT_EQ(table.size(), 6u);

    const BssidTable moved = std::move(table);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(moved.textOf(static_cast<int32_t>(i)), texts[i]);
        EXPECT_EQ(moved.find(texts[i]), static_cast<int32_t>(i)) << texts[i];
    }
    EXPECT_EQ(moved.findAddress(0x000b86c2e141), 3);
    EXPECT_EQ(moved.find("( 00:0b:86:c2:e1:42 )"), -1);
    EXPECT_EQ(moved.find("( 00:0B:86:C2:E1:41 )"), -1);
}

} // namespace
} // namespace wavemark
