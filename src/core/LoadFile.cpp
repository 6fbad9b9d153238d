#include "LoadFile.h"

#include "ReadWholeFile.h"
#include "SplitLines.h"

#include <cerrno>
#include <cstring>
#include <limits>

namespace wavemark::modLoadFile {

std::string LoadErrorText(int code, const std::string& path) {
    return "An error occured: " + std::string(std::strerror(code)) + " (Error " +
           std::to_string(code) + ")\r\nFile: " + path;
}

void LoadFile(LoadedLines& lines, const std::string& path, MessageBoxService& messages) {
    lines.FileLineCount = 0;
    std::string text;
    if (const int error = ReadWholeFile(path, text); error != 0) {
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
