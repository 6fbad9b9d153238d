#pragma once

#include "convert/WaypointPosition.h"
#include "platform/DefaultInitAllocator.h"
#include "platform/TextList.h"
#include "survey/SurveyTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wavemark {

// One label style of the GTM file; a conversion builds four, one per
// waypoint display style.
struct WaypointStyle {
    int32_t Height = 0;
    std::string FaceName; // Windows-1252 bytes
    uint8_t Display = 0;
    int32_t Color = 0;
    int32_t Weight = 0;
    int32_t Scale = 0;
    uint8_t Border = 0;
    int16_t Background = 0;
    int32_t BackColor = 0;
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    uint8_t Alignment = 0;

    bool operator==(const WaypointStyle&) const = default;
};

// The trackpoints' lists are made to their full size and then written
// everywhere by the track maker: a list of these is not zeroed first.
template <typename T> using ScatterList = std::vector<T, DefaultInitAllocator<T>>;

// Map readers take names of a few hundred bytes at most (GDAL refuses an
// element of a megabyte): longer network names are cut to this many bytes,
// at a character's start.
inline constexpr size_t kMaxNameBytes = 255;

// What kind of network a waypoint or a track stands for: map formats that
// name their styles tell these three apart.
enum class NetworkClass : uint8_t { Open, Protected, AdHoc };

// The result of the last conversion run. Every list is numbered from 1, as
// the window numbers waypoints and tracks: a maker creates it with count + 1
// elements. Slot 0 means nothing; it is left at its zero value only so that
// two conversions of the same input compare equal. A list that a run does
// not re-create keeps the previous run's content, so the counts, not the
// lists' sizes, say how much of each list is this run's. Network names,
// BSSIDs and dates are UTF-8 and times are packed UTC moments (see
// PackedTime), whatever the survey's own forms: each map writer turns them
// into its format's. The texts are packed, since
// a survey of millions of access points would otherwise spend most of its
// memory on string objects.
struct ConversionData {
    int32_t WptCount = 0;
    TextList WptName;    // last three BSSID octets, six hex digits
    TextList WptComment; // network name (at most kMaxNameBytes), or WptName when empty
    std::vector<double> WptLat;
    std::vector<double> WptLon;
    std::vector<PackedTime> WptTime;
    std::vector<int16_t> WptIcon;
    std::vector<int16_t> WptRotation;
    // The GTM display code (2 icon only, 3 icon and name, 4 name in a box)
    // as the settings and the window give it, which may be another number
    // (a list without a selection gives 0): every writer passes it on as it
    // is, and the KML writer names its styles and picks WptStyles by it.
    std::vector<uint8_t> WptDisplay;
    // Signal level, in the scale of the NetStumbler export's Sig column.
    std::vector<float> WptSignal;
    TextList WptBssid;
    std::vector<NetworkClass> WptClass;
    // The waypoint's track, 0 for none; a number past TrkCount is none too,
    // since a run without tracks only sets TrkCount to 0.
    std::vector<int32_t> WptTrack;

    int16_t WptStyleCount = 0;
    std::vector<WaypointStyle> WptStyles;

    // A run without tracks only sets TrkCount and TrkPointCount to 0: the
    // track and trackpoint lists may still hold an earlier run's.
    int32_t TrkCount = 0;
    TextList TrkName;
    std::vector<int16_t> TrkLineStyle;
    std::vector<float> TrkScale;
    std::vector<int32_t> TrkColor;
    std::vector<NetworkClass> TrkClass;
    // The number of the track's first trackpoint: the tracks take the
    // trackpoints in turn, each up to the next track's first point, the last
    // up to TrkPointCount. The track maker gives every track two points or
    // more.
    std::vector<int32_t> TrkFirstPoint;

    int32_t TrkPointCount = 0;
    ScatterList<double> TptLat;
    ScatterList<double> TptLon;
    ScatterList<PackedTime> TptTime;
    ScatterList<float> TptSignal; // as WptSignal

    int32_t CountSelected = 0;
    int32_t CountWEP = 0;
    int32_t CountNoWEP = 0;
    int32_t CountAdHoc = 0;
    int32_t CountFiltered = 0;

    std::string LogDate;
    bool DataSaved = true;
    // Network names longer than kMaxNameBytes, cut to it.
    int32_t NamesCut = 0;

    // Under the estimated rule, for waypoints 1 to WptCount: which position
    // each stands at, and its strongest reading's position, which map
    // formats with room for it carry beside the waypoint's. Empty under the
    // strongest rule, so that a default run keeps nothing more. Last, with
    // defaults, so that lists of the fields above need not name them.
    std::vector<WaypointPosition> WptPosition = {};
    std::vector<double> WptStrongestLat = {};
    std::vector<double> WptStrongestLon = {};

    bool operator==(const ConversionData&) const = default;
};

} // namespace wavemark
