#pragma once

#include "convert/ConversionData.h"
#include "convert/WindowInterfaces.h"
#include "maps/MapFormat.h"
#include "platform/OutputTarget.h"

#include <span>
#include <string>

namespace wavemark {

// Writes the conversion data as a map file of `format` at `path`. The file
// replaces any file of that name only once it is complete, and never one of
// the `inputs`, a folder, a device, a pipe, a socket or a read-only file; on
// success the data is marked saved and "File saved !" is shown. On failure
// the target is left as it was, a "Wavemark" box says why and the data stays
// unsaved.
enum class [[nodiscard]] WriteOutcome{Written, WriteFailed};
WriteOutcome WriteMapFile(ConversionData& data, MapFormat format, const std::string& path,
                          std::span<const InputFile> inputs, MessageBoxService& messages,
                          StatusLine& status);

// The failure text: what failed, the file, and the system's reason.
std::string MapWriteErrorText(MapFormat format, const std::string& path, const std::string& reason);

// The moment a map is written, in seconds since 1970: SOURCE_DATE_EPOCH when
// it holds a number, so a build or a test can write the same bytes twice,
// otherwise the clock's.
int64_t WritingTime();

} // namespace wavemark
