#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavemark {

// How numbers and booleans are written to and read from Wavemark.ini.
//
// A number is read from its whole text, blanks around it ignored: an
// optional sign, digits with an optional "." fraction and an optional
// exponent, "." in every locale. It is brought to the nearest whole number,
// halves to the even neighbour (2.5 gives 2, 3.5 gives 4), and must then lie
// in the range of its type. Anything else is not a number of that type.
std::optional<int16_t> ParseInteger16(std::string_view text);
std::optional<int32_t> ParseInteger32(std::string_view text);

// The nearest whole number, halves to the even neighbour, whatever the
// current rounding mode (unlike std::nearbyint).
double RoundHalfToEven(double value);

// Booleans are written as "True" or "False" and read back from those words
// in any letter case, or from a number: 0 is false, any other number true.
std::string_view BooleanText(bool value);
std::optional<bool> ParseBoolean(std::string_view text);

} // namespace wavemark
