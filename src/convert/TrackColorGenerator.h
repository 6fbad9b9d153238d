#pragma once

#include <cstdint>

namespace wavemark {

// Random track colours. One generator lives for the whole process and is
// never seeded from the clock, so every start gives the same sequence and
// later conversions continue it; the arithmetic is the same on every
// platform: x = (x * 1140671485 + 12820163) mod 2^24 from x = 327680, and a
// colour is floor(x / 2^24 * 255^3).
class TrackColorGenerator {
public:
    int32_t next();

private:
    uint32_t m_state = 327680;
};

} // namespace wavemark
