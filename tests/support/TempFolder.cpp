#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace wavemark::test {

// create_directory throws when it cannot create, and is false when the name is taken.
TempFolder::TempFolder() {
    std::minstd_rand random(std::random_device{}());
    do {
        m_path =
            std::filesystem::temp_directory_path() / ("wavemark-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::write(std::string_view name, std::string_view bytes) const {
    const std::string path = file(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace wavemark::test
