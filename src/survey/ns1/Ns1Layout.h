#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wavemark::ns1 {

// NetStumbler's log (.ns1), every number little-endian, packed, no padding:
//
//   "NetS"  uint32 FileVersion  uint32 ApCount  APINFO[ApCount]
//
// An APINFO record starts with a uint8 SSIDLength and the SSID, then (offsets
// below counted from the BSSID that follows the SSID):
//
//   field            v6   v8/11/12   type
//   BSSID             0     0        6 bytes, in transmission order
//   MaxSignal         6     6        int32 dBm
//   MinNoise         10    10        int32 dBm
//   MaxSNR           14    14        int32 dB
//   Channels         18     -        uint32 bit n = channel n (v8+: in the tail)
//   Flags            22    18        uint32 802.11 capability field
//   BeaconInterval   26    22        uint32
//   FirstSeen        30    26        FILETIME
//   LastSeen         38    34        FILETIME
//   BestLat          46    42        double degrees, negative south; 0/0: none
//   BestLong         54    50        double degrees, negative west
//   DataCount        62    58        uint32
//   APDATA[DataCount]                20 bytes, or 80 with GPS data
//   NameLength, Name                 uint8 and bytes
//   tail: v8 Channels (uint64), LastChannel, IPAddress; v11 also MinSignal,
//         MaxNoise, DataRate, IPSubnet, IPMask; v12 also ApFlags, IELength
//         (uint32) and IELength bytes of 802.11 information elements.
//
// APDATA: Time (FILETIME), Signal (int32 dBm), Noise (int32 dBm),
// LocationSource (int32, 0 = no GPS data), then with GPS data: Latitude,
// Longitude, Altitude (doubles), NumSats (uint32), Speed, Track,
// MagVariation, Hdop (doubles).
//
// Version 1 (NetStumbler 0.2) has no times, positions, samples or name; see
// Ns1Reader.cpp for its two known layouts.

inline constexpr size_t kHeaderSize = 12;
inline constexpr size_t kBssidAt = 0;
inline constexpr size_t kMaxSignalAt = 6;

inline constexpr size_t kSampleSize = 20;
inline constexpr size_t kSampleWithGpsSize = 80;
inline constexpr size_t kSampleSignalAt = 8;
inline constexpr size_t kSampleSourceAt = 16;
inline constexpr size_t kSampleLatitudeAt = 20;
inline constexpr size_t kSampleLongitudeAt = 28;

// Where one version keeps the fields of a record.
struct RecordLayout {
    uint32_t version;
    size_t fixedSize; // BSSID to DataCount
    size_t flagsAt;
    size_t firstSeenAt;
    size_t bestLatAt;
    size_t bestLongAt;
    size_t dataCountAt;
    size_t tailSize;  // after the name, IELength included
    bool hasElements; // v12: IELength is the tail's last field, its bytes follow
};

inline constexpr std::array<RecordLayout, 4> kRecordLayouts{{
    {6, 66, 22, 30, 46, 54, 62, 0, false},
    {8, 62, 18, 26, 42, 50, 58, 16, false},
    {11, 62, 18, 26, 42, 50, 58, 36, false},
    {12, 62, 18, 26, 42, 50, 58, 44, true},
}};

constexpr bool consistent(const RecordLayout& layout) {
    return layout.bestLongAt == layout.bestLatAt + 8 &&
           layout.dataCountAt == layout.bestLongAt + 8 &&
           layout.fixedSize == layout.dataCountAt + 4 && layout.firstSeenAt == layout.flagsAt + 8;
}
static_assert(consistent(kRecordLayouts[0]) && consistent(kRecordLayouts[1]) &&
              consistent(kRecordLayouts[2]) && consistent(kRecordLayouts[3]));
static_assert(kSampleWithGpsSize == kSampleSize + 3 * 8 + 4 + 4 * 8);

// Version 1 as NetStumbler 0.2 wrote it: BSSID, MaxSignal, MinNoise,
// MaxSNR, Channel, Flags and BeaconInterval (uint32 each after the BSSID)...
inline constexpr size_t kVersion1Size = 30;
inline constexpr size_t kVersion1FlagsAt = 22;
// ... or, by the shortest reading of the format description's list of what
// version 1 holds (SSID, BSSID, signal, noise, SNR, channel), without Flags
// and BeaconInterval.
inline constexpr size_t kVersion1ShortSize = 22;

} // namespace wavemark::ns1
