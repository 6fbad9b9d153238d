#pragma once

#include "platform/ByteStream.h"

#include <string>

namespace wavemark {

// A compressed log unpacked into a file of its own in the system's folder
// for temporary files, since SQLite reads a database by seeking in it. The
// file is readable by its owner only (the log tells where its owner went)
// and is removed when this ends, whatever happened; a process stopped by a
// signal removes it too.
class UnpackedLog {
public:
    UnpackedLog() = default;
    ~UnpackedLog();
    UnpackedLog(const UnpackedLog&) = delete;
    UnpackedLog& operator=(const UnpackedLog&) = delete;

    // Writes the rest of `stream` to a new temporary file; returns errno,
    // 0 on success.
    int unpack(ByteStream& stream);

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace wavemark
