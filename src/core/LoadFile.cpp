#include "LoadFile.h"

#include "SplitLines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace wavemark::modLoadFile {
namespace {

// Reads the file in one go; returns errno, 0 on success.
int readWholeFile(const std::string& path, std::string& text) {
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

} // namespace

std::string LoadErrorText(int code, const std::string& path) {
    return "An error occured: " + std::string(std::strerror(code)) + " (Error " +
           std::to_string(code) + ")\r\nFile: " + path;
}

void LoadFile(LoadedLines& lines, const std::string& path, MessageBoxService& messages) {
    lines.FileLineCount = 0;
    std::string text;
    if (const int error = readWholeFile(path, text); error != 0) {
        messages.showMessage(LoadErrorText(error, path), MessageButtons::Ok, MessageIcon::Critical,
                             kLoadErrorTitle);
        return;
    }
    if (text.empty()) {
        return;
    }
    std::vector<std::string_view> split = SplitLines(text);
    if (split.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        messages.showMessage(LoadErrorText(EFBIG, path), MessageButtons::Ok, MessageIcon::Critical,
                             kLoadErrorTitle);
        return;
    }
    // Only a heap buffer keeps its address when moved; a short text is split
    // again once it sits in its final place.
    const bool viewsSurviveMove = text.capacity() > std::string().capacity();
    lines.m_text = std::move(text);
    lines.m_lines = viewsSurviveMove ? std::move(split) : SplitLines(lines.m_text);
    lines.FileLineCount = static_cast<int32_t>(lines.m_lines.size());
}

} // namespace wavemark::modLoadFile
