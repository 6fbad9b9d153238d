// The whole conversion from two exports held in memory, once with the text
// export read in one block and once in blocks of a few bytes, each split
// between two threads, which must give the same. Input: one byte that sets
// the small block size, then the summary export, a NUL, and the text export,
// handed over as memfd files. (What the command line makes of a conversion
// is left to the command-line tests and the hostile-file check.)
#include "ConsoleWindow.h"
#include "Convert.h"
#include "FuzzCheck.h"
#include "SettingsTable.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace wavemark;

struct MemoryFile {
    explicit MemoryFile(std::string_view bytes) {
        check(fd >= 0 &&
              ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    }
    ~MemoryFile() { ::close(fd); }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd); }

    const int fd = ::memfd_create("export", MFD_CLOEXEC);
};

// The conversion with the first-start settings, the text export read with
// `sizes`.
ConversionData converted(const MemoryFile& summary, const MemoryFile& text,
                         const TextReadSizes& sizes) {
    Settings settings = FirstStartSettings("/nonexistent");
    settings.SummaryFilePath = summary.path();
    settings.TextFilePath = text.path();
    std::ostringstream errors;
    ConsoleWindow window(settings, errors);
    ConverterState state;
    Convert(state, window, sizes);
    return std::move(state.data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const TextReadSizes small{.block = size_t{data[0]} + 1, .splitMinimum = 1};
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t nul = rest.find('\0');
    const MemoryFile summary(rest.substr(0, nul));
    const MemoryFile text(nul == std::string_view::npos ? std::string_view{}
                                                        : rest.substr(nul + 1));
    check(converted(summary, text, {}) == converted(summary, text, small));
    return 0;
}
