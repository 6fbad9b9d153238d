#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wavemark::test {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes away.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(std::string_view name) const { return (m_path / name).string(); }
    // Writes `bytes` to the file `name` in this folder and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);

} // namespace wavemark::test
