#pragma once

#include "survey/SurveySink.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark::ns1 {

// What the head of one record says of its access point.
struct RecordHead {
    std::string_view ssid;
    std::array<uint8_t, 6> bssid{};
    int32_t maxSignal = 0; // dBm
    uint32_t flags = 0;
    std::optional<uint64_t> firstSeen{}; // a FILETIME; version 1 has none
    double bestLat = 0.0;
    double bestLong = 0.0;
};

// Makes the survey model from the records of a log, as converting the
// log's summary and text exports would: an access point per record and a
// reading per sample with a GPS position, the readings of each BSSID in the
// order of their times as the text export lists them (in whole seconds;
// readings of one second keep the order of the file).
class SurveyBuilder {
public:
    // `sink` holds no readings yet: they are put in time order there.
    explicit SurveyBuilder(SurveySink& sink) : m_sink(sink), m_readings(sink.groupedReadings()) {}

    // Starts a record: its access point joins the survey, and the samples
    // that follow are its own.
    void accessPoint(const RecordHead& head);

    // A sample without GPS data.
    void sample(uint64_t ticks) {
        m_anySample = true;
        m_latestSample = std::max(m_latestSample, ticks);
    }
    // A sample with GPS data: a reading when it is a position.
    void sample(uint64_t ticks, int32_t signal, double lat, double lon);

    // Puts the readings of each BSSID in time order, dates the log, and notes
    // `trailingBytes` found after the last record.
    void finish(uint64_t trailingBytes);

private:
    void putInTimeOrder();

    SurveySink& m_sink;
    Readings& m_readings;
    // The current record.
    std::string m_bssid;
    Protection m_protection = Protection::Unknown;
    int32_t m_group = -1; // made at its first reading

    bool m_anyAccessPoint = false;
    std::optional<uint64_t> m_firstSeenOfFirst;
    uint64_t m_latestSample = 0;
    bool m_anySample = false;

    // Per group the latest time and the protection of the last reading
    // that carries it: a BSSID whose records overlap in time gets its
    // readings sorted, and nothing is kept per reading for that.
    std::vector<PackedTime> m_latestOfGroup;
    std::vector<Protection> m_protectionAtLatest;
    bool m_outOfOrder = false;
};

// The protection and ad-hoc mode of a capability field, read from the
// digits the exports' flag column shows of it (see CapabilityFlags.h).
Protection ProtectionOfFlags(uint32_t flags);
bool IsAdHocByFlags(uint32_t flags);

} // namespace wavemark::ns1
