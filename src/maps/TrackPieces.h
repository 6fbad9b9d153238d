#pragma once

#include "convert/ConversionData.h"
#include "platform/BufferedFile.h"

#include <functional>
#include <string>

namespace wavemark {

// Appends track `track` to `out`. With a file, calls its flushIfFull()
// between trackpoints and gives false once that fails.
using TrackText = std::function<bool(std::string& out, size_t track, BufferedFile* file)>;

// Writes every track of `data` to a text map file in order. Runs of tracks
// are formatted as pieces of a few thousand trackpoints, by the caller's
// thread and a helper thread side by side, and each piece is appended in
// its turn; a track too long for a piece is formatted straight into the
// file in its turn, so memory stays bounded. False once the file fails.
bool WriteTrackPieces(const ConversionData& data, BufferedFile& file, const TrackText& text);

} // namespace wavemark
