// NetStumbler's log, record by record (see Ns1Layout.h for the layout): read
// in large blocks with every field taken in place, and every count believed
// only as far as the bytes go, so a broken log stops as soon as it runs out.
#include "survey/ns1/Ns1Reader.h"

#include "platform/BlockReader.h"
#include "survey/ns1/LittleEndian.h"
#include "survey/ns1/Ns1Layout.h"
#include "survey/ns1/Ns1SurveyBuilder.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace wavemark {
namespace {

using namespace ns1;

constexpr const char* kTruncated = "Is a truncated NS1 file";
constexpr const char* kNotNs1 = "Is not an NS1 file: its header does not start with NetS";

// The most one request asks for: a record's head or end, a text of up to
// 255 bytes with its length and fixed fields. That much room in front of a
// block lets the next block be read ahead while this one is taken.
constexpr size_t kLongestRequest = [] {
    size_t longest = 0;
    for (const RecordLayout& layout : kRecordLayouts) {
        longest = std::max({longest, layout.fixedSize, layout.tailSize});
    }
    return 1 + 255 + longest;
}();

// Version 1 logs hold no samples, so they are small; one this long is not
// one NetStumbler wrote.
constexpr size_t kVersion1Limit = size_t{64} << 20;

// Record `index` (from 0) of `count` as a user counts them.
std::string recordOf(uint32_t index, uint32_t count) {
    return "record " + std::to_string(uint64_t{index} + 1) + " of " + std::to_string(count);
}

SurveyProblem truncated(uint32_t index, uint32_t count, bool started) {
    return {0, std::string(kTruncated) + ": it ends " + (started ? "inside " : "before ") +
                   recordOf(index, count)};
}

std::array<uint8_t, 6> bssidAt(const char* at) {
    std::array<uint8_t, 6> bssid;
    std::memcpy(bssid.data(), at, bssid.size());
    return bssid;
}

// One record of version 6 and later, its samples included.
bool readRecord(BlockReader& in, const RecordLayout& layout, SurveyBuilder& builder) {
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

// How far `count` records of `fixedSize` bytes after their SSID go in
// `body`: how many lie wholly in it, and where the last of those ends.
struct RecordsFit {
    uint32_t whole = 0;
    size_t end = 0;
};
RecordsFit recordsFit(std::string_view body, uint32_t count, size_t fixedSize) {
    RecordsFit fit;
    while (fit.whole < count && fit.end < body.size()) {
        const size_t next = fit.end + 1 + LoadU8(body.data() + fit.end) + fixedSize;
        if (next > body.size()) {
            break;
        }
        fit.end = next;
        ++fit.whole;
    }
    return fit;
}

std::optional<size_t> recordsEnd(const RecordsFit& fit, uint32_t count) {
    return fit.whole == count ? std::optional(fit.end) : std::nullopt;
}

SurveyProblem version1TooLong(std::string_view body, uint32_t count) {
    std::string text = "Is too long for an NS1 file of version 1: ";
    const RecordsFit fit = recordsFit(body, count, kVersion1Size);
    if (fit.whole < count) {
        return {0, text + recordOf(fit.whole, count) + " runs past 64 MiB"};
    }
    const std::string last = count == 0 ? "its header" : recordOf(count - 1, count);
    return {0, text + "the bytes after " + last + " run past 64 MiB"};
}

// Version 1 records come in two readings that differ by Flags and
// BeaconInterval; the one whose records end where the file ends is taken,
// NetStumbler 0.2's where both or neither do. Without Flags the exports
// would show "0000": open, not ad-hoc.
SurveyProblem readVersion1(BlockReader& in, uint32_t count, SurveyBuilder& builder) {
    std::string body;
    while (in.need(1)) {
        // Filled to the limit exactly, so that the record named is the same
        // however the bytes came.
        if (body.size() == kVersion1Limit) {
            return version1TooLong(body, count);
        }
        const size_t step = std::min(in.visible(), kVersion1Limit - body.size());
        body.append(in.data(), step);
        in.take(step);
    }
    if (in.error() != 0) {
        return {in.error(), ""};
    }
    const RecordsFit full = recordsFit(body, count, kVersion1Size);
    const std::optional<size_t> fullEnd = recordsEnd(full, count);
    const std::optional<size_t> shortEnd =
        recordsEnd(recordsFit(body, count, kVersion1ShortSize), count);
    const bool hasFlags = fullEnd == body.size() || shortEnd != body.size();
    const std::optional<size_t> end = hasFlags ? fullEnd : shortEnd;
    if (!end) {
        // Only the reading with Flags can fall short: the other is taken
        // when it ends where the file does.
        return truncated(full.whole, count, full.end < body.size());
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
    BlockReader in(stream, std::max(blockSize, kNs1SmallestBlock), kLongestRequest);
    in.readAhead();
    if (!in.need(kHeaderSize)) {
        if (in.error() != 0) {
            return {in.error(), ""};
        }
        return {0, in.visible() >= 4 && std::memcmp(in.data(), "NetS", 4) == 0
                       ? std::string(kTruncated) + ": it ends inside its header"
                       : kNotNs1};
    }
    if (std::memcmp(in.data(), "NetS", 4) != 0) {
        return {0, kNotNs1};
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
        return {0, "Has an unknown NS1 version (" + std::to_string(version) + ") in its header"};
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t start = in.taken();
        if (!readRecord(in, *layout, builder)) {
            if (in.error() != 0) {
                return {in.error(), ""};
            }
            return truncated(i, count, in.taken() > start || in.visible() > 0);
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
