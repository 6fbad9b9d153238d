#pragma once

#include "platform/ByteStream.h"
#include "platform/CsvRecords.h"
#include "survey/SurveyFile.h"

namespace wavemark {

// Reads a WiGLE CSV file (WigleWifi-1.4 and 1.6) into `sink`:
// - one access point per MAC, in the order of their first rows. Its waypoint
//   is its strongest row with a position (the first of equals): position,
//   time and signal of that row; an access point without such a row has no
//   position, and the time and signal of its strongest row. Its protection
//   and ad-hoc mode come from the AuthMode of its last row with a position
//   (of its last row while it has none), the row its track's class comes
//   from too. Its name is its latest SSID that is not empty, exactly as
//   written (blanks included), as UTF-8 (bytes that are not are taken as
//   Windows-1252). Signals are RSSI + 149, the scale of the Sig column of
//   NetStumbler's exports;
// - a reading for every Wi-Fi row with a position, in file order. Rows at
//   0 / 0 (no fix) have none;
// - the log date: the date of the latest FirstSeen of the rows read.
// Rows left out are counted in the sink, each under its reason: rows
// of other radios (a Type other than WIFI), malformed rows (too few fields;
// a MAC, FirstSeen or number that does not read; an RSSI beyond
// -32768..32767 dBm) and rows with coordinates out of range (outside
// -90..90 / -180..180). A file without its WigleWifi- line or without a
// column line that names the columns the reader needs gives a text that
// names the line; a failed read its errno.
SurveyProblem ReadWigleCsv(ByteStream& stream, SurveySink& sink, const CsvReadSizes& sizes = {});

} // namespace wavemark
