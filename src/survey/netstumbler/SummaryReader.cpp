#include "survey/netstumbler/SummaryReader.h"

#include "survey/netstumbler/ExportLine.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace wavemark {
namespace {

// The filter's pieces are not trimmed: "MOBILE, public" holds " public",
// which no trimmed network name equals; an empty piece filters empty names.
std::vector<std::string_view> filterNames(std::string_view filter) {
    std::vector<std::string_view> names;
    if (filter.empty()) {
        return names;
    }
    size_t start = 0;
    for (;;) {
        const size_t comma = filter.find(',', start);
        names.push_back(filter.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return names;
        }
        start = comma + 1;
    }
}

struct SummaryLine {
    ExportReading reading;
    bool filtered = false;
};

// Both passes must agree, so the lines are read once and the passes walk
// the readings.
// `date` starts as line 4's date and ends as the last date line's.
std::vector<SummaryLine> readLines(const modLoadFile::LoadedLines& lines,
                                   const std::vector<std::string_view>& filter, DateInForce& date) {
    std::vector<SummaryLine> result;
    result.reserve(static_cast<size_t>(std::max(lines.FileLineCount - 4, 0)));
    for (int32_t i = 5; i <= lines.FileLineCount; ++i) {
        const std::string_view line = lines.FileLines(i);
        if (IsDateLine(line)) {
            date = DateInForce(DateText(line));
            continue;
        }
        if (const auto reading = ReadDataLine(line, date, kAnyColumnCount)) {
            const bool filtered =
                std::find(filter.begin(), filter.end(), reading->networkName) != filter.end();
            result.push_back({*reading, filtered});
        }
    }
    return result;
}

// "( 00:0b:86:c2:e1:40 )" gives "c2e140".
std::string nameSuffix(std::string_view bssid) {
    std::string name;
    name.reserve(6);
    name.append(bssid.substr(11, 2)).append(bssid.substr(14, 2)).append(bssid.substr(17, 2));
    return name;
}

template <typename T> void recreate(std::vector<T>& list, int32_t count) {
    list.assign(static_cast<size_t>(count) + 1, T{});
}

} // namespace

void ReadSummary(const modLoadFile::LoadedLines& lines, const SummaryOptions& options,
                 ConversionData& data, SummaryCountListener& listener) {
    DateInForce date(lines.FileLineCount >= 4 ? DateText(lines.FileLines(4)) : std::string_view{});
    const std::vector<SummaryLine> entries = readLines(lines, filterNames(options.APFilter), date);

    data.CountAdHoc = data.CountWEP = data.CountNoWEP = data.CountFiltered = 0;
    data.CountSelected = 0;
    int32_t kept = 0;
    for (const SummaryLine& entry : entries) {
        const ExportReading& r = entry.reading;
        if (entry.filtered) {
            ++data.CountFiltered;
            continue;
        }
        if (!r.hasPosition()) {
            continue;
        }
        ++data.CountSelected;
        data.CountNoWEP += r.wepDigit == '0';
        data.CountWEP += r.wepDigit == '1';
        data.CountAdHoc += r.isAdHoc();
        kept += !(options.NoWEPCheck && r.wepDigit == '1');
    }
    listener.countersReady(data);

    data.WptCount = kept;
    recreate(data.WptName, kept);
    recreate(data.WptComment, kept);
    recreate(data.WptLat, kept);
    recreate(data.WptLon, kept);
    recreate(data.WptTime, kept);
    recreate(data.WptIcon, kept);
    recreate(data.WptRotation, kept);
    recreate(data.WptDisplay, kept);
    recreate(data.WptAltitude, kept);
    recreate(data.WptBssid, kept);

    size_t w = 0;
    for (const SummaryLine& entry : entries) {
        const ExportReading& r = entry.reading;
        if (entry.filtered || !r.hasPosition() || (options.NoWEPCheck && r.wepDigit == '1')) {
            continue;
        }
        ++w;
        data.WptName[w] = nameSuffix(r.bssid);
        data.WptComment[w] = r.networkName.empty() ? data.WptName[w] : std::string(r.networkName);
        data.WptLat[w] = r.lat;
        data.WptLon[w] = r.lon;
        data.WptTime[w] = r.time;
        const bool withoutWep = r.wepDigit == '0';
        data.WptIcon[w] = withoutWep ? options.IconNoWEP : options.IconWEP;
        data.WptDisplay[w] = withoutWep ? options.StyleNoWEP : options.StyleWEP;
        data.WptAltitude[w] = r.signal;
        data.WptBssid[w] = std::string(r.bssid);
    }
    data.LogDate = std::string(date.text());
}

} // namespace wavemark
