#pragma once

#include "Survey.h"

#include <string>

namespace wavemark {

// The survey as a Kismet log (an SQLite database of db_version 8) at `path`,
// with Kismet's tables and columns: KISMET, devices, packets, data and
// datasources. Each access point is a device of phyname IEEE802.11 whose JSON
// record names its SSID and encryption bits in one of two forms, taking
// turns: the newer last_beaconed_ssid_record with crypt_bitfield, and the
// older advertised_ssid_map entry named by last_beaconed_ssid_checksum, with
// crypt_set. A WEP access point gets one of several sets of protecting bits,
// another none; an ad-hoc one is of type "Wi-Fi Ad-Hoc". Each reading of the
// text export is a packet of the same time, signal (Sig - 149 dBm) and
// position, 0 / 0 without a fix. Wi-Fi clients and Bluetooth devices with
// packets of their own stand among them; a reader must leave them out.
// Returns what failed, empty on success.
std::string writeKismetLog(const Survey& survey, const std::string& path);

} // namespace wavemark
