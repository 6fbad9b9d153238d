#include "maps/MapFile.h"

#include "platform/BufferedFile.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace wavemark {
namespace {

// The system's reason for a failure, "" on success.
std::string writeFile(const ConversionData& data, MapFormat format, const std::string& path) {
    try {
        BufferedFile file(path);
        if (!file.open() || !format->write(data, MapContext{WritingTime()}, file) ||
            !file.finish()) {
            return file.errorText();
        }
    } catch (const std::bad_alloc&) {
        return std::strerror(ENOMEM);
    }
    return "";
}

} // namespace

std::string MapWriteErrorText(MapFormat format, const std::string& path,
                              const std::string& reason) {
    return "The " + std::string(format->name) + " file could not be written:\r\n" + path + "\r\n" +
           reason;
}

int64_t WritingTime() {
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string_view text(fixed);
        int64_t seconds = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
        if (error == std::errc{} && end == text.data() + text.size()) {
            return seconds;
        }
    }
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

WriteOutcome WriteMapFile(ConversionData& data, MapFormat format, const std::string& path,
                          std::span<const InputFile> inputs, MessageBoxService& messages,
                          StatusLine& status) {
    std::string reason = RefuseOutput(path, inputs);
    if (reason.empty()) {
        reason = writeFile(data, format, path);
    }
    if (!reason.empty()) {
        messages.showMessage(MapWriteErrorText(format, path, reason), MessageButtons::Ok,
                             MessageIcon::Critical, kProgramTitle);
        return WriteOutcome::WriteFailed;
    }
    data.DataSaved = true;
    ShowOnly(status, StatusNotice::FileSaved);
    return WriteOutcome::Written;
}

} // namespace wavemark
