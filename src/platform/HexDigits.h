#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wavemark {

// The value of a hex digit of either letter case, -1 for every other byte.
inline constexpr std::array<int8_t, 256> kHexDigitValue = [] {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) {
        values[static_cast<size_t>('0' + i)] = static_cast<int8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        values[static_cast<size_t>('a' + i)] = values[static_cast<size_t>('A' + i)] =
            static_cast<int8_t>(10 + i);
    }
    return values;
}();

} // namespace wavemark
