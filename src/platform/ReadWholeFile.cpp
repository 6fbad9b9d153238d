#include "platform/ReadWholeFile.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <new>

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
        size_t got = 0;
        if (const int error =
                platform::ReadSome(fd, text.data() + filled, text.size() - filled, got)) {
            text.resize(filled);
            return error;
        }
        if (got == 0) {
            text.resize(filled);
            return 0;
        }
        filled += got;
    }
}

} // namespace

int ReadWholeFile(const std::string& path, std::string& text) {
    int fd = -1;
    uint64_t size = 0;
    if (const int error = platform::OpenRegularFile(path, fd, size)) {
        return error;
    }
    int error = 0;
    try {
        error = readAll(fd, static_cast<size_t>(size), text);
    } catch (const std::bad_alloc&) {
        text = std::string();
        error = ENOMEM;
    }
    if (const int closed = platform::CloseFile(fd); closed != 0 && error == 0) {
        error = closed;
    }
    return error;
}

std::string ReadErrorText(int code) {
    return code == EINVAL ? "Is not a regular file" : std::strerror(code);
}

} // namespace wavemark
