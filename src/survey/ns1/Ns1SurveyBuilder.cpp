#include "survey/ns1/Ns1SurveyBuilder.h"

#include "platform/Windows1252.h"
#include "survey/BssidText.h"
#include "survey/CapabilityFlags.h"
#include "survey/SurveyTime.h"
#include "survey/ns1/FileTime.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace wavemark::ns1 {
namespace {

// The exports print the capability field in hex, at least four digits
// ("0011", "10011"), and the conversion reads the third and the fourth
// character of that text: the digits of these places in the number.
uint32_t flagDigit(uint32_t flags, int place) {
    int digits = 4;
    while (digits < 8 && (flags >> (4 * digits)) != 0) {
        ++digits;
    }
    return (flags >> (4 * (digits - place))) & 0xF;
}

float exportLevel(int32_t dbm) {
    return static_cast<float>(int64_t{dbm} + kSignalOverDbm);
}

// The SSID is a C string of the log's Windows-1252 bytes, blanks and all.
std::string networkName(std::string_view ssid) {
    return FromWindows1252(ssid.substr(0, ssid.find('\0')));
}

template <typename T> void permute(ChunkedColumn<T>& column, const std::vector<size_t>& order) {
    std::vector<T> values(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        values[i] = column[order[i]];
    }
    column.clear();
    for (const T value : values) {
        column.push(value);
    }
}

} // namespace

Protection ProtectionOfFlags(uint32_t flags) {
    return ProtectionOfFlagDigit(static_cast<int>(flagDigit(flags, 3)));
}

bool IsAdHocByFlags(uint32_t flags) {
    return IsAdHocFlagDigit(static_cast<int>(flagDigit(flags, 4)));
}

void SurveyBuilder::accessPoint(const RecordHead& head) {
    m_bssid = BssidText(head.bssid);
    m_protection = ProtectionOfFlags(head.flags);
    m_group = -1;
    if (!m_anyAccessPoint) {
        m_anyAccessPoint = true;
        m_firstSeenOfFirst = head.firstSeen;
    }
    // Version 1 knows no time.
    const int64_t time = head.firstSeen ? UtcSecondsOfFileTime(*head.firstSeen) : kNoTime;
    const bool positioned = IsPosition(head.bestLat, head.bestLong);
    const std::string name = networkName(head.ssid);
    m_sink.accessPoint({.networkName = name,
                        .bssid = m_bssid,
                        .hasPosition = positioned,
                        .lat = head.bestLat,
                        .lon = head.bestLong,
                        .time = time,
                        .signal = exportLevel(head.maxSignal),
                        .protection = m_protection,
                        .adHoc = IsAdHocByFlags(head.flags)});
}

void SurveyBuilder::sample(uint64_t ticks, int32_t signal, double lat, double lon) {
    sample(ticks);
    if (!IsPosition(lat, lon)) {
        return;
    }
    const int64_t time = UtcSecondsOfFileTime(ticks);
    if (m_group < 0) {
        m_group = m_sink.groupOf(m_bssid);
        const auto groups = static_cast<size_t>(m_group) + 1;
        if (m_latestOfGroup.size() < groups) {
            m_latestOfGroup.resize(groups, std::numeric_limits<PackedTime>::min());
            m_protectionAtLatest.resize(groups, Protection::Open);
        }
    }
    m_readings.add(m_group, lat, lon, time, exportLevel(signal), m_protection);
    // Readings of equal times keep the order of the file: the later one is
    // the last.
    const auto group = static_cast<size_t>(m_group);
    if (const PackedTime packed = PackTime(time); packed >= m_latestOfGroup[group]) {
        m_latestOfGroup[group] = packed;
        m_protectionAtLatest[group] = m_protection;
    } else {
        m_outOfOrder = true;
    }
}

void SurveyBuilder::putInTimeOrder() {
    // A stable sort of all readings by time keeps the order of every BSSID
    // whose readings were in order already, and lists equal times as the
    // file does.
    Readings& readings = m_readings;
    const size_t count = readings.time.size();
    std::vector<PackedTime> times(count);
    for (size_t i = 0; i < count; ++i) {
        times[i] = readings.time[i];
    }
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return times[a] < times[b]; });
    permute(readings.group, order);
    permute(readings.lat, order);
    permute(readings.lon, order);
    permute(readings.time, order);
    permute(readings.signal, order);
    for (size_t g = 0; g < m_protectionAtLatest.size(); ++g) {
        readings.lastProtectionOfGroup[g] = m_protectionAtLatest[g];
    }
}

void SurveyBuilder::finish(uint64_t trailingBytes) {
    if (m_outOfOrder) {
        putInTimeOrder();
    }
    // The date of the text export's last date line: that of the latest
    // sample, or, with no sample, the header's, which dates the first access
    // point.
    if (m_anySample) {
        m_sink.logDate(DateOfFileTime(m_latestSample));
    } else if (m_firstSeenOfFirst) {
        m_sink.logDate(DateOfFileTime(*m_firstSeenOfFirst));
    }
    m_sink.leftOut("bytes after the last access point of an NS1 file",
                   static_cast<int64_t>(trailingBytes));
}

} // namespace wavemark::ns1
