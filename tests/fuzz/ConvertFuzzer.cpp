// The whole conversion, as wavemark-convert runs it, from two exports held
// in memory. Input: one byte of options, then the summary export, a NUL, and
// the text export. The exports are handed over as memfd files, the GTM file
// goes to a folder in memory (/dev/shm when there is one).
#include "CommandLineConverter.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

struct MemoryFile {
    explicit MemoryFile(std::string_view bytes) {
        check(fd >= 0 &&
              ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    }
    ~MemoryFile() { ::close(fd); }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd); }

    const int fd = ::memfd_create("export", MFD_CLOEXEC);
};

std::string outputFolder() {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    const auto folder = base / ("wavemark-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string output = outputFolder() + "/out.gtm";
    if (size == 0) {
        return 0;
    }
    const uint8_t options = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t nul = rest.find('\0');
    const MemoryFile summary(rest.substr(0, nul));
    const MemoryFile text(nul == std::string_view::npos ? std::string_view{}
                                                        : rest.substr(nul + 1));

    const char* const filters[] = {"", "net", "MOBILE,public,eurospot,wlan@thenet", ",net,"};
    std::vector<std::string> args{summary.path(), text.path(), "-o",
                                  output,         "--filter",  filters[options & 3]};
    for (const auto& [bit, flag] :
         {std::pair{4, "--no-tracks"}, {8, "--only-no-wep"}, {16, "--fixed-colors"}}) {
        if (options & bit) {
            args.push_back(flag);
        }
    }
    std::ostringstream out, errors;
    // The arguments are always usable: a run succeeds with a file of at
    // least the header and datum, or fails with a message and no file.
    const int status = wavemark::RunCommandLine(args, "/nonexistent", out, errors);
    std::error_code noFile;
    const bool written = std::filesystem::file_size(output, noFile) >= 180 && !noFile;
    check(status == wavemark::kExitOk
              ? written
              : status == wavemark::kExitFailed && noFile && !errors.str().empty());
    std::filesystem::remove(output);
    return 0;
}
