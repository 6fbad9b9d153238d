#include "mapview/MapScene.h"

#include "maps/Legend.h"
#include "maps/TrackPoints.h"
#include "mapview/BulkBox.h"

#include <cmath>

namespace wavemark {
namespace {

void addTracks(const ConversionData& data, MapScene& scene) {
    const auto pointCount = static_cast<size_t>(std::max(data.TrkPointCount, 0));
    scene.points.reserve(pointCount);
    scene.levels.reserve(pointCount);
    for (size_t p = 1; p <= pointCount; ++p) {
        scene.points.push_back(ToFixed(Project(data.TptLat[p], data.TptLon[p])));
        scene.levels.push_back(p < data.TptSignal.size() ? data.TptSignal[p] : 0.0f);
    }
    scene.tracks.reserve(static_cast<size_t>(std::max(data.TrkCount, 0)));
    for (size_t t = 1; t <= static_cast<size_t>(std::max(data.TrkCount, 0)); ++t) {
        const TrackPoints points = TrackPointsOf(data, t);
        SceneTrack track{static_cast<uint32_t>(points.first - 1),
                         static_cast<uint32_t>(points.end - 1),
                         {},
                         data.TrkColor[t],
                         data.TrkLineStyle[t]};
        for (uint32_t p = track.first; p < track.end; ++p) {
            track.bounds.add(scene.points[p]);
        }
        scene.bounds.add(track.bounds);
        scene.tracks.push_back(track);
    }
}

void addMarkers(const ConversionData& data, MapScene& scene) {
    const auto count = static_cast<size_t>(std::max(data.WptCount, 0));
    scene.markers.reserve(count);
    std::vector<FixedPoint> places;
    places.reserve(count);
    for (size_t w = 1; w <= count; ++w) {
        const int32_t track = w < data.WptTrack.size() ? data.WptTrack[w] : 0;
        SceneMarker marker{
            ToFixed(Project(data.WptLat[w], data.WptLon[w])),
            data.WptClass[w],
            track >= 1 && track <= static_cast<int32_t>(scene.tracks.size()) ? track - 1 : -1,
            std::string(data.WptName[w]),
            std::string(data.WptComment[w]),
            std::string(BareBssid(data.WptBssid[w])),
            static_cast<int>(std::lround(data.WptSignal[w]))};
        scene.bounds.add(marker.at);
        places.push_back(marker.at);
        scene.markers.push_back(std::move(marker));
    }
    scene.bulk = BulkBox(places, scene.points);
    scene.index = MarkerIndex(places);
}

} // namespace

MapScene SceneOf(const ConversionData& data) {
    MapScene scene;
    addTracks(data, scene);
    addMarkers(data, scene);
    return scene;
}

std::string MarkerToolTip(const MapScene& scene, const SceneMarker& marker) {
    std::string readings = "no track";
    if (marker.track >= 0) {
        const SceneTrack& track = scene.tracks[static_cast<size_t>(marker.track)];
        readings = std::to_string(track.end - track.first);
    }
    return "Name: " + marker.name + "\nNetwork: " + marker.network + "\nBSSID: " + marker.bssid +
           "\nClass: " + std::string(LegendOf(marker.networkClass).name) +
           "\nSignal: " + std::to_string(marker.signal) + "\nReadings: " + readings;
}

} // namespace wavemark
