#pragma once

#include <string>
#include <string_view>

namespace wavemark {

// Text the user typed (UTF-8) as the single bytes that exports and GTM files
// hold: Windows-1252, with "?" for a character it lacks. Bytes that are not
// valid UTF-8 are taken to be Windows-1252 already and kept.
std::string ToWindows1252(std::string_view utf8);

// Windows-1252 bytes as UTF-8; the five bytes the code page leaves unused
// become their C1 control characters.
std::string FromWindows1252(std::string_view bytes);

// One Windows-1252 byte appended to `text` as UTF-8, as FromWindows1252 turns it.
void AppendUtf8(char byte, std::string& text);

} // namespace wavemark
