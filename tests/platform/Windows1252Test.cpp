#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace wavemark {
namespace {

TEST(Windows1252, TypedTextBecomesOneBytePerCharacter) {
    EXPECT_EQ(ToWindows1252("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(ToWindows1252("\xE2\x82\xAC\xE2\x80\x9C"), "\x80\x93");
    EXPECT_EQ(ToWindows1252("\xE4\xB8\xAD\xF0\x9F\x93\xB6!"), "?\?!");
    // Code points 0x80..0x9F have no place in Windows-1252; 0xA0..0xFF are
    // its own bytes, the no-break space first; 0x100 on are not there.
    EXPECT_EQ(ToWindows1252("\xC2\x81"), "?");
    EXPECT_EQ(ToWindows1252("\xC2\x9F\xC2\xA0\xC3\xBF\xC4\x80"), "?\xA0\xFF?");
    // Bytes that are no UTF-8 are kept.
    EXPECT_EQ(ToWindows1252("caf\xE9"), "caf\xE9");
    EXPECT_EQ(ToWindows1252("\xC3"), "\xC3");
    EXPECT_EQ(ToWindows1252("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(ToWindows1252("\xED\xA0\x80"), "\xED\xA0\x80");
}

// Every byte the code page uses comes back from its UTF-8; the unused ones
// become C1 controls, which have no byte to go back to.
TEST(Windows1252, EveryByteToUtf8AndBack) {
    EXPECT_EQ(FromWindows1252("caf\xE9 \x80\x81"), "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const bool unused = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_EQ(ToWindows1252(FromWindows1252(byte)), unused ? "?" : byte) << b;
    }
}

} // namespace
} // namespace wavemark
