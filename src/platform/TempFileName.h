#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wavemark {

// The name of the file written to replace `target`, in the target's folder:
// ".NAME.wavemark-XXXXXX", hidden and telling whose it is; the caller puts
// random characters in place of the six X. NAME is cut, never inside a UTF-8
// character, where the whole name would be longer than `maxNameLength`, so
// the temporary name fits wherever the target's name fits.
std::string TempFilePattern(const std::string& target, size_t maxNameLength);

inline constexpr std::string_view kTempFileMark = ".wavemark-XXXXXX";

} // namespace wavemark
