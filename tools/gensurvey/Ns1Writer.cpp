#include "Ns1Writer.h"

#include "CivilTime.h"
#include "ReadingWalk.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <string>

namespace wavemark {

namespace {

constexpr int kLevelOffset = 149;                     // the exports print dBm + 149
constexpr int64_t kFileTimeOfUnixEpoch = 11644473600; // seconds from 1601 to 1970
constexpr size_t kSampleSize = 20;
constexpr size_t kSampleWithGpsSize = 80;

// Writes packed little-endian fields from `at` on.
class FieldWriter {
public:
    explicit FieldWriter(char* at) : m_at(at) {}

    void u8(uint8_t value) { *m_at++ = static_cast<char>(value); }
    void u32(uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            u8(static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void u64(uint64_t value) {
        u32(static_cast<uint32_t>(value));
        u32(static_cast<uint32_t>(value >> 32));
    }
    void f64(double value) { u64(std::bit_cast<uint64_t>(value)); }
    void bytes(const std::string& text) { m_at = std::copy(text.begin(), text.end(), m_at); }
    void text(const std::string& text) {
        u8(static_cast<uint8_t>(text.size()));
        bytes(text);
    }

private:
    char* m_at;
};

uint64_t fileTime(int64_t unixSeconds) {
    return static_cast<uint64_t>(unixSeconds + kFileTimeOfUnixEpoch) * 10'000'000;
}

// The double the exports' "47.3770150" reads as.
double degrees(int64_t units) {
    return static_cast<double>(units) / 1e7;
}

uint32_t hexValue(const std::string& digits) {
    uint32_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value;
}

std::string bssidBytes(const std::string& text) {
    std::string bytes;
    for (size_t at = 0; at < text.size(); at += 3) {
        bytes += static_cast<char>(hexValue(text.substr(at, 2)));
    }
    return bytes;
}

// SSID, supported rates (1, 2, 5.5, 11 Mbps) and DS parameter set.
std::string informationElements(const AccessPoint& ap, const std::string& ssid) {
    std::string ies{'\0', static_cast<char>(ssid.size())};
    ies += ssid;
    ies += std::string("\x01\x04\x82\x84\x8b\x96\x03\x01", 8);
    ies += static_cast<char>(ap.channel);
    return ies;
}

// The sizes of a record's parts: up to the samples, its samples, after them.
struct RecordSize {
    size_t head = 0;
    size_t samples = 0;
    size_t end = 0;
};

RecordSize recordSize(const Survey& survey, const AccessPoint& ap, const std::string& ssid,
                      int version) {
    RecordSize size;
    if (version == 1) {
        size.head = 1 + ssid.size() + 30;
        return size;
    }
    size.head = 1 + ssid.size() + (version == 6 ? 66 : 62);
    for (size_t t = ap.firstStep; t < ap.firstStep + static_cast<size_t>(ap.readings); ++t) {
        size.samples += survey.steps[t].fix == Fix::OutOfRange ? kSampleSize : kSampleWithGpsSize;
    }
    const size_t tail = version == 6 ? 0 : version == 8 ? 16 : version == 11 ? 36 : 44;
    size.end = 1 + tail + (version == 12 ? informationElements(ap, ssid).size() : 0);
    return size;
}

void writeHead(FieldWriter& out, const Survey& survey, const AccessPoint& ap,
               const ReadingTally& tally, const std::string& ssid, int version) {
    out.text(ssid);
    out.bytes(bssidBytes(ap.bssid));
    out.i32(tally.signal - kLevelOffset); // MaxSignal
    out.i32(tally.noise - kLevelOffset);  // MinNoise
    out.i32(tally.snr);                   // MaxSNR
    if (version <= 6) {
        out.u32(version == 1 ? static_cast<uint32_t>(ap.channel) : 1u << ap.channel);
    }
    out.u32(hexValue(ap.flags));
    out.u32(100); // BeaconInterval
    if (version == 1) {
        return;
    }
    const size_t last = ap.firstStep + static_cast<size_t>(ap.readings) - 1;
    out.u64(fileTime(survey.steps[ap.firstStep].time)); // FirstSeen
    out.u64(fileTime(survey.steps[last].time));         // LastSeen
    switch (ap.summaryFix) {
    case Fix::Position:
        out.f64(degrees(ap.lat));
        out.f64(degrees(ap.lon));
        break;
    case Fix::Zero:
        out.f64(0.0);
        out.f64(0.0);
        break;
    case Fix::OutOfRange:
        out.f64(360.0);
        out.f64(720.0);
        break;
    }
    out.u32(static_cast<uint32_t>(ap.readings)); // DataCount
}

void writeSample(FieldWriter& out, const Step& step, const HeardReading& reading) {
    out.u64(fileTime(step.time));
    out.i32(reading.signal - kLevelOffset);
    out.i32(reading.noise - kLevelOffset);
    out.i32(step.fix == Fix::OutOfRange ? 0 : 1); // LocationSource: GPS
    if (step.fix == Fix::OutOfRange) {
        return;
    }
    const bool fix = step.fix == Fix::Position;
    out.f64(fix ? degrees(step.lat) : 0.0);
    out.f64(fix ? degrees(step.lon) : 0.0);
    out.f64(fix ? 410.0 : 0.0); // Altitude
    out.u32(fix ? 7 : 0);       // NumSats
    out.f64(fix ? 36.0 : 0.0);  // Speed
    out.f64(fix ? 90.0 : 0.0);  // Track
    out.f64(2.0);               // MagVariation
    out.f64(fix ? 1.1 : 99.9);  // Hdop
}

void writeEnd(FieldWriter& out, const AccessPoint& ap, const std::string& ssid, int weakestSignal,
              int version) {
    out.text(""); // Name
    if (version >= 8) {
        out.u64(uint64_t{1} << ap.channel); // Channels
        out.u32(static_cast<uint32_t>(ap.channel));
        out.u32(0); // IPAddress
    }
    if (version >= 11) {
        out.i32(weakestSignal - kLevelOffset); // MinSignal
        out.i32(ap.noise - kLevelOffset);      // MaxNoise
        out.u32(110);                          // DataRate, 100 kbit/s
        out.u32(0);                            // IPSubnet
        out.u32(0);                            // IPMask
    }
    if (version == 12) {
        const std::string elements = informationElements(ap, ssid);
        out.u32(0); // ApFlags
        out.u32(static_cast<uint32_t>(elements.size()));
        out.bytes(elements);
    }
}

} // namespace

bool isNs1Version(uint64_t version) {
    return version == 1 || version == 6 || version == 8 || version == 11 || version == 12;
}

Survey keptByNs1(const Survey& survey, int version) {
    Survey kept = survey;
    if (version == 1) {
        for (Step& step : kept.steps) {
            step.time = secondsFromCivil(1989, 12, 31);
            step.fix = Fix::OutOfRange;
        }
        for (AccessPoint& ap : kept.aps) {
            ap.summaryFix = Fix::Zero;
        }
    }
    return kept;
}

ReadingLines ns1ReadingLines(int version) {
    return version == 1 ? ReadingLines::Omitted : ReadingLines::Listed;
}

void writeNs1(const Survey& survey, const std::vector<ReadingTally>& tallies, int version,
              BufferedFile& out) {
    // Each record's samples are contiguous, but the walk gives the readings
    // of all access points in time order: the records are laid out first and
    // the walk fills in their samples.
    std::vector<std::string> ssids;
    std::vector<RecordSize> sizes;
    size_t total = 12;
    for (const AccessPoint& ap : survey.aps) {
        ssids.push_back(ap.ssid.substr(0, 255));
        sizes.push_back(recordSize(survey, ap, ssids.back(), version));
        total += sizes.back().head + sizes.back().samples + sizes.back().end;
    }
    std::string& buffer = out.buffer();
    const size_t start = buffer.size();
    buffer.resize(start + total);
    FieldWriter header(buffer.data() + start);
    header.bytes("NetS");
    header.u32(static_cast<uint32_t>(version));
    header.u32(static_cast<uint32_t>(survey.aps.size()));

    std::vector<char*> nextSample(survey.aps.size());
    std::vector<int> weakest(survey.aps.size(), 0);
    char* at = buffer.data() + start + 12;
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        FieldWriter head(at);
        writeHead(head, survey, survey.aps[i], tallies[i], ssids[i], version);
        nextSample[i] = at + sizes[i].head;
        at += sizes[i].head + sizes[i].samples + sizes[i].end;
    }
    if (version == 1) {
        return;
    }
    forEachReading(survey, [&](const HeardReading& reading) {
        const Step& step = survey.steps[reading.step];
        FieldWriter sample(nextSample[reading.ap]);
        writeSample(sample, step, reading);
        nextSample[reading.ap] += step.fix == Fix::OutOfRange ? kSampleSize : kSampleWithGpsSize;
        int& low = weakest[reading.ap];
        low = reading.step == survey.aps[reading.ap].firstStep ? reading.signal
                                                               : std::min(low, reading.signal);
    });
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        FieldWriter end(nextSample[i]);
        writeEnd(end, survey.aps[i], ssids[i], weakest[i], version);
    }
}

} // namespace wavemark
