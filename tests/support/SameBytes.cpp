#include "SameBytes.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace wavemark::test {
namespace {

std::string around(std::string_view bytes, size_t at) {
    const std::string_view part = bytes.substr(std::min(bytes.size(), at < 8 ? 0 : at - 8), 24);
    std::string hex;
    std::string text;
    for (const char c : part) {
        char code[4];
        std::snprintf(code, sizeof code, "%02X ", static_cast<unsigned>(c) & 0xFFu);
        hex += code;
        text += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return hex + " \"" + text + "\"";
}

} // namespace

::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    const size_t at = static_cast<size_t>(
        std::mismatch(expected.begin(), expected.begin() + std::min(expected.size(), actual.size()),
                      actual.begin())
            .first -
        expected.begin());
    const auto line = std::count(expected.begin(), expected.begin() + at, '\n') + 1;
    return ::testing::AssertionFailure()
           << "sizes " << expected.size() << " / " << actual.size() << ", first difference at byte "
           << at << " (line " << line << ")\n  expected: " << around(expected, at)
           << "\n  actual:   " << around(actual, at);
}

} // namespace wavemark::test
