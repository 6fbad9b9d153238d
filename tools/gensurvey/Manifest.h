#pragma once

#include "ExportWriter.h"
#include "Survey.h"
#include "platform/BufferedFile.h"

#include <vector>

namespace wavemark {

// The manifest is the ground truth of a conversion of the two exports with
// first-start defaults (filter MOBILE,public,eurospot,wlan@thenet, access
// points with and without WEP kept, tracks on). Tab-separated, LF line ends,
// texts as raw export bytes; lines starting with "#" are remarks:
//   counter  NAME  VALUE                      seven lines, in the window's order
//   wpt  NAME  COMMENT  TIME  ALTITUDE  SYMBOL  LAT  LON   one per waypoint
//   ap  BSSID  LAT  LON              one per waypoint of a simulated survey:
//                                    where its access point stands
//   trk  NAME  POINTS  FIRST-TIME  LAST-TIME                one per track
// Times are ISO 8601 UTC, coordinates as the export writes them but signed.
void writeManifest(const Survey& survey, const std::vector<ReadingTally>& tallies,
                   BufferedFile& out);

} // namespace wavemark
