#pragma once

#include "TempFolder.h"
#include "convert/ConversionData.h"
#include "maps/MapFormat.h"
#include "platform/BufferedFile.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark::test {

// One protected waypoint with one style record, and one open track of two
// points: small enough to write every output byte out in a test.
inline ConversionData SmallMap() {
    // clang-format off
    return ConversionData{
        .WptCount = 1, .WptName = {"", "c2e140"}, .WptComment = {"", "hello"},
        .WptLat = {0, 47.5}, .WptLon = {0, 8.25}, .WptTime = {0, 450362096},
        .WptIcon = {0, 141}, .WptRotation = {0, 0}, .WptDisplay = {0, 4},
        .WptSignal = {0, 70.0f}, .WptBssid = {"", "( 00:0b:86:c2:e1:40 )"},
        .WptClass = {NetworkClass::Open, NetworkClass::Protected}, .WptTrack = {0, 0},
        .WptStyleCount = 1,
        .WptStyles = {{}, {.Height = -12, .FaceName = "Arial", .Color = 255, .Weight = 700,
                           .Border = 139, .Background = -1, .BackColor = 65535,
                           .Underline = 1, .Alignment = 1}},
        .TrkCount = 1, .TrkName = {"", " ab "}, .TrkLineStyle = {0, 2}, .TrkScale = {0, 0.0f},
        .TrkColor = {0, 4227072}, .TrkClass = {NetworkClass::Open, NetworkClass::Open},
        .TrkFirstPoint = {0, 1}, .TrkPointCount = 2, .TptLat = {0, 47.5, 47.5},
        .TptLon = {0, 8.25, 8.25}, .TptTime = {0, 450362096, 450362097},
        .TptSignal = {0, 70.0f, -32618.0f}, .LogDate = {}};
    // clang-format on
}

// What a writer puts in a file for `data`.
inline std::string Written(MapWriter write, const ConversionData& data,
                           const MapContext& context = {}) {
    TempFolder folder;
    BufferedFile file(folder.file("map"));
    EXPECT_TRUE(file.open() && write(data, context, file) && file.finish());
    return ReadBytes(folder.file("map"));
}

} // namespace wavemark::test
