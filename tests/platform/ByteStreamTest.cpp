#include "platform/ByteStream.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

// Everything read after a look at the start, in reads of `size` bytes.
std::string readAll(ByteStream& stream, size_t size) {
    std::string all;
    std::string buffer(size, '\0');
    for (size_t got = 1; got > 0;) {
        EXPECT_EQ(stream.read(buffer.data(), size, got), 0);
        all.append(buffer, 0, got);
    }
    return all;
}

// A look at the start takes nothing away, however far it looks, and a later
// look sees what is still unread.
TEST(ByteStream, PeekedBytesAreStillRead) {
    const test::TempFolder folder;
    ByteStream stream;
    ASSERT_EQ(stream.open(folder.write("in.bin", "NetS\x0c rest")), 0);
    EXPECT_EQ(stream.sizeHint(), 10u);
    std::string_view start;
    ASSERT_EQ(stream.peek(4, start), 0);
    EXPECT_EQ(start, "NetS");
    ASSERT_EQ(stream.peek(64, start), 0);
    EXPECT_EQ(start, "NetS\x0c rest");
    char two[2];
    size_t got = 0;
    ASSERT_EQ(stream.read(two, 2, got), 0);
    EXPECT_EQ(std::string_view(two, got), "Ne");
    ASSERT_EQ(stream.peek(3, start), 0);
    EXPECT_EQ(start, "tS\x0c");
    EXPECT_EQ(readAll(stream, 3), "tS\x0c rest");
}

} // namespace
} // namespace wavemark
