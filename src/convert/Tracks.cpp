#include "convert/Tracks.h"

#include "convert/Lists.h"

#include <span>
#include <vector>

namespace wavemark {
namespace {

// Where each track's points go: the waypoints of each group, and where the
// track of each waypoint starts among the trackpoints.
struct TrackPlan {
    std::vector<std::vector<int32_t>> tracksOfGroup;
    std::vector<size_t> firstPointOf;
};

// Makes one trackpoint list from one column: each reading goes to every track
// of its group. The column is freed as the list fills, so the readings and
// the lists are never both whole.
template <typename T>
void fill(std::vector<T>& list, int32_t points, ChunkedColumn<T>& column,
          const ChunkedColumn<int32_t>& groupOf, const TrackPlan& plan) {
    Recreate(points, list);
    std::vector<size_t> next = plan.firstPointOf;
    size_t i = 0;
    column.drain([&](T value) {
        for (const int32_t w : plan.tracksOfGroup[static_cast<size_t>(groupOf[i])]) {
            list[next[static_cast<size_t>(w)]++] = value;
        }
        ++i;
    });
}

} // namespace

BssidGroups WaypointGroups(const ConversionData& data) {
    if (data.WptCount == 0) {
        return BssidGroups(std::span<const std::string>{});
    }
    return BssidGroups(std::span(data.WptBssid).subspan(1, static_cast<size_t>(data.WptCount)));
}

std::vector<int32_t> GroupOfEachWaypoint(const BssidGroups& groups, const ConversionData& data) {
    std::vector<int32_t> groupOf(static_cast<size_t>(data.WptCount) + 1, -1);
    for (size_t w = 1; w < groupOf.size(); ++w) {
        groupOf[w] = groups.ofAccessPoint(w - 1);
    }
    return groupOf;
}

std::vector<int32_t> GroupOfEachWaypoint(const Survey& survey, const ConversionData& data) {
    std::vector<int32_t> groupOf(static_cast<size_t>(data.WptCount) + 1, -1);
    for (size_t w = 1; w < groupOf.size(); ++w) {
        if (const auto it = survey.groupOfBssid.find(data.WptBssid[w]);
            it != survey.groupOfBssid.end()) {
            groupOf[w] = it->second;
        }
    }
    return groupOf;
}

TracksOutcome MakeTracks(std::span<const int32_t> groupOfWaypoint, Readings& readings,
                         const TrackOptions& options, TrackColorGenerator& colors,
                         ConversionData& data, TrackProgress& progress) {
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    progress.readingPassDone();

    // Waypoints that share a BSSID each get every reading of it, so the sum
    // can pass any 32-bit counter: it is checked as it grows.
    TrackPlan plan;
    plan.tracksOfGroup.resize(readings.countOfGroup.size());
    plan.firstPointOf.assign(static_cast<size_t>(data.WptCount) + 1, 0);
    int32_t trackCount = 0;
    size_t pointCount = 0;
    const auto matchesOf = [&](int32_t w) {
        const int32_t group = groupOfWaypoint[static_cast<size_t>(w)];
        return group < 0 ? 0 : readings.countOfGroup[static_cast<size_t>(group)];
    };
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto matches = static_cast<size_t>(matchesOf(w));
        if (matches >= 2) {
            const auto group = static_cast<size_t>(groupOfWaypoint[static_cast<size_t>(w)]);
            ++trackCount;
            plan.firstPointOf[static_cast<size_t>(w)] = pointCount + 1;
            plan.tracksOfGroup[group].push_back(w);
            pointCount += matches;
            if (pointCount > static_cast<size_t>(kMaxTrackPoints)) {
                return TracksOutcome::TooManyPoints;
            }
        }
    }
    const auto points = static_cast<int32_t>(pointCount);
    Recreate(trackCount, data.TrkName, data.TrkLineStyle, data.TrkScale, data.TrkColor,
             data.TrkClass);
    fill(data.TptLat, points, readings.lat, readings.group, plan);
    fill(data.TptLon, points, readings.lon, readings.group, plan);
    fill(data.TptTime, points, readings.time, readings.group, plan);
    fill(data.TptAltitude, points, readings.signal, readings.group, plan);
    readings.group.clear();
    Recreate(points, data.TptTrack);
    Recreate(data.WptCount, data.WptTrack);

    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const int32_t matches = matchesOf(w);
        if (matches < 2) {
            // A lone reading is shown, then taken away again: no track.
            for (int32_t k = 1; k <= matches; ++k) {
                progress.trackPointCountChanged(data.TrkPointCount + k);
            }
            progress.trackPointCountChanged(data.TrkPointCount);
            continue;
        }
        for (int32_t k = 0; k < matches; ++k) {
            data.TptTrack[static_cast<size_t>(++data.TrkPointCount)] = data.TrkCount + 1;
            progress.trackPointCountChanged(data.TrkPointCount);
        }
        const auto t = static_cast<size_t>(++data.TrkCount);
        data.WptTrack[static_cast<size_t>(w)] = data.TrkCount;
        const auto group = static_cast<size_t>(groupOfWaypoint[static_cast<size_t>(w)]);
        const bool open = readings.lastProtectionOfGroup[group] == Protection::Open;
        data.TrkName[t] = data.WptComment[static_cast<size_t>(w)];
        data.TrkColor[t] = options.TChangeColors ? colors.next()
                           : open                ? options.TColorNoWep
                                                 : options.TColorWep;
        data.TrkLineStyle[t] = open ? options.TLineNoWep : options.TLineWep;
        data.TrkScale[t] = 0.0f;
        // An ad-hoc network's track stays ad-hoc whatever its last reading says.
        data.TrkClass[t] = data.WptClass[static_cast<size_t>(w)] == NetworkClass::AdHoc
                               ? NetworkClass::AdHoc
                           : open ? NetworkClass::Open
                                  : NetworkClass::Protected;
        progress.trackCountChanged(data.TrkCount);
    }
    return TracksOutcome::Made;
}

} // namespace wavemark
