#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wavemark {

// UTF-8 text as the single bytes of Windows-1252, with "?" for a character
// it lacks. Bytes that are not valid UTF-8 are taken to be Windows-1252
// already and kept. The inverse of FromWindows1252: every byte comes back.
std::string ToWindows1252(std::string_view utf8);

// Windows-1252 bytes as UTF-8; the five bytes the code page leaves unused
// become their C1 control characters.
std::string FromWindows1252(std::string_view bytes);

// Text meant to be UTF-8, made valid: its UTF-8 sequences are kept and any
// other byte is taken as Windows-1252, the code page older tools write.
std::string Utf8OrWindows1252(std::string_view bytes);

// The length of the valid UTF-8 sequence of a character at `pos` (1 for
// ASCII), or 0 when the bytes there are none.
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// Whether every byte is below 0x80, where all these encodings agree.
bool IsAscii(std::string_view text);

} // namespace wavemark
