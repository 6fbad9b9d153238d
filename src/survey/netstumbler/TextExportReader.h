#pragma once

#include "convert/ConversionData.h"
#include "convert/TrackColorGenerator.h"
#include "platform/LineStream.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace wavemark {

// The GTM header counts trackpoints in a signed 32-bit field.
inline constexpr int32_t kMaxTrackPoints = std::numeric_limits<int32_t>::max();

struct TrackOptions {
    bool TChangeColors = false; // a random colour per track
    int32_t TColorNoWep = 0;
    int32_t TColorWep = 0;
    int16_t TLineNoWep = 0;
    int16_t TLineWep = 0;
};

// Told of every display point of a text export read, so the window can show
// the counts growing.
class TrackProgress {
public:
    virtual ~TrackProgress() = default;
    // All readings are read; no track exists yet.
    virtual void readingPassDone() = 0;
    virtual void trackPointCountChanged(int32_t TrkPointCount) = 0;
    virtual void trackCountChanged(int32_t TrkCount) = 0;
};

enum class TextExportResult {
    Read,
    // The file could not be read to its end (the stream's error() says why);
    // the lists and counters are as they were.
    ReadFailed,
    // The trackpoints would not fit the GTM file's 32-bit counters: no track
    // and no trackpoint. That is found before any list is made.
    TooManyPoints,
};

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

// Reads a recognised text export, whose first line `lines` has given, into
// LogDate and the track and trackpoint lists: one track per waypoint with at
// least two positioned readings, in waypoint order, through its readings in
// file order. A track's class (WEP or not) is that of its last reading. The
// file is read once; what is kept grows with the readings that match a
// waypoint, not with the file.
TextExportResult ReadTextExport(LineStream& lines, const TrackOptions& options,
                                TrackColorGenerator& colors, ConversionData& data,
                                TrackProgress& progress, size_t splitMinimum = kSplitMinimum);

} // namespace wavemark
