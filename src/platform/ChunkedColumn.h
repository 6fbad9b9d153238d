#pragma once

#include "platform/FileSystem.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace wavemark {

// A list that grows in fixed chunks, so that growing never copies it, and
// that gives each chunk back to the system as soon as it has been drained.
template <typename T> class ChunkedColumn {
public:
    ChunkedColumn() = default;
    ChunkedColumn(const ChunkedColumn&) = delete;
    ChunkedColumn& operator=(const ChunkedColumn&) = delete;
    ChunkedColumn(ChunkedColumn&& other) noexcept
        : m_chunks(std::move(other.m_chunks)), m_size(std::exchange(other.m_size, 0)) {
        other.m_chunks.clear();
    }
    ChunkedColumn& operator=(ChunkedColumn&& other) noexcept {
        if (this != &other) {
            clear();
            m_chunks = std::move(other.m_chunks);
            other.m_chunks.clear();
            m_size = std::exchange(other.m_size, 0);
        }
        return *this;
    }
    ~ChunkedColumn() { clear(); }

    void push(T value) {
        const size_t at = m_size % kChunk;
        if (at % kStep == 0) {
            makeRoom(at);
        }
        m_chunks[m_size / kChunk][at] = value;
        ++m_size;
    }
    T operator[](size_t i) const { return m_chunks[i / kChunk][i % kChunk]; }
    size_t size() const { return m_size; }

    // Visits the values in order and frees the list on the way.
    template <typename Visit> void drain(Visit visit) {
        for (size_t c = 0; c < m_chunks.size(); ++c) {
            const size_t n = std::min(kChunk, m_size - c * kChunk);
            for (size_t i = 0; i < n; ++i) {
                visit(m_chunks[c][i]);
            }
            platform::FreePages(m_chunks[c], kChunkBytes);
            m_chunks[c] = nullptr;
        }
        clear();
    }
    // Empties the list but keeps its chunks for the values to come: giving
    // pages back costs every thread of the process a TLB flush.
    void reuse() { m_size = 0; }
    void clear() {
        for (T* chunk : m_chunks) {
            if (chunk != nullptr) {
                platform::FreePages(chunk, kChunkBytes);
            }
        }
        m_chunks.clear();
        m_size = 0;
    }

private:
    static constexpr size_t kChunkBytes = size_t{1} << 20;
    static constexpr size_t kChunk = kChunkBytes / sizeof(T);
    // A chunk's pages are made present a quarter at a time, as the values
    // reach it: one call instead of a fault per page, and at most a quarter
    // chunk more than the values need.
    static constexpr size_t kStep = kChunk / 4;

    // For the value at `at` in its chunk, which starts a quarter.
    void makeRoom(size_t at) {
        if (m_size == m_chunks.size() * kChunk) {
            // Room for the chunk first, so that a failed push_back never
            // loses one.
            if (m_chunks.size() == m_chunks.capacity()) {
                m_chunks.reserve(m_chunks.size() * 2 + 8);
            }
            auto* chunk = static_cast<T*>(platform::AllocatePages(kChunkBytes));
            if (chunk == nullptr) {
                throw std::bad_alloc();
            }
            m_chunks.push_back(chunk);
        }
        platform::PopulatePages(&m_chunks[m_size / kChunk][at],
                                std::min(kStep, kChunk - at) * sizeof(T));
    }

    std::vector<T*> m_chunks;
    size_t m_size = 0;
};

} // namespace wavemark
