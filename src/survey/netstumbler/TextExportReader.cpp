#include "survey/netstumbler/TextExportReader.h"

#include "platform/ChunkedColumn.h"
#include "survey/netstumbler/ExportLine.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

namespace wavemark {
namespace {

// "( 00:0b:86:c2:e1:40 )" with lowercase hex digits, as NetStumbler writes a
// BSSID, gives its 48-bit address; any other text gives nothing.
std::optional<uint64_t> canonicalAddress(std::string_view bssid) {
    if (bssid.size() != 21 || !bssid.starts_with("( ") || !bssid.ends_with(" )")) {
        return std::nullopt;
    }
    uint64_t address = 0;
    for (size_t octet = 0; octet < 6; ++octet) {
        const size_t at = 2 + octet * 3;
        if (octet > 0 && bssid[at - 1] != ':') {
            return std::nullopt;
        }
        for (size_t k = at; k < at + 2; ++k) {
            const char c = bssid[k];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            address = address << 4 | static_cast<uint64_t>(digit);
        }
    }
    return address;
}

// Waypoints by exact BSSID bytes, built once, so that each reading costs one
// look-up instead of a comparison with every waypoint. A BSSID in the
// canonical form is keyed by its address, any other by its text: the
// canonical form is one text per address, so two BSSIDs that differ in any
// byte still never meet. Waypoints that carry the same BSSID share a group
// and each get its readings.
class BssidGroups {
public:
    explicit BssidGroups(const ConversionData& data) : m_groupOf(1, -1) {
        m_groupOf.reserve(static_cast<size_t>(data.WptCount) + 1);
        for (int32_t w = 1; w <= data.WptCount; ++w) {
            const std::string_view bssid = data.WptBssid[static_cast<size_t>(w)];
            const auto next = static_cast<int32_t>(m_count);
            const auto address = canonicalAddress(bssid);
            const int32_t group = address ? m_byAddress.try_emplace(*address, next).first->second
                                          : m_byText.try_emplace(bssid, next).first->second;
            m_count += group == next;
            m_groupOf.push_back(group);
        }
    }

    size_t count() const { return m_count; }
    int32_t ofWaypoint(int32_t w) const { return m_groupOf[static_cast<size_t>(w)]; }
    int32_t ofBssid(std::string_view bssid) const {
        if (const auto address = canonicalAddress(bssid)) {
            const auto it = m_byAddress.find(*address);
            return it == m_byAddress.end() ? -1 : it->second;
        }
        const auto it = m_byText.find(bssid);
        return it == m_byText.end() ? -1 : it->second;
    }

private:
    std::unordered_map<uint64_t, int32_t> m_byAddress;
    std::unordered_map<std::string_view, int32_t> m_byText;
    std::vector<int32_t> m_groupOf;
    size_t m_count = 0;
};

// The positioned readings that match a waypoint, in file order, one column
// per value, and per group how many there are and the WEP digit of the last.
struct Readings {
    explicit Readings(size_t groups) : countOfGroup(groups, 0), lastWepDigitOfGroup(groups, '0') {}

    // Puts `later`'s readings behind these, and empties it.
    void append(Readings& later) {
        for (size_t i = 0; i < later.group.size(); ++i) {
            group.push(later.group[i]);
            lat.push(later.lat[i]);
            lon.push(later.lon[i]);
            time.push(later.time[i]);
            signal.push(later.signal[i]);
        }
        for (size_t g = 0; g < countOfGroup.size(); ++g) {
            if (later.countOfGroup[g] > 0) {
                countOfGroup[g] += later.countOfGroup[g];
                lastWepDigitOfGroup[g] = later.lastWepDigitOfGroup[g];
                later.countOfGroup[g] = 0;
            }
        }
        later.group.reuse();
        later.lat.reuse();
        later.lon.reuse();
        later.time.reuse();
        later.signal.reuse();
    }

