#include "mapview/BulkBox.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace wavemark {
namespace {

constexpr uint64_t kQuartileReach = 3;    // spreads of the middle half
constexpr uint64_t kLeastReach = 1 << 20; // steps, a 4096th of the plane

struct Fence {
    uint32_t low = 0;
    uint32_t high = UINT32_MAX;

    bool holds(uint32_t value) const { return value >= low && value <= high; }
};

// Tukey's fences rather than fixed quantiles: they cut nothing from a
// compact survey of any size, and any number of far strays up to a quarter
// of the markers.
Fence fenceOf(std::vector<uint32_t> values) {
    const size_t quarter = (values.size() - 1) / 4;
    const auto rank = [&values](size_t at) {
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                         values.end());
        return uint64_t{values[at]};
    };
    const uint64_t lower = rank(quarter);
    const uint64_t upper = rank(values.size() - 1 - quarter);
    const uint64_t reach = std::max(kQuartileReach * (upper - lower), kLeastReach);
    return {static_cast<uint32_t>(lower > reach ? lower - reach : 0),
            static_cast<uint32_t>(std::min<uint64_t>(upper + reach, UINT32_MAX))};
}

} // namespace

FixedBox BulkBox(std::span<const FixedPoint> markers, std::span<const FixedPoint> points) {
    const std::span<const FixedPoint> deciding = markers.empty() ? points : markers;
    FixedBox box;
    if (deciding.empty()) {
        return box;
    }
    std::vector<uint32_t> values(deciding.size());
    std::transform(deciding.begin(), deciding.end(), values.begin(),
                   [](FixedPoint point) { return point.x; });
    const Fence across = fenceOf(values);
    std::transform(deciding.begin(), deciding.end(), values.begin(),
                   [](FixedPoint point) { return point.y; });
    const Fence down = fenceOf(std::move(values));
    for (const std::span<const FixedPoint> some : {markers, points}) {
        for (const FixedPoint point : some) {
            if (across.holds(point.x) && down.holds(point.y)) {
                box.add(point);
            }
        }
    }
    return box;
}

} // namespace wavemark
