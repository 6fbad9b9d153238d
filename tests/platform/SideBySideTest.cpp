#include "platform/SideBySide.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>

namespace wavemark {
namespace {

// Both halves run, at the same time when a thread can be had; a failure of
// either reaches the caller, once both are over.
TEST(SideBySide, RunsBothSidesAndPassesFailuresOn) {
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
