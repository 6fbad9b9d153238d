#include "TextExportReader.h"

#include "ExportLine.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wavemark {
namespace {

// Waypoints by exact BSSID bytes, built once, so that each reading costs one
// look-up instead of a comparison with every waypoint. Waypoints that carry
// the same BSSID share a group and each get its readings.
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

    size_t count() const { return m_groups.size(); }
    int32_t ofWaypoint(int32_t w) const { return m_groupOf[static_cast<size_t>(w)]; }
    int32_t ofBssid(std::string_view bssid) const {
        const auto it = m_groups.find(bssid);
        return it == m_groups.end() ? -1 : it->second;
    }

private:
    std::unordered_map<std::string_view, int32_t> m_groups;
    std::vector<int32_t> m_groupOf;
};

// The counting pass: which group each line's reading belongs to (-1 for
// none), how many positioned readings each group has, and the WEP digit of
// its last one. Only this is kept, so memory stays small next to the lines.
struct ReadingCounts {
    std::vector<int32_t> groupOfLine;
    std::vector<int32_t> countOfGroup;
    std::vector<char> lastWepDigitOfGroup;
};

ReadingCounts countReadings(const modLoadFile::LoadedLines& lines, const BssidGroups& groups,
                            DateInForce& date) {
    ReadingCounts counts;
    counts.countOfGroup.assign(groups.count(), 0);
    counts.lastWepDigitOfGroup.assign(groups.count(), '0');
    counts.groupOfLine.assign(static_cast<size_t>(std::max(lines.FileLineCount, 4)) + 1, -1);
    for (int32_t i = 5; i <= lines.FileLineCount; ++i) {
        const std::string_view line = lines.FileLines(i);
        if (IsDateLine(line)) {
            date = DateInForce(DateText(line));
            continue;
        }
        if (groups.count() == 0) {
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
        counts.groupOfLine[static_cast<size_t>(i)] = group;
        ++counts.countOfGroup[static_cast<size_t>(group)];
        counts.lastWepDigitOfGroup[static_cast<size_t>(group)] = r->wepDigit;
    }
    return counts;
}

template <typename T> void recreate(std::vector<T>& list, int32_t count) {
    list.assign(static_cast<size_t>(count) + 1, T{});
}

} // namespace

bool ReadTextExport(const modLoadFile::LoadedLines& lines, const TrackOptions& options,
                    TrackColorGenerator& colors, ConversionData& data, TrackProgress& progress) {
    const std::string_view firstDate =
        lines.FileLineCount >= 4 ? DateText(lines.FileLines(4)) : std::string_view{};
    DateInForce date(firstDate);
    const BssidGroups groups(data);
    const ReadingCounts counts = countReadings(lines, groups, date);
    data.LogDate = std::string(date.text());
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    progress.readingPassDone();

    // Where each waypoint's track starts among the trackpoints; the
    // waypoints of a group are listed so a reading can reach all of them.
    // Waypoints that share a BSSID each get every reading of it, so the sum
    // can pass any 32-bit counter: it is checked as it grows.
    std::vector<size_t> nextPointOf(static_cast<size_t>(data.WptCount) + 1, 0);
    std::vector<std::vector<int32_t>> tracksOfGroup(groups.count());
    int32_t trackCount = 0;
    size_t pointCount = 0;
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const int32_t group = groups.ofWaypoint(w);
        const auto matches = static_cast<size_t>(counts.countOfGroup[static_cast<size_t>(group)]);
        if (matches >= 2) {
            ++trackCount;
            nextPointOf[static_cast<size_t>(w)] = pointCount + 1;
            tracksOfGroup[static_cast<size_t>(group)].push_back(w);
            pointCount += matches;
            if (pointCount > static_cast<size_t>(kMaxTrackPoints)) {
                return false;
            }
        }
    }
    const auto points = static_cast<int32_t>(pointCount);
    recreate(data.TrkName, trackCount);
    recreate(data.TrkLineStyle, trackCount);
    recreate(data.TrkScale, trackCount);
    recreate(data.TrkColor, trackCount);
    recreate(data.TptLat, points);
    recreate(data.TptLon, points);
    recreate(data.TptTime, points);
    recreate(data.TptTrack, points);
    recreate(data.TptAltitude, points);

    // The fill pass reads the matching lines again, straight into place.
    date = DateInForce(firstDate);
    for (int32_t i = 5; i <= lines.FileLineCount; ++i) {
        const std::string_view line = lines.FileLines(i);
        if (IsDateLine(line)) {
            date = DateInForce(DateText(line));
            continue;
        }
        const int32_t group = counts.groupOfLine[static_cast<size_t>(i)];
        if (group < 0 || tracksOfGroup[static_cast<size_t>(group)].empty()) {
            continue;
        }
        const ExportReading r = *ReadDataLine(line, date, kTextExportColumnLimit);
        for (const int32_t w : tracksOfGroup[static_cast<size_t>(group)]) {
            const size_t p = nextPointOf[static_cast<size_t>(w)]++;
            data.TptLat[p] = r.lat;
            data.TptLon[p] = r.lon;
            data.TptTime[p] = r.time;
            data.TptAltitude[p] = r.signal;
        }
    }

    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto group = static_cast<size_t>(groups.ofWaypoint(w));
        const int32_t matches = counts.countOfGroup[group];
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
        const bool withoutWep = counts.lastWepDigitOfGroup[group] == '0';
        data.TrkName[t] = data.WptComment[static_cast<size_t>(w)];
        data.TrkColor[t] = options.TChangeColors ? colors.next()
                           : withoutWep          ? options.TColorNoWep
                                                 : options.TColorWep;
        data.TrkLineStyle[t] = withoutWep ? options.TLineNoWep : options.TLineWep;
        data.TrkScale[t] = 0.0f;
        progress.trackCountChanged(data.TrkCount);
    }
    return true;
}

} // namespace wavemark
