#pragma once

#include <string_view>

namespace wavemark {

// The value of the number a text begins with: blanks and tabs are skipped
// wherever they stand, then an optional sign, digits, an optional "." and
// digits, and an optional exponent are read up to the first character that
// does not fit. "." is the decimal point in every locale. A text that does
// not begin with a number gives 0.
double NumericPrefix(std::string_view text);

} // namespace wavemark
