#include "convert/TrackColorGenerator.h"

#include <cmath>

namespace wavemark {

int32_t TrackColorGenerator::next() {
    constexpr uint64_t kModulus = 1u << 24;
    m_state = static_cast<uint32_t>((uint64_t{m_state} * 1140671485u + 12820163u) % kModulus);
    const double r = static_cast<double>(m_state) / static_cast<double>(kModulus);
    // 255 cubed, not 2^24: colours stay below 16581375.
    return static_cast<int32_t>(std::floor(r * 16581375.0));
}

} // namespace wavemark
