#include "platform/BufferedFile.h"

namespace wavemark {

BufferedFile::BufferedFile(std::string path) : m_path(path), m_file(std::move(path)) {
    m_buffer.reserve(kBlockSize + 4096);
}

BufferedFile::~BufferedFile() {
    if (m_writer.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_writer.join();
    }
}

std::string BufferedFile::errorText() const {
    return m_file.errorCode() == 0 ? "An unknown error has occured" : m_file.errorText();
}

bool BufferedFile::settled(std::unique_lock<std::mutex>& lock) {
    m_changed.wait(lock, [this] { return !m_pending; });
    return !m_failed;
}

bool BufferedFile::handOver() {
    std::unique_lock lock(m_mutex);
    if (!settled(lock)) {
        return false;
    }
    m_buffer.swap(m_writing);
    m_buffer.clear();
    m_pending = true;
    if (!m_writer.joinable()) {
        m_writer = std::thread([this] { writeBlocks(); });
    }
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void BufferedFile::writeBlocks() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_pending || m_stopping; });
        if (!m_pending) {
            return;
        }
        lock.unlock();
        const bool written = m_file.write(m_writing);
        lock.lock();
        m_failed = !written;
        m_pending = false;
        m_changed.notify_all();
    }
}

bool BufferedFile::finish() {
    {
        std::unique_lock lock(m_mutex);
        if (!settled(lock)) {
            return false;
        }
    }
    const bool written = m_file.write(m_buffer);
    m_buffer.clear();
    return written && m_file.commit();
}

} // namespace wavemark
