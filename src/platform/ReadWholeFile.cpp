#include "platform/ReadWholeFile.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace wavemark {
namespace {

// Reads to the end of the file; returns errno, 0 on success.
int readAll(ByteStream& stream, size_t sizeHint, std::string& text) {
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
        if (const int error = stream.read(text.data() + filled, text.size() - filled, got)) {
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

int ReadWholeFile(ByteStream& stream, std::string& text) {
    try {
        return readAll(stream, static_cast<size_t>(stream.sizeHint()), text);
    } catch (const std::bad_alloc&) {
        text = std::string();
        return ENOMEM;
    }
}

int ReadWholeFile(const std::string& path, std::string& text) {
    ByteStream stream;
    if (const int error = stream.open(path)) {
        return error;
    }
    return ReadWholeFile(stream, text);
}

std::string ReadErrorText(int code) {
    switch (code) {
    case EINVAL:
        return "Is not a regular file";
    case kBrokenGzip:
        return "Is not a valid gzip file";
    case kTruncatedGzip:
        return "Is a truncated gzip file";
    default:
        return std::strerror(code);
    }
}

} // namespace wavemark
