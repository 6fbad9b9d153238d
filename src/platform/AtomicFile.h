#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace wavemark {

// Replaces a file completely or not at all: the bytes go to a temporary file
// in the target's folder, which is renamed over the target only once it is
// complete and on disk. Until commit() succeeds the target is untouched, and
// an uncommitted temporary file is removed when the object goes away. A
// target that is a symbolic link is replaced where its links lead, so the
// links stay.
//
// Where the system offers unnamed files (Linux O_TMPFILE), the temporary file
// gets a name only at commit, so a run killed while writing leaves nothing
// behind; elsewhere it is a hidden ".NAME.wavemark-XXXXXX" beside the target.
// A write past the process's file size limit fails with EFBIG instead of
// raising SIGXFSZ.
class AtomicFile {
public:
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(std::string_view bytes);
    bool commit();

    // errno of the first failure (0 when none), and its text.
    int errorCode() const { return m_error; }
    std::string errorText() const;

private:
    bool check(int error);

    std::string m_target;
    platform::TempFile m_file;
    int m_error = 0;
};

// Writes a whole small file through AtomicFile; returns errno, 0 on success.
int WriteFileAtomically(const std::string& path, std::string_view contents);

} // namespace wavemark
