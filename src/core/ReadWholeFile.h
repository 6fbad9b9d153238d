#pragma once

#include <string>

namespace wavemark {

// Reads the whole file at `path` into `text` as bytes, in one go. Returns
// errno, 0 on success; a folder gives EISDIR.
int ReadWholeFile(const std::string& path, std::string& text);

} // namespace wavemark
