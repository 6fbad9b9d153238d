#pragma once

#include "ExportWriter.h"
#include "Survey.h"
#include "platform/BufferedFile.h"

#include <cstdint>
#include <vector>

namespace wavemark {

// The NetStumbler log versions seen in practice: 1, 6, 8, 11 and 12.
bool isNs1Version(uint64_t version);

// A version-1 log (NetStumbler 0.2) keeps neither times nor positions nor
// readings. The survey as such a log keeps it, for its exports to show what
// NetStumbler's exports of the log would: every access point at the GTM
// epoch (1989-12-31 00:00:00) without a position, and the text export
// without reading lines (ReadingLines::Omitted). Later versions keep the
// survey as it is.
Survey keptByNs1(const Survey& survey, int version);
ReadingLines ns1ReadingLines(int version);

// Writes the survey as NetStumbler's log of `version`, with the values the
// exports print, so that converting the log gives what converting the
// exports gives: a record per access point in the summary's order, MaxSignal
// the summary's Sig - 149 (dBm), Flags the summary's flag digits as a
// number, FirstSeen its time, BestLat / BestLong its position (0 / 0 for
// "N 0.0000000", 360 / 720 for "N 360.0000000"); a sample per text export
// line of the access point, Signal Sig - 149, with GPS data unless the line
// says 360 / 720. Coordinates are the doubles of the exports' seven
// decimals. The name is empty, as the exports' "# (  )" shows; version 12
// adds the SSID, rates and channel elements.
void writeNs1(const Survey& survey, const std::vector<ReadingTally>& tallies, int version,
              BufferedFile& out);

} // namespace wavemark
