#pragma once

#include <cstdlib>

// A property the harness expects of every input; a failure aborts, which
// libFuzzer reports as a finding together with the input that caused it.
inline void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}
