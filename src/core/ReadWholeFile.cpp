#include "ReadWholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemark {

namespace {

// Reads to the end of the file; returns errno, 0 on success.
int readAll(int fd, size_t sizeHint, std::string& text) {
    // One byte more than the size, so that the read that meets the end of the
    // file does not have to grow (and copy) the buffer.
    text.clear();
    text.resize(sizeHint + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == text.size()) {
            // The size was only a hint: a file that grows has more.
            text.resize(text.size() + 65536);
        }
        const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            text.resize(filled);
            return errno;
        }
        if (got == 0) {
            text.resize(filled);
            return 0;
        }
        filled += static_cast<size_t>(got);
    }
}

} // namespace

int ReadWholeFile(const std::string& path, std::string& text) {
    // Without O_NONBLOCK, opening a FIFO that has no writer would wait for one
    // forever; the check below refuses it anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        // A device or a pipe may never end (/dev/zero) or never answer.
        error = EINVAL;
    } else {
        try {
            error = readAll(fd, static_cast<size_t>(st.st_size), text);
        } catch (const std::bad_alloc&) {
            text = std::string();
            error = ENOMEM;
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

} // namespace wavemark
