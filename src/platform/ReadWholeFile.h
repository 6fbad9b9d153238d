#pragma once

#include "platform/ByteStream.h"

#include <string>

namespace wavemark {

// Reads the whole file at `path` into `text` as bytes, in one go; a pipe is
// read to its end. Returns errno, 0 on success: a folder gives EISDIR,
// anything else that is neither a regular file nor a pipe (a device, a
// socket) EINVAL, and a file too large for memory ENOMEM. Opening never
// waits for a FIFO's writer.
int ReadWholeFile(const std::string& path, std::string& text);

// The same for the rest of a stream that is open.
int ReadWholeFile(ByteStream& stream, std::string& text);

// The reason a read failed, for the user: EINVAL is what a device or a socket
// gives; kBrokenGzip and kTruncatedGzip name what is wrong with a compressed
// file.
std::string ReadErrorText(int code);

} // namespace wavemark
