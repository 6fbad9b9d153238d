#pragma once

#include "Survey.h"
#include "platform/BufferedFile.h"

namespace wavemark {

enum class WigleVersion { V1_4, V1_6 };

// The survey's readings as a WiGLE CSV file, one row per reading of the text
// export in the same order, with the same time, position and signal: a
// pre-header line, the version's column line, then the rows. 1.4 ends its
// lines with CR LF, 1.6 with LF.
//   MAC        the BSSID, in capitals for every fifth access point
//   SSID       the export's Windows-1252 name as UTF-8
//   AuthMode   a capability string that reads as the flags' WEP bit (0x0010)
//              and ad-hoc mode, spelled as one of several writers do
//   FirstSeen  yyyy-mm-dd hh:mm:ss, the reading's time (UTC)
//   RSSI       the export's Sig - 149 (dBm); a lost signal is -32767
//   position   7 decimals, signed; "0.0000000" for both without a fix
// Fields are quoted where they must be and, to keep readers honest, now and
// then where they need not. A few Bluetooth and cell rows stand among the
// Wi-Fi rows; a reader must leave them out.
void writeWigleCsv(const Survey& survey, WigleVersion version, BufferedFile& out);

} // namespace wavemark
