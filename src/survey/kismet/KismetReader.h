#pragma once

#include "platform/ByteStream.h"
#include "survey/SurveyFile.h"

namespace wavemark {

// Reads a Kismet log (a .kismet file: an SQLite database) into `sink`. Of
// its tables the reader needs three:
// - KISMET: db_version, the layout of the others. Before version 5,
//   positions are whole numbers of 1/100000 degree; since, degrees;
// - devices: one row per device and radio (phyname). An access point is a
//   row of phyname "IEEE802.11" whose JSON `device` record has the
//   kismet.device.base.type "Wi-Fi AP" or "Wi-Fi Ad-Hoc" (ad-hoc mode). Its
//   name and protection come from the SSID record it last beaconed (see
//   DeviceRecord.h);
// - packets: one row per packet heard, with its sourcemac, ts_sec, signal
//   (dBm) and lat / lon (0 / 0 without a GPS fix).
// Access points come in the order they were first seen. Each packet of an
// access point with a position is a reading, in time order; its signal is
// dBm + 149, the scale of the Sig column of NetStumbler's exports. The
// waypoint is the strongest reading with a position (the first of equals);
// an access point without one has no position, and the time and signal of
// its strongest packet. The log date is that of the latest packet of an
// access point (UTC). Devices that are not access points are counted in
// the sink by kind, and so are packets with coordinates out of range.
//
// SQLite opens the file read-only and immutable, so a log that Kismet still
// writes is neither locked nor changed. A compressed log is unpacked to a
// temporary file first, which is removed again in every case; a pipe or the
// standard input cannot hold a database and gives a text, as does an SQLite
// file without Kismet's tables or one that SQLite cannot read.
SurveyProblem ReadKismetLog(ByteStream& stream, SurveySink& sink);

} // namespace wavemark
