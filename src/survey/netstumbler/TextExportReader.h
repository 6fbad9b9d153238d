#pragma once

#include "platform/LineStream.h"
#include "survey/BssidGroups.h"
#include "survey/Readings.h"

#include <cstddef>
#include <optional>
#include <string>

namespace wavemark {

// Blocks of lines smaller than this are read by one thread, larger ones by
// two.
inline constexpr size_t kSplitMinimum = size_t{64} << 10;

// The sizes a text export is read with. Tests make them small, so that a
// small survey meets the block edges and the two-thread split that a large
// one meets.
struct TextReadSizes {
    size_t block = kLineBlockSize;
    size_t splitMinimum = kSplitMinimum;
};

// Reads a recognised text export, whose first line `lines` has given: the
// positioned readings of the access points in `groups`, in file order, go to
// `readings`. Line 4's date is in force from line 5 until the next date
// line. The file is read once; what is kept grows with the readings wanted,
// not with the file. Returns the date in force at the end, or nothing when
// the file could not be read to its end (the stream's error() says why).
std::optional<std::string> ReadTextExport(LineStream& lines, const BssidGroups& groups,
                                          Readings& readings, size_t splitMinimum = kSplitMinimum);

} // namespace wavemark
