#include "platform/ByteStream.h"

#include "platform/GzipInflater.h"
#include "platform/ReadWholeFile.h"

#include "Gzip.h"
#include "SameBytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using test::Gzip;

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

// Bytes that do not compress, so that their member spans several input blocks.
std::string Noise(size_t size) {
    std::string noise(size, '\0');
    uint32_t x = 1;
    for (char& c : noise) {
        x = x * 1103515245 + 12345;
        c = static_cast<char>(x >> 23);
    }
    return noise;
}

// The members of a file, one after another: what gzip -d gives and what a
// compressed stream must give in reads of any size and through a look that
// reaches past the first block of compressed input.
struct Members {
    const char* name;
    std::vector<std::string> parts;
};
void PrintTo(const Members& members, std::ostream* out) {
    *out << members.name;
}

class GzipMembers : public ::testing::TestWithParam<Members> {};

TEST_P(GzipMembers, GiveTheBytesOfAPlainFile) {
    const test::TempFolder folder;
    std::string plain, compressed;
    for (const std::string& part : GetParam().parts) {
        plain += part;
        compressed += Gzip(part);
    }
    const std::string path = folder.write("in.gz", compressed);
    for (const size_t size : {size_t{1}, size_t{4096}, size_t{1} << 20}) {
        ByteStream stream;
        ASSERT_EQ(stream.open(path), 0);
        EXPECT_EQ(stream.sizeHint(), 0u);
        std::string_view start;
        ASSERT_EQ(stream.peek(GzipInflater::kInputBlockSize + 3, start), 0);
        EXPECT_TRUE(test::SameBytes(plain.substr(0, GzipInflater::kInputBlockSize + 3), start));
        EXPECT_TRUE(test::SameBytes(plain, readAll(stream, size))) << size << "-byte reads";
    }
}

INSTANTIATE_TEST_SUITE_P(ByteStream, GzipMembers,
                         ::testing::Values(Members{"Empty", {""}},
                                           Members{"Text", {"NetS\x0c rest"}},
                                           Members{"EmptyMemberBetween", {"a\r\n", "", "b\r\n"}},
                                           Members{"BlocksOfNoise", {Noise(1300000), "tail"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A damaged compressed file is a read error of its own, not a plain file.
TEST(ByteStream, DamagedGzipFilesAreReadErrors) {
    const test::TempFolder folder;
    const std::string whole = Gzip("NetStumbler text export\r\n");
    std::string badCrc = whole;
    badCrc[badCrc.size() - 8] ^= 1;
    const std::pair<std::string, int> cases[] = {
        {whole.substr(0, 2), kTruncatedGzip},
        {whole.substr(0, whole.size() - 1), kTruncatedGzip},
        {whole + whole.substr(0, 12), kTruncatedGzip},
        {badCrc, kBrokenGzip},
        {"\x1f\x8b\x07" + whole.substr(3), kBrokenGzip},
        // What starts as a member must be one; a single byte after a member,
        // too short for the magic, is taken by gzip for a member cut short.
        {whole + "\x1f\x8b\x07" + whole.substr(3), kBrokenGzip},
        {whole + "\x1f\x8b", kTruncatedGzip},
        {whole + "x", kTruncatedGzip},
    };
    for (const auto& [bytes, error] : cases) {
        std::string text;
        EXPECT_EQ(ReadWholeFile(folder.write("in.gz", bytes), text), error) << bytes.size();
    }
    EXPECT_EQ(ReadErrorText(kBrokenGzip), "Is not a valid gzip file");
    EXPECT_EQ(ReadErrorText(kTruncatedGzip), "Is a truncated gzip file");
}

// One member of exactly `size` bytes holding `bytes`: a comment in its header
// (flag FCOMMENT) takes up the room.
std::string MemberOfSize(const std::string& bytes, size_t size) {
    std::string member = Gzip(bytes);
    member[3] = '\x10';
    member.insert(10, std::string(size - member.size() - 1, 'c') + '\0');
    return member;
}

// Bytes after the last member end the stream as gzip -d ends it: zero
// padding silently, other bytes with a notice; neither is read as data. The
// first member ends around the first edge of the compressed input's blocks,
// so that what follows it may be cut in two.
TEST(ByteStream, BytesAfterTheLastMemberEndTheStream) {
    const test::TempFolder folder;
    const std::string whole = Gzip("b\r\n");
    const std::string zeros(2 * GzipInflater::kInputBlockSize + 5, '\0');
    struct Case {
        std::string after;
        std::string plainAfter;
        bool ignored;
    };
    const Case cases[] = {
        {whole, "b\r\n", false},
        {std::string(1, '\0'), "", false},
        {zeros, "", false},
        {"xy", "", true},
        {"\x1fx", "", true},
        {zeros + "x", "", true},
        {std::string(3, '\0') + whole, "", true},
    };
    for (size_t size = GzipInflater::kInputBlockSize; size < GzipInflater::kInputBlockSize + 4;
         ++size) {
        for (const Case& c : cases) {
            ByteStream stream;
            ASSERT_EQ(stream.open(folder.write("in.gz", MemberOfSize("a\r\n", size) + c.after)), 0);
            EXPECT_EQ(readAll(stream, 4096), "a\r\n" + c.plainAfter) << size;
            EXPECT_EQ(stream.trailingBytesIgnored(), c.ignored) << size << " " << c.after.size();
        }
    }
}

} // namespace
} // namespace wavemark
