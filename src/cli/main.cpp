#include "CommandLineConverter.h"

#include <filesystem>
#include <iostream>
#include <new>

namespace {

std::string programFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    int status = wavemark::kExitFailed;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        status = wavemark::RunCommandLine(args, programFolder(), std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        // The engine reports the allocations that a large input makes; this
        // is the last word for any other.
        std::cerr << "wavemark-convert: not enough memory\n";
        return wavemark::kExitFailed;
    }
    // Counters that could not be printed (a full disk, a closed pipe) are a
    // failure too.
    std::cout.flush();
    if (!std::cout && status == wavemark::kExitOk) {
        std::cerr << "wavemark-convert: the counters could not be printed\n";
        return wavemark::kExitFailed;
    }
    return status;
}
