#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace wavemark {

// Blocks smaller than this are not worth a second thread.
inline constexpr size_t kSplitMinimum = size_t{64} << 10;

// Slots for the pieces of a file's blocks: enough that on a busy machine the
// caller goes on with later pieces while the helper waits for a core.
inline constexpr size_t kPiecesInFlight = 4;

// Pieces of one job, such as the blocks of a file, done by the caller's
// thread and one helper thread kept for the whole job, their results taken
// in the order the pieces came. The caller never waits for a piece nobody
// has started: it does the oldest waiting piece itself, so that on a busy
// machine, where the helper gets little time, the job goes no slower than
// on one thread. It waits only when every slot is in flight and the oldest
// is the helper's.
//
// A piece lives in a slot, whose state the caller keeps: it fills the slot
// that freeSlot() gives, then calls add(). `work(slot)` runs on either
// thread; `take(slot)` on the caller's, in order. An exception of either is
// passed on by the call that takes that slot; the pieces after it stay in
// flight, for a further finish() to take.
class OrderedPieces {
public:
    OrderedPieces(size_t slots, std::function<void(size_t)> work, std::function<void(size_t)> take);
    // Stops the helper once its piece is done; pieces not taken are dropped.
    ~OrderedPieces();
    OrderedPieces(const OrderedPieces&) = delete;
    OrderedPieces& operator=(const OrderedPieces&) = delete;

    // The slot for the next piece: while every slot is in flight, does
    // waiting pieces and takes the oldest once it is done.
    size_t freeSlot();
    // Puts the piece in freeSlot()'s slot in flight. Until a piece worth a
    // second thread comes, pieces are done and taken at once, on this
    // thread, and no helper is started.
    void add(bool worthAThread);
    // Does and takes every piece in flight.
    void finish();

private:
    enum class State { Free, Waiting, Running, Done };

    size_t slotAt(size_t age) const { return (m_oldest + age) % m_states.size(); }
    // Does the oldest waiting piece, or takes the oldest piece once done;
    // false when neither can be done yet. Called with the lock held.
    bool step(std::unique_lock<std::mutex>& lock);
    void run(size_t slot);
    void takeOldest(std::unique_lock<std::mutex>& lock);
    void help();

    std::function<void(size_t)> m_work;
    std::function<void(size_t)> m_take;
    std::vector<State> m_states;
    std::vector<std::exception_ptr> m_failures;
    size_t m_oldest = 0;
    size_t m_inFlight = 0;
    std::mutex m_mutex;
    std::condition_variable m_pieceAdded;
    std::condition_variable m_pieceDone;
    bool m_stopping = false;
    bool m_helperTried = false;
    std::thread m_helper;
};

} // namespace wavemark
