#pragma once

#include <cstdint>
#include <vector>

namespace wavemark {

// Makes each list anew with `count` + 1 zero values: the result's lists are
// numbered from 1.
template <typename... T> void Recreate(int32_t count, std::vector<T>&... lists) {
    (lists.assign(static_cast<size_t>(count) + 1, T{}), ...);
}

} // namespace wavemark
