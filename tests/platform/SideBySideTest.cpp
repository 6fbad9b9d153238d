#include "platform/SideBySide.h"

#include <array>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

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

// Any number of jobs each run once, all on this thread when a helper is not
// worth it; a later job's failure comes once every job has ended.
TEST(SideBySide, RunsEveryJobOnceAndWaitsForAllBeforeAFailure) {
    for (const bool worthAThread : {false, true}) {
        std::array<std::atomic<int>, 6> runs{};
        std::atomic<int> elsewhere = 0;
        const auto caller = std::this_thread::get_id();
        std::vector<std::function<void()>> jobs;
        for (size_t j = 0; j < runs.size(); ++j) {
            jobs.emplace_back([&, j] {
                ++runs[j];
                elsewhere += std::this_thread::get_id() != caller ? 1 : 0;
                if (j == 2) {
                    throw std::runtime_error("job failed");
                }
            });
        }
        EXPECT_THROW(RunSideBySide(jobs, worthAThread), std::runtime_error);
        for (const std::atomic<int>& count : runs) {
            EXPECT_EQ(count, 1) << worthAThread;
        }
        if (!worthAThread) {
            EXPECT_EQ(elsewhere, 0);
        }
    }
}

} // namespace
} // namespace wavemark
