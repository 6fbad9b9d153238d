#include "survey/kismet/UnpackedLog.h"

#include "platform/TempFileRegistry.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace wavemark {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr size_t kChunk = size_t{1} << 20;

// A new file of a name nobody else holds: "x" fails for an existing one.
int createUnique(const std::filesystem::path& folder, std::string& path, File& file) {
    std::random_device random;
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "wavemark-kismet-";
        for (int i = 0; i < 12; ++i) {
            name += kLetters[random() % (sizeof(kLetters) - 1)];
        }
        path = (folder / (name + ".kismet")).string();
        errno = 0;
        file.reset(std::fopen(path.c_str(), "wbx"));
        if (file) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno != 0 ? errno : EIO;
        }
    }
    return EEXIST;
}

} // namespace

UnpackedLog::~UnpackedLog() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        platform::ForgetTempFile(m_path);
    }
}

int UnpackedLog::unpack(ByteStream& stream) {
    std::error_code failure;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(failure);
    if (failure) {
        return failure.value();
    }
    File file;
    std::string path;
    if (const int error = createUnique(folder, path, file)) {
        return error;
    }
    m_path = path;
    platform::RememberTempFile(m_path);
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, failure);
    if (failure) {
        return failure.value();
    }
    const auto buffer = std::make_unique<char[]>(kChunk);
    for (;;) {
        size_t got = 0;
        if (const int error = stream.read(buffer.get(), kChunk, got)) {
            return error;
        }
        if (got == 0) {
            break;
        }
        if (std::fwrite(buffer.get(), 1, got, file.get()) != got) {
            return errno != 0 ? errno : EIO;
        }
    }
    return std::fclose(file.release()) == 0 ? 0 : (errno != 0 ? errno : EIO);
}

} // namespace wavemark
