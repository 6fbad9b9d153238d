#pragma once

#include <string_view>

namespace wavemark {

inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kBlanks = " \t";

// `text` without leading and trailing characters of `blanks`.
constexpr std::string_view Trim(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace wavemark
