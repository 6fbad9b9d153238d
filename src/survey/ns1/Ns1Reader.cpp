// NetStumbler's log, record by record (see Ns1Layout.h for the layout): read
// in large blocks with every field taken in place, and every count believed
// only as far as the bytes go, so a broken log stops as soon as it runs out.
#include "survey/ns1/Ns1Reader.h"

#include "survey/ns1/LittleEndian.h"
#include "survey/ns1/Ns1Layout.h"
#include "survey/ns1/Ns1SurveyBuilder.h"
#include "survey/ns1/StreamWindow.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace wavemark {
namespace {

using namespace ns1;

constexpr const char* kTruncated = "Is a truncated NS1 file";

// Version 1 logs hold no samples, so they are small; one this long is not
// one NetStumbler wrote.
constexpr size_t kVersion1Limit = size_t{64} << 20;

SurveyProblem stopped(const StreamWindow& in) {
    return in.error() != 0 ? SurveyProblem{in.error(), ""} : SurveyProblem{0, kTruncated};
}

std::array<uint8_t, 6> bssidAt(const char* at) {
    std::array<uint8_t, 6> bssid;
    std::memcpy(bssid.data(), at, bssid.size());
    return bssid;
}

// One record of version 6 and later, its samples included.
bool readRecord(StreamWindow& in, const RecordLayout& layout, SurveyBuilder& builder) {
    if (!in.need(1)) {
        return false;
    }
    const size_t ssidSize = LoadU8(in.data());
    const size_t headSize = 1 + ssidSize + layout.fixedSize;
    if (!in.need(headSize)) {
        return false;
    }
    const char* const fields = in.data() + 1 + ssidSize;
    builder.accessPoint({.ssid = std::string_view(in.data() + 1, ssidSize),
                         .bssid = bssidAt(fields + kBssidAt),
                         .maxSignal = LoadI32(fields + kMaxSignalAt),
                         .flags = LoadU32(fields + layout.flagsAt),
                         .firstSeen = LoadU64(fields + layout.firstSeenAt),
                         .bestLat = LoadF64(fields + layout.bestLatAt),
                         .bestLong = LoadF64(fields + layout.bestLongAt)});
    // The count is only trusted as far as the bytes go.
    const uint32_t samples = LoadU32(fields + layout.dataCountAt);
    in.take(headSize);
    for (uint32_t k = 0; k < samples; ++k) {
        if (!in.need(kSampleSize)) {
            return false;
        }
        const char* sample = in.data();
        const uint64_t ticks = LoadU64(sample);
        // Sources other than 0 carry GPS data too: readers of real logs met 3.
        if (LoadI32(sample + kSampleSourceAt) == 0) {
            builder.sample(ticks);
            in.take(kSampleSize);
            continue;
        }
        if (!in.need(kSampleWithGpsSize)) {
            return false;
        }
        sample = in.data();
        builder.sample(ticks, LoadI32(sample + kSampleSignalAt),
                       LoadF64(sample + kSampleLatitudeAt), LoadF64(sample + kSampleLongitudeAt));
        in.take(kSampleWithGpsSize);
    }
    if (!in.need(1)) {
        return false;
    }
    const size_t endSize = 1 + LoadU8(in.data()) + layout.tailSize;
    if (!in.need(endSize)) {
        return false;
    }
    const uint32_t elements = layout.hasElements ? LoadU32(in.data() + endSize - 4) : 0;
    in.take(endSize);
    return in.skip(elements);
}

// Where `count` records of `fixedSize` bytes after their SSID end in `body`,
// or nothing when they run past it.
std::optional<size_t> recordsEnd(std::string_view body, uint32_t count, size_t fixedSize) {
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (at >= body.size()) {
            return std::nullopt;
        }
        at += 1 + LoadU8(body.data() + at) + fixedSize;
        if (at > body.size()) {
            return std::nullopt;
        }
    }
    return at;
}

// Version 1 records come in two readings that differ by Flags and
// BeaconInterval; the one whose records end where the file ends is taken,
// NetStumbler 0.2's where both or neither do. Without Flags the exports
// would show "0000": open, not ad-hoc.
SurveyProblem readVersion1(StreamWindow& in, uint32_t count, SurveyBuilder& builder) {
    std::string body;
    while (in.need(1)) {
        if (body.size() + in.visible() > kVersion1Limit) {
            return {0, "Is too long for an NS1 file of version 1"};
        }
        body.append(in.data(), in.visible());
        in.take(in.visible());
    }
    if (in.error() != 0) {
        return {in.error(), ""};
    }
    const std::optional<size_t> fullEnd = recordsEnd(body, count, kVersion1Size);
    const std::optional<size_t> shortEnd = recordsEnd(body, count, kVersion1ShortSize);
    const bool hasFlags = fullEnd == body.size() || shortEnd != body.size();
    const std::optional<size_t> end = hasFlags ? fullEnd : shortEnd;
    if (!end) {
        return {0, kTruncated};
    }
    const size_t fixedSize = hasFlags ? kVersion1Size : kVersion1ShortSize;
    for (size_t at = 0; at < *end; at += 1 + LoadU8(body.data() + at) + fixedSize) {
        const size_t ssidSize = LoadU8(body.data() + at);
        const char* const fields = body.data() + at + 1 + ssidSize;
        builder.accessPoint({.ssid = std::string_view(body.data() + at + 1, ssidSize),
                             .bssid = bssidAt(fields + kBssidAt),
                             .maxSignal = LoadI32(fields + kMaxSignalAt),
                             .flags = hasFlags ? LoadU32(fields + kVersion1FlagsAt) : 0});
    }
    builder.finish(body.size() - *end);
    return {};
}

} // namespace

SurveyProblem ReadNs1(ByteStream& stream, SurveySink& sink, size_t blockSize) {
    StreamWindow in(stream, std::max(blockSize, kNs1SmallestBlock));
    if (!in.need(kHeaderSize)) {
        if (in.error() != 0) {
            return {in.error(), ""};
        }
        return {0, in.visible() >= 4 && std::memcmp(in.data(), "NetS", 4) == 0
                       ? kTruncated
                       : "Is not an NS1 file"};
    }
    if (std::memcmp(in.data(), "NetS", 4) != 0) {
        return {0, "Is not an NS1 file"};
    }
    const uint32_t version = LoadU32(in.data() + 4);
    const uint32_t count = LoadU32(in.data() + 8);
    in.take(kHeaderSize);
    SurveyBuilder builder(sink);
    if (version == 1) {
        return readVersion1(in, count, builder);
    }
    const auto layout = std::find_if(kRecordLayouts.begin(), kRecordLayouts.end(),
                                     [&](const RecordLayout& l) { return l.version == version; });
    if (layout == kRecordLayouts.end()) {
        return {0, "Has an unknown NS1 version (" + std::to_string(version) + ")"};
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (!readRecord(in, *layout, builder)) {
            return stopped(in);
        }
    }
    const uint64_t trailing = in.drain();
    if (in.error() != 0) {
        return {in.error(), ""};
    }
    builder.finish(trailing);
    return {};
}

} // namespace wavemark
