#include "platform/OrderedPieces.h"

#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace wavemark {
namespace {

// Each piece is done once, on either thread, and taken on the caller's
// thread in the order the pieces came, whatever order they were done in.
TEST(OrderedPieces, TakesEveryPieceOnceInTheOrderItCame) {
    constexpr int kPieces = 200;
    std::vector<int> pieceIn(3);
    std::vector<std::atomic<int>> done(kPieces);
    std::vector<int> taken;
    const auto caller = std::this_thread::get_id();
    bool takenElsewhere = false;
    OrderedPieces pieces(
        pieceIn.size(), [&](size_t slot) { ++done[static_cast<size_t>(pieceIn[slot])]; },
        [&](size_t slot) {
            takenElsewhere = takenElsewhere || std::this_thread::get_id() != caller;
            taken.push_back(pieceIn[slot]);
        });
    for (int piece = 0; piece < kPieces; ++piece) {
        pieceIn[pieces.freeSlot()] = piece;
        pieces.add(true);
    }
    pieces.finish();
    ASSERT_EQ(taken.size(), size_t{kPieces});
    for (int piece = 0; piece < kPieces; ++piece) {
        EXPECT_EQ(taken[static_cast<size_t>(piece)], piece);
        EXPECT_EQ(done[static_cast<size_t>(piece)], 1) << piece;
    }
    EXPECT_FALSE(takenElsewhere);
}

// Until a piece worth a second thread comes, each is done and taken on the
// caller's thread before add() returns.
TEST(OrderedPieces, SmallPiecesAreDoneAtOnceOnTheCallersThread) {
    std::vector<std::thread::id> doneOn;
    int takenCount = 0;
    OrderedPieces pieces(
        2, [&](size_t) { doneOn.push_back(std::this_thread::get_id()); },
        [&](size_t) { ++takenCount; });
    for (int piece = 1; piece <= 3; ++piece) {
        pieces.freeSlot();
        pieces.add(false);
        EXPECT_EQ(takenCount, piece);
    }
    EXPECT_EQ(doneOn, std::vector<std::thread::id>(3, std::this_thread::get_id()));
}

// While the helper holds the oldest piece, the caller does the younger ones:
// here the oldest cannot end before the youngest is done, which only the
// caller is free to do once the helper took the oldest. A caller that waited
// for the oldest instead would never return.
TEST(OrderedPieces, TheCallerDoesYoungerPiecesWhileTheHelperHoldsTheOldest) {
    std::mutex mutex;
    std::condition_variable changed;
    bool youngestDone = false;
    std::vector<size_t> taken;
    OrderedPieces pieces(
        3,
        [&](size_t slot) {
            std::unique_lock lock(mutex);
            if (slot == 0) {
                changed.wait(lock, [&] { return youngestDone; });
            } else if (slot == 2) {
                youngestDone = true;
                changed.notify_all();
            }
        },
        [&](size_t slot) { taken.push_back(slot); });
    for (int piece = 0; piece < 3; ++piece) {
        pieces.freeSlot();
        pieces.add(true);
    }
    pieces.finish();
    EXPECT_EQ(taken, (std::vector<size_t>{0, 1, 2}));
}

// A failure, in the work or in the taking, reaches the caller when its piece
// is taken, after the pieces before it.
TEST(OrderedPieces, AFailureIsPassedOnWhenItsPieceIsTaken) {
    for (const bool inWork : {true, false}) {
        std::vector<int> pieceIn(2);
        std::vector<int> taken;
        const auto failOnThree = [&](size_t slot) {
            if (pieceIn[slot] == 3) {
                throw std::runtime_error("piece 3");
            }
        };
        OrderedPieces pieces(
            pieceIn.size(), [&](size_t slot) { inWork ? failOnThree(slot) : void(); },
            [&](size_t slot) {
                inWork ? void() : failOnThree(slot);
                taken.push_back(pieceIn[slot]);
            });
        EXPECT_THROW(
            {
                for (int piece = 0; piece < 6; ++piece) {
                    pieceIn[pieces.freeSlot()] = piece;
                    pieces.add(true);
                }
                pieces.finish();
            },
            std::runtime_error);
        EXPECT_EQ(taken, (std::vector<int>{0, 1, 2})) << (inWork ? "work" : "take");
    }
}

} // namespace
} // namespace wavemark
