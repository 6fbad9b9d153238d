#include "platform/SideBySide.h"

#include "platform/OrderedPieces.h"

#include <array>
#include <exception>

namespace wavemark {
namespace {

// Runs `job`, keeping its exception in `failure` unless one is kept already.
void attempt(const std::function<void()>& job, std::exception_ptr& failure) {
    try {
        job();
    } catch (...) {
        failure = failure ? failure : std::current_exception();
    }
}

} // namespace

void RunSideBySide(std::span<const std::function<void()>> jobs, bool worthAThread) {
    std::exception_ptr failure;
    if (!worthAThread || jobs.size() < 2) {
        for (const std::function<void()>& job : jobs) {
            attempt(job, failure);
        }
    } else {
        // The jobs after the first are pieces, one slot each: slot k holds
        // job k + 1. With no helper to be had, add() does its piece at once.
        const std::span<const std::function<void()>> rest = jobs.subspan(1);
        OrderedPieces pieces(
            rest.size(), [rest](size_t slot) { rest[slot](); }, [](size_t) {});
        std::exception_ptr restFailure;
        for (size_t piece = 0; piece < rest.size(); ++piece) {
            attempt(
                [&pieces] {
                    pieces.freeSlot();
                    pieces.add(true);
                },
                restFailure);
        }
        attempt(jobs.front(), failure);
        for (bool finished = false; !finished;) {
            attempt(
                [&] {
                    pieces.finish();
                    finished = true;
                },
                restFailure);
        }
        failure = failure ? failure : restFailure;
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void RunSideBySide(const std::function<void()>& first, const std::function<void()>& second) {
    const std::array<std::function<void()>, 2> jobs{first, second};
    RunSideBySide(jobs);
}

} // namespace wavemark