    ChunkedColumn<int32_t> group;
    ChunkedColumn<double> lat;
    ChunkedColumn<double> lon;
    ChunkedColumn<int32_t> time;
    ChunkedColumn<float> signal;
    std::vector<int32_t> countOfGroup;
    std::vector<char> lastWepDigitOfGroup;
};

// Reads whole lines; `date` is the date in force, before and after.
void readLines(std::string_view text, const BssidGroups& groups, DateInForce& date,
               Readings& readings) {
    std::string_view line;
    while (TakeLine(text, line)) {
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
        readings.group.push(group);
        readings.lat.push(r->lat);
        readings.lon.push(r->lon);
        readings.time.push(r->time);
        readings.signal.push(r->signal);
        ++readings.countOfGroup[static_cast<size_t>(group)];
        readings.lastWepDigitOfGroup[static_cast<size_t>(group)] = r->wepDigit;
    }
}

// The last date line of whole lines, if any: the tag counts only where a
// line starts.
std::optional<std::string_view> lastDateLine(std::string_view text) {
    std::optional<std::string_view> last;
    for (size_t at = text.find(kDateLineTag); at != std::string_view::npos;
         at = text.find(kDateLineTag, at + 1)) {
        if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') {
            std::string_view rest = text.substr(at);
            std::string_view line;
            TakeLine(rest, line);
            last = line;
        }
    }
    return last;
}

// Reads lines 2 on; line 4's date is in force from line 5 until the next date
// line. Each block of lines of `splitMinimum` bytes or more is read by two
// threads, one per half; the second starts with the date of the first half's
// last date line, found by a quick search, and its readings go behind the
// first's, so the order is the file's.
// Returns the date in force at the end, or nothing on a read failure.
std::optional<std::string> gather(LineStream& lines, const BssidGroups& groups, Readings& readings,
                                  size_t splitMinimum) {
    DateInForce date;
    std::string_view line;
    for (int header = 2; header <= 4 && lines.next(line); ++header) {
        if (header == 4) {
            date = DateInForce(DateText(line));
        }
    }
    Readings secondReadings(groups.count());
    std::string_view block;
    while (lines.nextLines(block)) {
        const size_t lf = block.size() < splitMinimum ? std::string_view::npos
                                                      : block.find('\n', block.size() / 2);
        const size_t middle = lf == std::string_view::npos ? block.size() : lf + 1;
        const std::string_view first = block.substr(0, middle);
        const std::string_view second = block.substr(middle);
        DateInForce secondDate = date;
        if (const auto dateLine = lastDateLine(first)) {
            secondDate = DateInForce(DateText(*dateLine));
        }
        std::exception_ptr failure;
        const auto readSecond = [&] {
            try {
                readLines(second, groups, secondDate, secondReadings);
            } catch (...) {
                failure = std::current_exception();
            }
        };
        {
            std::jthread helper;
            if (!second.empty()) {
                try {
                    helper = std::jthread(readSecond);
                } catch (const std::system_error&) {
                    readSecond(); // no thread to spare: this one reads both halves
                }
            }
            readLines(first, groups, date, readings);
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
        if (!second.empty()) {
            date = secondDate;
            readings.append(secondReadings);
        }
    }
    if (lines.error() != 0) {
        return std::nullopt;
    }
    return std::string(date.text());
}

template <typename T> void recreate(std::vector<T>& list, int32_t count) {
    list.assign(static_cast<size_t>(count) + 1, T{});
}

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
    recreate(list, points);
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

TextExportResult ReadTextExport(LineStream& lines, const TrackOptions& options,
                                TrackColorGenerator& colors, ConversionData& data,
                                TrackProgress& progress, size_t splitMinimum) {
    const BssidGroups groups(data);
    Readings readings(groups.count());
    std::optional<std::string> lastDate = gather(lines, groups, readings, splitMinimum);
    if (!lastDate) {
        return TextExportResult::ReadFailed;
    }
    data.LogDate = std::move(*lastDate);
    data.TrkCount = 0;
    data.TrkPointCount = 0;
    progress.readingPassDone();

    // Waypoints that share a BSSID each get every reading of it, so the sum
    // can pass any 32-bit counter: it is checked as it grows.
    TrackPlan plan;
    plan.tracksOfGroup.resize(groups.count());
    plan.firstPointOf.assign(static_cast<size_t>(data.WptCount) + 1, 0);
    int32_t trackCount = 0;
    size_t pointCount = 0;
    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto group = static_cast<size_t>(groups.ofWaypoint(w));
        const auto matches = static_cast<size_t>(readings.countOfGroup[group]);
        if (matches >= 2) {
            ++trackCount;
            plan.firstPointOf[static_cast<size_t>(w)] = pointCount + 1;
            plan.tracksOfGroup[group].push_back(w);
            pointCount += matches;
            if (pointCount > static_cast<size_t>(kMaxTrackPoints)) {
                return TextExportResult::TooManyPoints;
            }
        }
    }
    const auto points = static_cast<int32_t>(pointCount);
    recreate(data.TrkName, trackCount);
    recreate(data.TrkLineStyle, trackCount);
    recreate(data.TrkScale, trackCount);
    recreate(data.TrkColor, trackCount);
    fill(data.TptLat, points, readings.lat, readings.group, plan);
    fill(data.TptLon, points, readings.lon, readings.group, plan);
    fill(data.TptTime, points, readings.time, readings.group, plan);
    fill(data.TptAltitude, points, readings.signal, readings.group, plan);
    readings.group.clear();
    recreate(data.TptTrack, points);

    for (int32_t w = 1; w <= data.WptCount; ++w) {
        const auto group = static_cast<size_t>(groups.ofWaypoint(w));
        const int32_t matches = readings.countOfGroup[group];
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
        const bool withoutWep = readings.lastWepDigitOfGroup[group] == '0';
        data.TrkName[t] = data.WptComment[static_cast<size_t>(w)];
        data.TrkColor[t] = options.TChangeColors ? colors.next()
                           : withoutWep          ? options.TColorNoWep
                                                 : options.TColorWep;
        data.TrkLineStyle[t] = withoutWep ? options.TLineNoWep : options.TLineWep;
        data.TrkScale[t] = 0.0f;
        progress.trackCountChanged(data.TrkCount);
    }
    return TextExportResult::Read;
}

} // namespace wavemark
