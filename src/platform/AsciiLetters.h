#pragma once

#include <algorithm>
#include <string_view>

namespace wavemark {

// `c` in lower case when it is an ASCII capital; any other byte as it is.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The same text, ASCII letter case aside: names the user types or a file
// writes ("GPX", "Estimated", "[positions]").
constexpr bool SameAsciiLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

} // namespace wavemark
