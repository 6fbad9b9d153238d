#include "TextExportReader.h"

#include "ExportLine.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wavemark {
namespace {

// A positioned reading of a waypoint's access point: only what a trackpoint
// needs. `group` stands for the BSSID, shared by waypoints that carry the
// same one.
struct Reading {
    int32_t group;
    int32_t time;
    double lat;
    double lon;
    float signal;
};

// Waypoints by exact BSSID bytes, built once, so that each reading costs one
// look-up instead of a comparison with every waypoint.
class BssidGroups {
public:
    explicit BssidGroups(const ConversionData& data) : m_groupOf(1, -1) {
        m_groupOf.reserve(static_cast<size_t>(data.WptCount) + 1);
        m_groups.reserve(static_cast<size_t>(data.WptCount));
        for (int32_t w = 1; w <= data.WptCount; ++w) {
            const auto [it, added] = m_groups.try_emplace(data.WptBssid[static_cast<size_t>(w)],
                                                          static_cast<int32_t>(m_groups.size()));
            m_groupOf.push_back(it->second);
        }
    }

    int32_t count() const { return static_cast<int32_t>(m_groups.size()); }
    int32_t ofWaypoint(int32_t w) const { return m_groupOf[static_cast<size_t>(w)]; }
    int32_t ofBssid(std::string_view bssid) const {
        const auto it = m_groups.find(bssid);
        return it == m_groups.end() ? -1 : it->second;
    }

private:
    std::unordered_map<std::string_view, int32_t> m_groups;
    std::vector<int32_t> m_groupOf;
};

struct ReadingTable {
    std::vector<Reading> readings;        // file order
    std::vector<int32_t> countOfGroup;    // readings per group
    std::vector<char> lastWepDigitOfGroup;
    std::vector<uint32_t> byGroup;        // reading indexes, grouped, file order kept
    std::vector<size_t> firstOfGroup;     // start of each group in byGroup
};

ReadingTable readReadings(const modLoadFile::LoadedLines& lines, const BssidGroups& groups,
                          DateInForce& date) {
    ReadingTable table;
    const auto groupCount = static_cast<size_t>(groups.count());
    table.countOfGroup.assign(groupCount, 0);
    table.lastWepDigitOfGroup.assign(groupCount, '0');
    if (groupCount > 0) {
        table.readings.reserve(static_cast<size_t>(std::max(lines.FileLineCount - 4, 0)));
    }
    for (int32_t i = 5; i <= lines.FileLineCount; ++i) {
        const std::string_view line = lines.FileLines(i);
        if (IsDateLine(line)) {
            date = DateInForce(DateText(line));
            continue;
        }
        if (groupCount == 0) {
            continue;
        }
        const auto r = ReadDataLine(line, date, kTextExportColumnLimit);
        if (!r || !r->hasPosition()) {
            continue;
        }
        const int32_t group = groups.ofBssid(r->bssid);
        if (group < 0) {
            continue;
        }
        table.readings.push_back({group, r->time, r->lat, r->lon, r->signal});
        ++table.countOfGroup[static_cast<size_t>(group)];
        table.lastWepDigitOfGroup[static_cast<size_t>(group)] = r->wepDigit;
    }

    // A stable counting sort by group keeps the file order inside a group.
    table.firstOfGroup.assign(groupCount + 1, 0);
    for (size_t g = 0; g < groupCount; ++g) {
        table.firstOfGroup[g + 1] =
            table.firstOfGroup[g] + static_cast<size_t>(table.countOfGroup[g]);
    }
    std::vector<size_t> next(table.firstOfGroup.begin(), table.firstOfGroup.end() - 1);
    table.byGroup.resize(table.readings.size());
    for (size_t i = 0; i < table.readings.size(); ++i) {
        table.byGroup[next[static_cast<size_t>(table.readings[i].group)]++] =
            static_cast<uint32_t>(i);
    }
    return table;
}

template <typename T> void recreate(std::vector<T>& list, int32_t count) {
    list.assign(static_cast<size_t>(count) + 1, T{});
}

} // namespace

void ReadTextExport(const modLoadFile::LoadedLines& lines, const TrackOptions& options,
                    TrackColorGenerator& colors, ConversionData& data, TrackProgress& progress) {
    DateInForce date(lines.FileLineCount >= 4 ? DateText(lines.FileLines(4)) : std::string_view{});
    const BssidGroups groups(data);
    const ReadingTable table = readReadings(lines, groups, date);
    data.LogDate = std::string(date.text());
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    progress.readingPassDone();

    int32_t trackCount = 0;
    int64_t pointCount = 0;
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const int32_t matches = table.countOfGroup[static_cast<size_t>(groups.ofWaypoint(w))];
        if (matches >= 2) {
            ++trackCount;
            pointCount += matches;
        }
    }
    recreate(data.TrkName, trackCount);
    recreate(data.TrkLineStyle, trackCount);
    recreate(data.TrkScale, trackCount);
    recreate(data.TrkColor, trackCount);
    recreate(data.TptLat, static_cast<int32_t>(pointCount));
    recreate(data.TptLon, static_cast<int32_t>(pointCount));
    recreate(data.TptTime, static_cast<int32_t>(pointCount));
    recreate(data.TptTrack, static_cast<int32_t>(pointCount));
    recreate(data.TptAltitude, static_cast<int32_t>(pointCount));

    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto group = static_cast<size_t>(groups.ofWaypoint(w));
        const int32_t matches = table.countOfGroup[group];
        if (matches < 2) {
            // A lone reading is shown, then taken away again: no track.
            for (int32_t k = 1; k <= matches; ++k) {
                progress.trackPointCountChanged(data.TrkPointCount + k);
            }
            progress.trackPointCountChanged(data.TrkPointCount);
            continue;
        }
        const size_t first = table.firstOfGroup[group];
        for (size_t k = 0; k < static_cast<size_t>(matches); ++k) {
            const Reading& r = table.readings[table.byGroup[first + k]];
            const auto p = static_cast<size_t>(++data.TrkPointCount);
            data.TptTrack[p] = data.TrkCount + 1;
            data.TptLat[p] = r.lat;
            data.TptLon[p] = r.lon;
            data.TptTime[p] = r.time;
            data.TptAltitude[p] = r.signal;
            progress.trackPointCountChanged(data.TrkPointCount);
        }
        const auto t = static_cast<size_t>(++data.TrkCount);
        const bool withoutWep = table.lastWepDigitOfGroup[group] == '0';
        data.TrkName[t] = data.WptComment[static_cast<size_t>(w)];
        data.TrkColor[t] = options.TChangeColors ? colors.next()
                           : withoutWep          ? options.TColorNoWep
                                                 : options.TColorWep;
        data.TrkLineStyle[t] = withoutWep ? options.TLineNoWep : options.TLineWep;
        data.TrkScale[t] = 0.0f;
        progress.trackCountChanged(data.TrkCount);
    }
}

} // namespace wavemark
