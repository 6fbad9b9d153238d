#pragma once

#include <string_view>
#include <vector>

namespace wavemark {

// The lines of a text without their line ends. A line ends at CR LF, at a
// lone LF or at a lone CR; a last line without a line end counts, and a
// final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Takes the first line off `lines` by the same rules; false when it is empty.
// A text that stops in the middle of CR LF must not be handed over.
bool TakeLine(std::string_view& lines, std::string_view& line);

} // namespace wavemark
