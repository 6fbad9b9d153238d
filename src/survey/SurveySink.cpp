#include "survey/SurveySink.h"

#include <algorithm>

namespace wavemark {

void AddLeftOut(LeftOutCounts& counts, std::string reason, int64_t count) {
    if (count == 0) {
        return;
    }
    const auto same = std::ranges::find(counts, reason, &LeftOutCounts::value_type::first);
    if (same == counts.end()) {
        counts.emplace_back(std::move(reason), count);
    } else {
        same->second += count;
    }
}

} // namespace wavemark
