#include "cli/CommandLineConverter.h"
#include "platform/FileSystem.h"

#include <iostream>
#include <new>

int main(int argc, char** argv) {
    wavemark::platform::RemoveTempFilesOnSignals();
    int status = wavemark::kExitFailed;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        status = wavemark::RunCommandLine(args, wavemark::platform::ExecutableFolder(), std::cout,
                                          std::cerr);
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
