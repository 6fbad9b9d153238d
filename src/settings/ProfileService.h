#pragma once

#include "settings/IniDocument.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace wavemark {

// The profile service: reads and writes INI files with the semantics of the
// Windows profile functions that CDS_CIni was built on (see IniDocument for
// the file format). Values are bytes; nothing is converted.
//
// Reads fill a caller's buffer the Windows way: a value is cut to the buffer
// size minus one and NUL-terminated; a list holds NUL-ended entries and one
// more NUL, and when it does not fit it is cut and ended with two NULs at the
// buffer's end, the result then being the size minus two.
//
// Writes read the whole file (a missing file counts as empty), change it and
// replace it through a temporary file in the same folder. A write that fails
// leaves the file as it was.

struct ProfileRead {
    size_t length = 0; // characters copied, without the final NUL
    int error = 0;     // errno when the file could not be read, otherwise 0
};

// An INI file read and parsed once, for the reads that follow. A missing
// file, section or key, or an empty value, gives length 0; a list holds the
// section's key lines ("name=value") or the section names in file order.
class ProfileSnapshot {
public:
    explicit ProfileSnapshot(const std::string& path);
    int error() const { return m_error; } // errno when the file could not be read

    ProfileRead readString(std::string_view section, std::string_view key,
                           std::span<char> buffer) const;
    ProfileRead readSection(std::string_view section, std::span<char> buffer) const;
    ProfileRead readSectionNames(std::span<char> buffer) const;

private:
    int m_error = 0;
    IniDocument m_document;
};

// Write functions return errno, 0 on success. Texts that would break the
// file's line structure (a line break or NUL anywhere, "]" in a section name,
// "=" in a key, a key starting with "[" or ";") fail with EINVAL.
bool IsWritableSection(std::string_view section);
bool IsWritablePair(std::string_view key, std::string_view value);
// Writes the keys in order with one replacement of the file, however many
// there are. A key whose texts would break the file is left out and the
// others are still written, but the result is EINVAL (unless the file itself
// could not be written); with none left, the file is not touched.
struct ProfileString {
    std::string section;
    std::string key;
    std::string value;
};
int WriteProfileStrings(std::span<const ProfileString> strings, const std::string& path);
// Replaces the section's key lines by `lines`: "name=value" entries, each
// ended by a NUL; an empty entry ends the list early.
int WriteProfileSection(std::string_view section, std::string_view lines, const std::string& path);

} // namespace wavemark
