#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wavemark {

// What a Kismet device record (the JSON of the devices table's `device`
// column) tells about an access point:
//   kismet.device.base.type     "Wi-Fi AP", "Wi-Fi Ad-Hoc", "Wi-Fi Client", ...
//   dot11.device                the Wi-Fi part, whose SSID record is either
//     .last_beaconed_ssid_record            the record itself, or in older logs
//     .advertised_ssid_map[checksum]        the one named by
//     .last_beaconed_ssid_checksum
// and in that record dot11.advertisedssid.ssid, and the encryption bits of
// dot11.advertisedssid.crypt_bitfield (older logs: crypt_set).
struct DeviceRecord {
    enum class Kind { AccessPoint, AdHoc, Other };
    Kind kind = Kind::Other;
    std::string ssid; // as the record writes it, UTF-8; empty without an SSID record
    uint64_t crypt = 0;
};

// Whether Kismet's encryption bits name any protection.
bool IsProtectedCrypt(uint64_t crypt);

// Reads device records one after another, reusing its buffers.
class DeviceRecordReader {
public:
    DeviceRecordReader();
    ~DeviceRecordReader();
    DeviceRecordReader(const DeviceRecordReader&) = delete;
    DeviceRecordReader& operator=(const DeviceRecordReader&) = delete;

    // False for JSON that does not read.
    bool read(std::string_view json, DeviceRecord& record);

private:
    struct Parser;
    std::unique_ptr<Parser> m_parser;
};

} // namespace wavemark
