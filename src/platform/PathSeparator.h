#pragma once

namespace wavemark {

// Wherever the program looks for or appends a folder separator, the
// platform's own one is meant.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace wavemark
