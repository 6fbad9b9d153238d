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
        {whole + "trailing", kBrokenGzip},
    };
    for (const auto& [bytes, error] : cases) {
        std::string text;
        EXPECT_EQ(ReadWholeFile(folder.write("in.gz", bytes), text), error) << bytes.size();
    }
    EXPECT_EQ(ReadErrorText(kBrokenGzip), "Is not a valid gzip file");
    EXPECT_EQ(ReadErrorText(kTruncatedGzip), "Is a truncated gzip file");
}

} // namespace
} // namespace wavemark
