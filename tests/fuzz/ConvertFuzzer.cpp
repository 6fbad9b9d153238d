// The whole conversion, as wavemark-convert runs it, from two exports held
// in memory; then the conversion again with the text export read in blocks
// of a few bytes, each split between two threads, which must give what one
// block gives. The map written is GTM, GPX or KML as the options say; each
// must count what the counters print, and an XML map must hold only
// characters XML allows, as UTF-8. Input: one byte of options, one byte that sets the small
// block size, then the summary export, a NUL, and the text export. The
// exports are handed over as memfd files, the GTM file goes to memory
// (/dev/shm when there is one).
#include "FuzzCheck.h"
#include "cli/CommandLineConverter.h"
#include "cli/ConsoleWindow.h"
#include "convert/Convert.h"
#include "settings/SettingsTable.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

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
                         const ReadSizes& sizes) {
    Settings settings = FirstStartSettings("/nonexistent");
    settings.SummaryFilePath = summary.path();
    settings.TextFilePath = text.path();
    std::ostringstream errors;
    ConsoleWindow window(settings, errors);
    ConverterState state;
    static_cast<void>(Convert(state, window, sizes));
    return std::move(state.data);
}

// A little-endian 32-bit count of the GTM header.
int32_t headerCount(const std::string& file, size_t offset) {
    uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k) {
        value |= uint32_t{static_cast<unsigned char>(file[offset + k])} << (8 * k);
    }
    return static_cast<int32_t>(value);
}

// The number after `caption` in the printed counters.
int32_t printedCount(const std::string& printed, const std::string& caption) {
    const size_t at = printed.find(caption);
    check(at != std::string::npos);
    return std::stoi(printed.substr(at + caption.size()));
}

// What the run printed is what the file holds: its header counts the
// waypoints, trackpoints and tracks the counters name.
void checkCountsAgree(const std::string& printed, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    check(headerCount(file, 35) == printedCount(printed, "Number of Waypoints: "));
    check(headerCount(file, 39) == printedCount(printed, "Number of Trackpoints: "));
    check(headerCount(file, 67) == printedCount(printed, "Number of Tracklogs: "));
}

size_t occurrences(const std::string& text, std::string_view part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

// Valid UTF-8 without the control characters XML 1.0 forbids, nor a bare CR.
void checkXmlCharacters(std::string_view file) {
    for (size_t i = 0; i < file.size();) {
        const auto lead = static_cast<unsigned char>(file[i]);
        check(lead >= 0x20 || lead == '\t' || lead == '\n');
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        check(lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4));
        check(i + length <= file.size());
        for (size_t k = 1; k < length; ++k) {
            check((static_cast<unsigned char>(file[i + k]) & 0xC0) == 0x80);
        }
        i += length;
    }
}

void checkXmlCountsAgree(const std::string& printed, const std::string& path, bool gpx) {
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    checkXmlCharacters(file);
    const auto count = [&](std::string_view caption) {
        return static_cast<size_t>(printedCount(printed, std::string(caption)));
    };
    check(occurrences(file, gpx ? "<wpt " : "<Point>") == count("Number of Waypoints: "));
    check(occurrences(file, gpx ? "<trk>" : "<LineString>") == count("Number of Tracklogs: "));
    if (gpx) {
        check(occurrences(file, "<trkpt ") == count("Number of Trackpoints: "));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string output =
        ((std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                    : std::filesystem::temp_directory_path()) /
         ("wavemark-fuzz-" + std::to_string(::getpid()) + ".gtm"))
            .string();
    if (size < 2) {
        return 0;
    }
    const uint8_t options = data[0];
    const ReadSizes small{.block = size_t{data[1]} + 1, .splitMinimum = 1};
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
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
    const char* const formats[] = {"gtm", "gpx", "kml", "gtm"};
    const std::string format = formats[(options >> 5) & 3];
    args.insert(args.end(), {"--format", format});
    std::ostringstream out, errors;
    // The arguments are always usable: a run succeeds with a file of at
    // least the header and datum, or fails with a message and no file.
    const int status = RunCommandLine(args, "/nonexistent", out, errors);
    std::error_code noFile;
    const bool written = std::filesystem::file_size(output, noFile) >= 180 && !noFile;
    check(status == kExitOk ? written : status == kExitFailed && noFile && !errors.str().empty());
    if (status == kExitOk && format == "gtm") {
        checkCountsAgree(out.str(), output);
    } else if (status == kExitOk) {
        checkXmlCountsAgree(out.str(), output, format == "gpx");
    }
    std::filesystem::remove(output);

    check(converted(summary, text, {}) == converted(summary, text, small));
    return 0;
}
