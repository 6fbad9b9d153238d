#include "platform/OrderedPieces.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace wavemark {

OrderedPieces::OrderedPieces(size_t slots, std::function<void(size_t)> work,
                             std::function<void(size_t)> take)
    : m_work(std::move(work)), m_take(std::move(take)),
      m_states(std::max<size_t>(slots, 1), State::Free), m_failures(m_states.size()) {}

OrderedPieces::~OrderedPieces() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_pieceAdded.notify_all();
    if (m_helper.joinable()) {
        m_helper.join();
    }
}

void OrderedPieces::run(size_t slot) {
    try {
        m_work(slot);
    } catch (...) {
        m_failures[slot] = std::current_exception();
    }
}

void OrderedPieces::takeOldest(std::unique_lock<std::mutex>& lock) {
    const size_t slot = m_oldest;
    lock.unlock();
    const std::exception_ptr failure = std::exchange(m_failures[slot], nullptr);
    const auto release = [&] {
        lock.lock();
        m_states[slot] = State::Free;
        m_oldest = slotAt(1);
        --m_inFlight;
    };
    if (failure) {
        release();
        std::rethrow_exception(failure);
    }
    try {
        m_take(slot);
    } catch (...) {
        release();
        throw;
    }
    release();
}

bool OrderedPieces::step(std::unique_lock<std::mutex>& lock) {
    if (m_states[m_oldest] == State::Done) {
        takeOldest(lock);
        return true;
    }
    for (size_t age = 0; age < m_inFlight; ++age) {
        const size_t slot = slotAt(age);
        if (m_states[slot] == State::Waiting) {
            m_states[slot] = State::Running;
            lock.unlock();
            run(slot);
            lock.lock();
            m_states[slot] = State::Done;
            return true;
        }
    }
    return false;
}

size_t OrderedPieces::freeSlot() {
    std::unique_lock lock(m_mutex);
    while (m_inFlight == m_states.size()) {
        if (!step(lock)) {
            m_pieceDone.wait(lock);
        }
    }
    return slotAt(m_inFlight);
}

void OrderedPieces::add(bool worthAThread) {
    std::unique_lock lock(m_mutex);
    const size_t slot = slotAt(m_inFlight);
    m_states[slot] = State::Waiting;
    ++m_inFlight;
    if (worthAThread && !m_helperTried) {
        m_helperTried = true;
        try {
            m_helper = std::thread([this] { help(); });
        } catch (const std::system_error&) {
            // Without a helper, the caller does every piece as it comes.
        }
    }
    if (!m_helper.joinable()) {
        while (m_inFlight > 0) {
            step(lock);
        }
        return;
    }
    lock.unlock();
    m_pieceAdded.notify_one();
}

void OrderedPieces::finish() {
    std::unique_lock lock(m_mutex);
    while (m_inFlight > 0) {
        if (!step(lock)) {
            m_pieceDone.wait(lock);
        }
    }
}

void OrderedPieces::help() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        size_t slot = 0;
        m_pieceAdded.wait(lock, [&] {
            for (size_t age = 0; age < m_inFlight; ++age) {
                if (m_states[slotAt(age)] == State::Waiting) {
                    slot = slotAt(age);
                    return true;
                }
            }
            return m_stopping;
        });
        if (m_stopping) {
            return;
        }
        m_states[slot] = State::Running;
        lock.unlock();
        run(slot);
        lock.lock();
        m_states[slot] = State::Done;
        m_pieceDone.notify_one();
    }
}

} // namespace wavemark
