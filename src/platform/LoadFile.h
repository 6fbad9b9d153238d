#pragma once

#include "platform/ByteStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark::modLoadFile {

// The lines of the last text file loaded, without their line ends. Lines are
// numbered from 1 and valid up to FileLineCount; a load that yields no line
// leaves the previous lines in place, so readers never look past the count.
class LoadedLines {
public:
    int32_t FileLineCount = 0;

    std::string_view FileLines(int32_t index) const {
        return m_lines[static_cast<size_t>(index) - 1];
    }

    // Lines held, whatever FileLineCount says; 0 before the first load.
    int32_t storedLineCount() const { return static_cast<int32_t>(m_lines.size()); }

private:
    friend int LoadFile(LoadedLines&, ByteStream&);

    std::unique_ptr<const std::string> m_text;
    std::vector<std::string_view> m_lines; // line i at i - 1
};

// Reads the whole file at `path` (bytes, no conversion) and splits it into
// lines at CR LF, LF or CR; a last line without a line end counts, and a
// final line end adds no empty line. Returns errno, 0 on success: for a file
// that cannot be read, is not a regular file or does not fit in memory,
// FileLineCount is 0 and the previous lines stay.
[[nodiscard]] int LoadFile(LoadedLines& lines, const std::string& path);

// The same for the rest of a stream that is open.
[[nodiscard]] int LoadFile(LoadedLines& lines, ByteStream& stream);

} // namespace wavemark::modLoadFile
