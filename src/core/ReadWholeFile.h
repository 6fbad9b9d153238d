#pragma once

#include <string>

namespace wavemark {

// Reads the whole file at `path` into `text` as bytes, in one go. Returns
// errno, 0 on success: a folder gives EISDIR, anything else that is not a
// regular file (a device, a FIFO, a socket) EINVAL, and a file too large for
// memory ENOMEM. Opening never waits for a FIFO's writer.
int ReadWholeFile(const std::string& path, std::string& text);

} // namespace wavemark
