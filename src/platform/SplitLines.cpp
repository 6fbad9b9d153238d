#include "platform/SplitLines.h"

#include <algorithm>
#include <cstring>

namespace wavemark {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::string_view line;
    while (TakeLine(text, line)) {
        lines.push_back(line);
    }
    return lines;
}

bool TakeLine(std::string_view& lines, std::string_view& line) {
    if (lines.empty()) {
        return false;
    }
    // The first CR or LF, looked for window by window: a text whose lines end
    // in CR alone has no LF, and would otherwise be searched to its end for
    // every line. Within a window, the search for CR stops at the first LF.
    constexpr size_t kWindow = 4096;
    const char* start = lines.data();
    size_t length = lines.size();
    for (size_t from = 0; from < lines.size(); from += kWindow) {
        const size_t size = std::min(kWindow, lines.size() - from);
        const auto* lf = static_cast<const char*>(std::memchr(start + from, '\n', size));
        const size_t searched = lf ? static_cast<size_t>(lf - (start + from)) : size;
        const auto* cr = static_cast<const char*>(std::memchr(start + from, '\r', searched));
        if (cr || lf) {
            length = static_cast<size_t>((cr ? cr : lf) - start);
            break;
        }
    }
    line = lines.substr(0, length);
    const bool crlf =
        length + 1 < lines.size() && lines[length] == '\r' && lines[length + 1] == '\n';
    lines.remove_prefix(std::min(lines.size(), length + (crlf ? 2 : 1)));
    return true;
}

} // namespace wavemark
