#pragma once

#include <string_view>
#include <vector>

namespace wavemark {

// The lines of a text without their line ends. A line ends at CR LF, at a
// lone LF or at a lone CR; a last line without a line end counts, and a
// final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace wavemark
