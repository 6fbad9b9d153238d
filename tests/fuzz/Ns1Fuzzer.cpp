// The NS1 reader over any bytes (gzip-compressed too), as a memfd file: it never crashes or reads
// past its buffers, makes a consistent survey, and makes the same one in the smallest blocks.
#include "SurveyCheck.h"
#include "survey/Survey.h"
#include "survey/ns1/Ns1Reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace wavemark;

std::optional<SurveyProblem> read(std::string_view bytes, Survey& survey, size_t blockSize) {
    return fuzz::ReadFromMemory(bytes, survey, [&](ByteStream& stream, Survey& into) {
        return ReadNs1(stream, into, blockSize);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Survey whole, small;
    const std::optional<SurveyProblem> problem = read(bytes, whole, kNs1BlockSize);
    if (!problem || !problem->none()) {
        // Memory holds the bytes: no read fails, unless gzip data is broken.
        check(!problem || problem->error == 0 || bytes.starts_with("\x1f\x8b"));
        return 0;
    }
    for (const AccessPoint& ap : whole.accessPoints.accessPoints) {
        check(ap.networkName.find('\0') == std::string::npos);
    }
    const std::optional<SurveyProblem> again = read(bytes, small, kNs1SmallestBlock);
    check(again && again->none());
    check(fuzz::ConsistentSurveyText(whole) == fuzz::ConsistentSurveyText(small));
    return 0;
}
