#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavemark::test {

// Builds NS1 logs for tests, field by field as NetStumbler lays them out
// (see src/survey/ns1/Ns1Layout.h), so that a test writes only the values it
// is about.

struct Ns1Sample {
    uint64_t time = 0; // FILETIME
    int32_t signal = -70;
    int32_t source = 1; // 0: no GPS data
    double lat = 0.0;
    double lon = 0.0;
};

struct Ns1Record {
    std::string ssid = "linksys";
    std::array<uint8_t, 6> bssid{0x00, 0x0b, 0x86, 0xc2, 0xe1, 0x40};
    int32_t maxSignal = -60;
    uint32_t flags = 0x0001;
    uint64_t firstSeen = 127'270'656'000'000'000; // 2004-04-22 00:00:00
    double bestLat = 0.0;
    double bestLong = 0.0;
    std::vector<Ns1Sample> samples{};
    std::string name{};
    std::string elements{}; // v12 information elements
};

class Ns1Bytes {
public:
    // `version`'s header for `count` records (their number when not given).
    explicit Ns1Bytes(uint32_t version) : m_version(version) {}

    Ns1Bytes& add(const Ns1Record& record) {
        m_records.push_back(record);
        return *this;
    }
    // Version 1 without Flags and BeaconInterval.
    Ns1Bytes& withoutFlags() {
        m_flags = false;
        return *this;
    }

    std::string bytes(std::optional<uint32_t> count = std::nullopt) const {
        std::string out = "NetS";
        u32(out, m_version);
        u32(out, count.value_or(static_cast<uint32_t>(m_records.size())));
        for (const Ns1Record& r : m_records) {
            record(out, r);
        }
        return out;
    }

private:
    static void u32(std::string& out, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out += static_cast<char>(value >> (8 * i) & 0xFF);
        }
    }
    static void u64(std::string& out, uint64_t value) {
        u32(out, static_cast<uint32_t>(value));
        u32(out, static_cast<uint32_t>(value >> 32));
    }
    static void f64(std::string& out, double value) { u64(out, std::bit_cast<uint64_t>(value)); }
    static void text(std::string& out, const std::string& value) {
        out += static_cast<char>(value.size());
        out += value;
    }

    void record(std::string& out, const Ns1Record& r) const {
        text(out, r.ssid);
        out.append(r.bssid.begin(), r.bssid.end());
        u32(out, static_cast<uint32_t>(r.maxSignal));
        u32(out, static_cast<uint32_t>(-95)); // MinNoise
        u32(out, 25);                         // MaxSNR
        if (m_version <= 6) {
            u32(out, 1 << 6); // Channel(s)
        }
        if (m_version == 1) {
            if (m_flags) {
                u32(out, r.flags);
                u32(out, 100); // BeaconInterval
            }
            return;
        }
        u32(out, r.flags);
        u32(out, 100);
        u64(out, r.firstSeen);
        u64(out, r.firstSeen + 600'000'000); // LastSeen
        f64(out, r.bestLat);
        f64(out, r.bestLong);
        u32(out, static_cast<uint32_t>(r.samples.size()));
        for (const Ns1Sample& s : r.samples) {
            u64(out, s.time);
            u32(out, static_cast<uint32_t>(s.signal));
            u32(out, static_cast<uint32_t>(-95));
            u32(out, static_cast<uint32_t>(s.source));
            if (s.source != 0) {
                f64(out, s.lat);
                f64(out, s.lon);
                f64(out, 408.0); // Altitude
                u32(out, 7);     // NumSats
                for (const double v : {42.0, 90.0, 1.5, 1.2}) {
                    f64(out, v); // Speed, Track, MagVariation, Hdop
                }
            }
        }
        text(out, r.name);
        if (m_version >= 8) {
            u64(out, 1 << 6); // Channels
            u32(out, 6);      // LastChannel
            u32(out, 0);      // IPAddress
        }
        if (m_version >= 11) {
            for (const uint32_t v : {uint32_t(-90), uint32_t(-80), 110u, 0u, 0u}) {
                u32(out, v); // MinSignal, MaxNoise, DataRate, IPSubnet, IPMask
            }
        }
        if (m_version >= 12) {
            u32(out, 0); // ApFlags
            u32(out, static_cast<uint32_t>(r.elements.size()));
            out += r.elements;
        }
    }

    uint32_t m_version;
    bool m_flags = true;
    std::vector<Ns1Record> m_records;
};

} // namespace wavemark::test
