#include "survey/ns1/StreamWindow.h"

#include <algorithm>
#include <cstring>

namespace wavemark::ns1 {

StreamWindow::StreamWindow(ByteStream& stream, size_t blockSize)
    : m_stream(stream), m_blockSize(blockSize),
      m_block(std::make_unique_for_overwrite<char[]>(blockSize)), m_at(m_block.get()),
      m_end(m_block.get()) {}

bool StreamWindow::refill(size_t count) {
    char* const block = m_block.get();
    const size_t kept = visible();
    std::memmove(block, m_at, kept);
    m_at = block;
    m_end = block + kept;
    while (visible() < count && !m_ended && m_error == 0) {
        size_t got = 0;
        m_error = m_stream.read(block + visible(), m_blockSize - visible(), got);
        m_ended = m_error == 0 && got == 0;
        m_end += got;
    }
    return visible() >= count;
}

bool StreamWindow::skip(uint64_t count) {
    while (count > 0) {
        if (!need(1)) {
            return false;
        }
        const auto step = static_cast<size_t>(std::min<uint64_t>(count, visible()));
        take(step);
        count -= step;
    }
    return true;
}

uint64_t StreamWindow::drain() {
    uint64_t left = 0;
    while (need(1)) {
        left += visible();
        take(visible());
    }
    return left;
}

} // namespace wavemark::ns1
