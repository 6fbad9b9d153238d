#pragma once

#include <span>
#include <string>
#include <string_view>

namespace wavemark {

// A file a conversion reads, and what the user calls it.
struct InputFile {
    std::string_view role; // "summary export", "text export", "settings file"
    std::string path;
};

// Why a new file must not take the place of what `output` names, as the
// failure message gives it ("Is a folder", "Is read-only", "Is the same file
// as the text export"), or "" when it may. A file is one of the inputs under
// any name: a hard link or a symbolic link to it is that input too.
std::string RefuseOutput(const std::string& output, std::span<const InputFile> inputs);

} // namespace wavemark
