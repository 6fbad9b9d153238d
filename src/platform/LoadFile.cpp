#include "platform/LoadFile.h"

#include "platform/ReadWholeFile.h"
#include "platform/SplitLines.h"

#include <cerrno>
#include <limits>
#include <new>

namespace wavemark::modLoadFile {

int LoadFile(LoadedLines& lines, const std::string& path) {
    lines.FileLineCount = 0;
    ByteStream stream;
    if (const int error = stream.open(path)) {
        return error;
    }
    return LoadFile(lines, stream);
}

int LoadFile(LoadedLines& lines, ByteStream& stream) {
    lines.FileLineCount = 0;
    std::string text;
    if (const int error = ReadWholeFile(stream, text); error != 0) {
        return error;
    }
    if (text.empty()) {
        return 0;
    }
    int error = 0;
    try {
        auto held = std::make_unique<const std::string>(std::move(text));
        std::vector<std::string_view> split = SplitLines(*held);
        if (split.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
            error = EFBIG;
        } else {
            lines.m_text = std::move(held);
            lines.m_lines = std::move(split);
            lines.FileLineCount = static_cast<int32_t>(lines.m_lines.size());
        }
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
    }
    return error;
}

} // namespace wavemark::modLoadFile
