#pragma once

#include <gtest/gtest.h>
#include <string_view>

namespace wavemark::test {

// Byte-for-byte comparison for golden files: on a difference it names the
// first differing byte, its line, and the bytes around it in hex and as
// text with line ends made visible.
::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual);

} // namespace wavemark::test
