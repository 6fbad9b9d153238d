#include "convert/Tracks.h"

#include "convert/Lists.h"
#include "platform/SideBySide.h"

#include <array>
#include <functional>
#include <numeric>
#include <span>
#include <vector>

namespace wavemark {
namespace {

// Where each track's points go. The tracks are listed by group, each
// group's in waypoint order: group g's are tracks [first[g], first[g + 1]),
// each with where its points start among the trackpoints. Packed so, a plan
// for millions of access points costs 12 bytes each, not a list each.
struct TrackPlan {
    std::vector<uint32_t> first;      // per group, and one past the last
    std::vector<uint32_t> firstPoint; // per track listed
};

// A trackpoint list of `points` + 1 values, slot 0 zero and the others left
// for the caller to write every one of.
template <typename T> void makeRoom(ScatterList<T>& list, int32_t points) {
    list.clear();
    list.resize(static_cast<size_t>(points) + 1);
    list[0] = T{};
}

// Makes one trackpoint list from one column: each reading goes to every track
// of its group. The column is freed as the list fills, so the readings and
// the lists are never both whole.
template <typename T>
void fill(ScatterList<T>& list, int32_t points, ChunkedColumn<T>& column,
          const ChunkedColumn<int32_t>& groupOf, const TrackPlan& plan) {
    makeRoom(list, points);
    std::vector<uint32_t> next = plan.firstPoint;
    size_t i = 0;
    column.drain([&](T value) {
        const auto group = static_cast<size_t>(groupOf[i]);
        for (uint32_t track = plan.first[group]; track < plan.first[group + 1]; ++track) {
            list[next[track]++] = value;
        }
        ++i;
    });
}

// The four lists, each from its own column, by the caller and a helper
// thread side by side once there are enough points to be worth it. Each
// fill keeps its own copy of where the tracks' points go: a second copy at
// once is nothing beside the points for thousands of tracks, but would
// raise the peak of a survey of millions of access points.
void fillSideBySide(ConversionData& data, int32_t points, Readings& readings,
                    const TrackPlan& plan) {
    constexpr int32_t kWorthAThread = 1 << 16;
    constexpr size_t kMostTracks = 1 << 16;
    const bool sideBySide = points >= kWorthAThread && plan.firstPoint.size() <= kMostTracks;
    const std::array<std::function<void()>, 4> lists = {
        [&] { fill(data.TptLat, points, readings.lat, readings.group, plan); },
        [&] { fill(data.TptLon, points, readings.lon, readings.group, plan); },
        [&] { fill(data.TptTime, points, readings.time, readings.group, plan); },
        [&] { fill(data.TptSignal, points, readings.signal, readings.group, plan); },
    };
    RunSideBySide(lists, sideBySide);
}

} // namespace

BssidGroups WaypointGroups(const ConversionData& data) {
    if (data.WptCount == 0) {
        return BssidGroups(data.WptBssid, 0);
    }
    return BssidGroups(data.WptBssid, static_cast<size_t>(data.WptCount));
}

std::vector<int32_t> GroupOfEachWaypoint(const BssidGroups& groups, const ConversionData& data) {
    std::vector<int32_t> groupOf(static_cast<size_t>(data.WptCount) + 1, -1);
    for (size_t w = 1; w < groupOf.size(); ++w) {
        groupOf[w] = groups.ofAccessPoint(w - 1);
    }
    return groupOf;
}

std::vector<int32_t> GroupOfEachWaypoint(const BssidTable& groupOfBssid,
                                         const ConversionData& data) {
    std::vector<int32_t> groupOf(static_cast<size_t>(data.WptCount) + 1, -1);
    for (size_t w = 1; w < groupOf.size(); ++w) {
        groupOf[w] = groupOfBssid.find(data.WptBssid[w]);
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
    int32_t trackCount = 0;
    size_t pointCount = 0;
    size_t nameBytes = 0;
    const auto matchesOf = [&](int32_t w) {
        const int32_t group = groupOfWaypoint[static_cast<size_t>(w)];
        return group < 0 ? 0 : readings.countOfGroup[static_cast<size_t>(group)];
    };
    TrackPlan plan;
    plan.first.assign(readings.countOfGroup.size() + 1, 0);
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto matches = static_cast<size_t>(matchesOf(w));
        if (matches >= 2) {
            ++trackCount;
            ++plan.first[static_cast<size_t>(groupOfWaypoint[static_cast<size_t>(w)]) + 1];
            nameBytes += data.WptComment[static_cast<size_t>(w)].size();
            pointCount += matches;
            if (pointCount > static_cast<size_t>(kMaxTrackPoints)) {
                return TracksOutcome::TooManyPoints;
            }
        }
    }
    std::partial_sum(plan.first.begin(), plan.first.end(), plan.first.begin());
    plan.firstPoint.resize(static_cast<size_t>(trackCount));
    std::vector<uint32_t> nextOfGroup(plan.first.begin(), plan.first.end() - 1);
    uint32_t start = 1;
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto matches = static_cast<uint32_t>(matchesOf(w));
        if (matches >= 2) {
            const auto group = static_cast<size_t>(groupOfWaypoint[static_cast<size_t>(w)]);
            plan.firstPoint[nextOfGroup[group]++] = start;
            start += matches;
        }
    }
    nextOfGroup = {};
    const auto points = static_cast<int32_t>(pointCount);
    fillSideBySide(data, points, readings, plan);
    // The track lists come once the readings and the plan are gone.
    readings.group.clear();
    plan = {};
    Recreate(trackCount, data.TrkLineStyle, data.TrkScale, data.TrkColor, data.TrkClass,
             data.TrkFirstPoint);
    data.TrkName.clear();
    data.TrkName.reserve(static_cast<size_t>(trackCount) + 1, nameBytes);
    data.TrkName.push_back({});
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
        // The points were placed by the plan in this same order: this track's
        // are the next `matches` ones.
        const int32_t firstPoint = data.TrkPointCount + 1;
        for (int32_t k = 0; k < matches; ++k) {
            progress.trackPointCountChanged(++data.TrkPointCount);
        }
        const auto t = static_cast<size_t>(++data.TrkCount);
        data.TrkFirstPoint[t] = firstPoint;
        data.WptTrack[static_cast<size_t>(w)] = data.TrkCount;
        const auto group = static_cast<size_t>(groupOfWaypoint[static_cast<size_t>(w)]);
        const bool open = readings.lastProtectionOfGroup[group] == Protection::Open;
        data.TrkName.push_back(data.WptComment[static_cast<size_t>(w)]);
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
