#include "platform/BlockReader.h"

#include "TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

class BlockReaderTest : public ::testing::Test {
protected:
    ByteStream& open(const std::string& bytes) {
        stream = std::make_unique<ByteStream>();
        EXPECT_EQ(stream->open(folder.write("in.bin", bytes)), 0);
        return *stream;
    }

    test::TempFolder folder;
    std::unique_ptr<ByteStream> stream;
};

// Records that run over a block's edge come whole, the unread bytes kept in front of the next
// block; a request for more than a block grows the buffer.
TEST_F(BlockReaderTest, RequestsAcrossBlockEdges) {
    BlockReader in(open("abcdefghijklmnopqrstuvwxyz"), 4);
    ASSERT_TRUE(in.need(3));
    in.take(3);
    ASSERT_TRUE(in.need(3));
    EXPECT_EQ(std::string(in.data(), 3), "def");
    in.take(3);
    ASSERT_TRUE(in.need(9));
    EXPECT_EQ(std::string(in.data(), 9), "ghijklmno");
    EXPECT_EQ(in.taken(), 6u);
    ASSERT_TRUE(in.skip(15));
    ASSERT_TRUE(in.need(5));
    EXPECT_EQ(std::string(in.data(), in.visible()), "vwxyz");
}

// A request for more than is left keeps what is left visible; the end is then known.
TEST_F(BlockReaderTest, RequestLargerThanWhatIsLeft) {
    BlockReader in(open("abcdefghij"), 4);
    in.skip(3);
    EXPECT_FALSE(in.need(8));
    EXPECT_EQ(std::string(in.data(), in.visible()), "defghij");
    EXPECT_EQ(std::tuple(in.ended(), in.error(), in.taken()), std::tuple(true, 0, 3u));
    EXPECT_FALSE(in.skip(8));
}

// Drain counts the bytes left, visible ones included, from any place.
TEST_F(BlockReaderTest, DrainCountsTheBytesLeft) {
    const std::string bytes(1000, 'x');
    for (const auto& [block, taken, left] : std::vector<std::tuple<size_t, uint64_t, uint64_t>>{
             {7, 0, 1000}, {7, 5, 995}, {4096, 999, 1}, {3, 1000, 0}}) {
        BlockReader in(open(bytes), block);
        ASSERT_TRUE(in.skip(taken));
        EXPECT_EQ(in.drain(), left) << block << " " << taken;
        EXPECT_EQ(std::tuple(in.visible(), in.error()), std::tuple(0u, 0)) << block << " " << taken;
    }
}

// Bytes marked as given out stay in place while the blocks after them are
// read into further buffers; a buffer is read into again only after two
// later marks, here where three are kept. A request larger than a buffer
// grows the one it goes to.
TEST_F(BlockReaderTest, GivenBytesStayWhileLaterBlocksAreRead) {
    std::string bytes;
    for (char c = 'a'; c <= 'z'; ++c) {
        bytes += c;
    }
    BlockReader in(open(bytes), 4);
    in.keepBuffers(3);
    std::vector<std::pair<std::string_view, uint64_t>> given; // and where each stands
    while (in.need(in.visible() + 1)) {
        const size_t count = std::min<size_t>(in.visible(), given.size() == 3 ? 9 : 3);
        ASSERT_TRUE(in.need(count));
        given.emplace_back(std::string_view(in.data(), count), in.taken());
        in.take(count);
        in.hold();
        for (size_t g = given.size() > 3 ? given.size() - 3 : 0; g < given.size(); ++g) {
            EXPECT_EQ(given[g].first,
                      std::string_view(bytes).substr(given[g].second, given[g].first.size()))
                << "given " << g << " of " << given.size();
        }
    }
    EXPECT_EQ(given.back().second + given.back().first.size(), bytes.size());
}

// A failed read stops every request and keeps its errno.
TEST_F(BlockReaderTest, FailedReadGivesItsErrno) {
    ByteStream unopened;
    BlockReader in(unopened, 16);
    EXPECT_FALSE(in.need(1));
    EXPECT_FALSE(in.skip(1));
    EXPECT_EQ(in.drain(), 0u);
    EXPECT_EQ(std::tuple(in.error(), in.ended()), std::tuple(EBADF, false));
}

// Read ahead, requests of any size up to the room in front of a block come as the bytes stand
// in the file, across block edges; after a longer one the reader reads on by itself, and the end
// comes as without a helper.
TEST_F(BlockReaderTest, ReadAheadGivesTheBytesAsTheyStand) {
    std::mt19937 random(7);
    std::string bytes(100'000, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    constexpr size_t kFront = 64;
    BlockReader in(open(bytes), 256, kFront);
    in.readAhead();
    std::string got;
    while (in.need(1)) {
        const size_t longest = got.size() < bytes.size() / 2 ? kFront : 5 * kFront;
        const size_t want = 1 + random() % longest;
        const size_t step = in.need(want) ? want : in.visible();
        got.append(in.data(), step);
        in.take(step);
    }
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(std::tuple(in.ended(), in.error(), in.taken()),
              std::tuple(true, 0, uint64_t{bytes.size()}));
}

} // namespace
} // namespace wavemark
