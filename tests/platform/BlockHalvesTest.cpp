#include "platform/BlockHalves.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>

namespace wavemark {
namespace {

TEST(BlockHalves, CutsAfterTheFirstLineFeedPastTheMiddle) {
    const struct {
        std::string_view block;
        size_t splitMinimum;
        std::string_view first;
    } cases[] = {
        {"aa\nbb\ncc\ndd\n", 1, "aa\nbb\ncc\n"}, // middle at 6: the LF there ends "cc"
        {"aaaaa\nb\n", 1, "aaaaa\n"},
        {"a\nbbbbbb\n", 1, "a\nbbbbbb\n"},            // the only LF past the middle ends the block
        {"a\nbbbbbbbb", 1, "a\nbbbbbbbb"},            // none past the middle: whole
        {"aa\rbb\rcc\rdd\r", 1, "aa\rbb\rcc\rdd\r"},  // only LF cuts
        {"aa\nbb\ncc\ndd\n", 13, "aa\nbb\ncc\ndd\n"}, // shorter than the minimum
        {"aa\nbb\ncc\ndd\n", 12, "aa\nbb\ncc\n"},
    };
    for (const auto& c : cases) {
        const BlockHalves halves = CutInHalves(c.block, c.splitMinimum);
        EXPECT_EQ(halves.first, c.first) << c.block;
        EXPECT_EQ(halves.first.data(), c.block.data());
        EXPECT_EQ(std::string(halves.first) + std::string(halves.second), c.block);
    }
}

// Both halves run, at the same time when a thread can be had; a failure of
// either reaches the caller, once both are over.
TEST(BlockHalves, RunsBothSidesAndPassesFailuresOn) {
    std::atomic<int> done = 0;
    std::thread::id firstThread;
    std::thread::id secondThread;
    RunSideBySide(
        [&] {
            firstThread = std::this_thread::get_id();
            ++done;
        },
        [&] {
            secondThread = std::this_thread::get_id();
            ++done;
        });
    EXPECT_EQ(done, 2);
    EXPECT_EQ(firstThread, std::this_thread::get_id());

    for (const bool secondFails : {false, true}) {
        done = 0;
        const auto part = [&](bool fails) {
            return [&done, fails] {
                ++done;
                if (fails) {
                    throw std::runtime_error("part failed");
                }
            };
        };
        EXPECT_THROW(RunSideBySide(part(!secondFails), part(secondFails)), std::runtime_error);
        EXPECT_EQ(done, 2) << "the other side still ran to its end";
    }
}

} // namespace
} // namespace wavemark
