#pragma once

#include "maps/TextOut.h"

#include <string>
#include <string_view>

namespace wavemark {

// Appends JSON to a buffer: punctuation as given; UTF-8 texts as strings;
// numbers, times and colours as TextOut writes them.
class JsonOut : public TextOut {
public:
    explicit JsonOut(std::string& buffer) : TextOut(buffer) {}

    // UTF-8 as a JSON string in quotes. A quote and a backslash are escaped
    // with a backslash, a control character as \u00xx, and a byte that is
    // not UTF-8 becomes U+FFFD: a JSON text must be UTF-8.
    JsonOut& string(std::string_view utf8);

    // Degrees with seven decimals at most, about a centimetre on the ground.
    JsonOut& coordinate(double degrees);
    static constexpr int kCoordinateDecimals = 7;
};

} // namespace wavemark
