#include "ReadWholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemark {

int ReadWholeFile(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else {
        // One byte more than the size, so that the read that meets the end
        // of the file does not have to grow (and copy) the buffer.
        text.clear();
        text.resize(static_cast<size_t>(st.st_size) + 1);
        size_t filled = 0;
        for (;;) {
            if (filled == text.size()) {
                // The size was only a hint: a growing file or a pipe has more.
                text.resize(text.size() + 65536);
            }
            const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                error = errno;
                break;
            }
            if (got == 0) {
                break;
            }
            filled += static_cast<size_t>(got);
        }
        text.resize(filled);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

} // namespace wavemark
