#include "platform/TempFileName.h"

namespace wavemark {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
#else
constexpr const char* kSeparators = "/";
#endif

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

size_t sequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

// The first `size` bytes of `text`, less a character that they would cut.
std::string_view cutAtCharacter(std::string_view text, size_t size) {
    if (size >= text.size()) {
        return text;
    }
    size_t lead = size;
    while (lead > 0 && isContinuation(text[lead - 1])) {
        --lead;
    }
    if (lead > 0 && size - (lead - 1) < sequenceLength(text[lead - 1])) {
        size = lead - 1;
    }
    return text.substr(0, size);
}

} // namespace

std::string TempFilePattern(const std::string& target, size_t maxNameLength) {
    const size_t separator = target.find_last_of(kSeparators);
    const size_t baseStart = separator == std::string::npos ? 0 : separator + 1;
    const std::string_view base = std::string_view(target).substr(baseStart);
    const size_t room =
        maxNameLength > kTempFileMark.size() + 1 ? maxNameLength - kTempFileMark.size() - 1 : 0;
    std::string pattern = target.substr(0, baseStart);
    pattern.append(".").append(cutAtCharacter(base, room)).append(kTempFileMark);
    return pattern;
}

} // namespace wavemark
