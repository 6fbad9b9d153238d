#pragma once

#include "settings/CDS_CIni.h"

#include <optional>
#include <string>

namespace wavemark {

inline constexpr const char* kDefaultTileUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";

// Where the map window was and what it showed, kept in the [Map] section of
// Wavemark.ini. The section is written only by a run that opened the map,
// so a first start still writes only the main window's keys.
struct MapSection {
    // The window's place and size; no place lets the system choose one.
    std::optional<int> Left;
    std::optional<int> Top;
    int Width = 800;
    int Height = 600;
    // The last view: its centre and zoom level, when there was one.
    std::optional<double> Latitude;
    std::optional<double> Longitude;
    int Zoom = 1;
    // The tile server's address template; empty turns tiles off.
    std::string TileUrl = kDefaultTileUrl;

    bool operator==(const MapSection&) const = default;
};

// The section as the file holds it over the defaults. A value in a wrong
// form or out of range keeps the default; a TileUrl key that is there but
// empty turns tiles off.
MapSection ReadMapSection(CDS_CIni& ini);

// Writes every key of the section, each in place where the file has it, so
// lines the user added to the section stay. False when the write failed.
[[nodiscard]] bool WriteMapSection(CDS_CIni& ini, const MapSection& section);

} // namespace wavemark
