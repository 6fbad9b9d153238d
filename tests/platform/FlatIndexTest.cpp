#include "platform/FlatIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

namespace wavemark {
namespace {

// Keys that crowd one part of the table (BSSIDs of one maker differ in their
// low bytes only), and keys never given: the index answers as a map does,
// full to the most keys it was made for, or grown to them from nothing.
TEST(FlatIndex, AnswersAsAMapDoes) {
    constexpr size_t kKeys = 5000;
    for (const size_t mostKeys : {kKeys, size_t{0}}) {
        FlatIndex index(mostKeys);
        std::unordered_map<uint64_t, int32_t> expected;
        std::mt19937_64 random(3);
        int32_t next = 0;
        for (size_t i = 0; i < kKeys; ++i) {
            const uint64_t key = i % 2 == 0 ? 0x000b86000000ULL + i : random() & 0xffffffffffffULL;
            const auto [at, added] = expected.try_emplace(key, next);
            ASSERT_EQ(index.insert(key, next), at->second) << i;
            next += added ? 2 : 0; // numbers need not be dense
        }
        for (const auto& [key, number] : expected) {
            ASSERT_EQ(index.find(key), number);
            ASSERT_EQ(index.keyOf(number), key);
        }
        for (int i = 0; i < 5000; ++i) {
            const uint64_t key = random() | (uint64_t{1} << 60);
            ASSERT_EQ(index.find(key), -1);
        }
    }
    FlatIndex index(kKeys);
    index.insert(0x000b86000000ULL, 0);
    EXPECT_EQ(index.insert(0x000b86000000ULL, 77), 0);
    EXPECT_EQ(FlatIndex().find(0), -1);
    FlatIndex zero;
    EXPECT_EQ(zero.insert(0, 5), 5);
    EXPECT_EQ(zero.find(0), 5);
}

} // namespace
} // namespace wavemark
