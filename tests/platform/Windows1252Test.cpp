#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace wavemark {
namespace {

TEST(Windows1252, TypedTextBecomesOneBytePerCharacter) {
    EXPECT_EQ(ToWindows1252("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(ToWindows1252("\xE2\x82\xAC\xE2\x80\x9C"), "\x80\x93");
    EXPECT_EQ(ToWindows1252("\xE4\xB8\xAD\xF0\x9F\x93\xB6!"), "?\?!");
    // Of the code points 0x80..0x9F only the controls of the five unused
    // bytes have a place; 0xA0..0xFF are its own bytes, the no-break space
    // first; 0x100 on are not there.
    EXPECT_EQ(ToWindows1252("\xC2\x81\xC2\x80"), "\x81?");
    EXPECT_EQ(ToWindows1252("\xC2\x9F\xC2\xA0\xC3\xBF\xC4\x80"), "?\xA0\xFF?");
    // Bytes that are no UTF-8 are kept.
    EXPECT_EQ(ToWindows1252("caf\xE9"), "caf\xE9");
    EXPECT_EQ(ToWindows1252("\xC3"), "\xC3");
    EXPECT_EQ(ToWindows1252("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(ToWindows1252("\xED\xA0\x80"), "\xED\xA0\x80");
}

// Every byte comes back from its UTF-8, the unused ones from their C1
// controls, so exports convert to the very bytes they hold.
TEST(Windows1252, EveryByteToUtf8AndBack) {
    EXPECT_EQ(FromWindows1252("caf\xE9 \x80\x81"), "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(ToWindows1252(FromWindows1252(byte)), byte) << b;
    }
}

// UTF-8 stays as it is; a byte that belongs to no UTF-8 character is read as
// Windows-1252.
TEST(Windows1252, TextMadeValidUtf8) {
    EXPECT_EQ(Utf8OrWindows1252("\xE8\xBF\x9E \xF0\x9F\x90\x8D caf\xC3\xA9"),
              "\xE8\xBF\x9E \xF0\x9F\x90\x8D caf\xC3\xA9");
    EXPECT_EQ(Utf8OrWindows1252("caf\xE9 \x80\xC3"), "caf\xC3\xA9 \xE2\x82\xAC\xC3\x83");
    EXPECT_EQ(Utf8OrWindows1252("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
}

} // namespace
} // namespace wavemark
