#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace wavemark::test {

// A fixture with a fresh folder under the temporary folder, removed with its
// content after each test.
class IniTestFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        do {
            m_folder = std::filesystem::temp_directory_path() /
                       ("wavemark-settings-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(m_folder));
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string folder() const { return m_folder.string(); }
    std::string file(std::string_view name) const { return (m_folder / name).string(); }
    std::string write(std::string_view name, std::string_view bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_folder;
};

// Byte-for-byte comparison that reports the first difference with its line
// and the bytes around it, line ends made visible.
inline ::testing::AssertionResult SameBytes(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const auto visible = [at](std::string_view text) {
        std::ostringstream out;
        for (char c : text.substr(at < 20 ? 0 : at - 20, 40)) {
            if (c == '\r' || c == '\n') {
                out << (c == '\r' ? "\\r" : "\\n");
            } else {
                out << c;
            }
        }
        return out.str();
    };
    const auto line = std::count(expected.begin(), expected.begin() + at, '\n') + 1;
    return ::testing::AssertionFailure()
           << "first difference at byte " << at << " (line " << line << ")\n  expected: \""
           << visible(expected) << "\"\n  actual:   \"" << visible(actual) << "\"";
}

} // namespace wavemark::test
