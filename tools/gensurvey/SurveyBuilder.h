#pragma once

#include "Prng.h"
#include "Survey.h"

#include <cstdint>
#include <vector>

namespace wavemark {

// A survey of `aps` access points heard `readings` times in all (readings >= aps),
// on a few drives over several days in two cities.
Survey buildRandomSurvey(size_t aps, int64_t readings, uint64_t seed);

// The small bundled sample: a hand-picked set of access points, one drive
// across midnight.
Survey buildSampleSurvey();

// Shared by both: random access points with their reading counts ...
std::vector<AccessPoint> makeAccessPoints(size_t count, int64_t readings, Prng& rng);
// ... and where they stand along the route and when they are heard. Leaves
// the access points in the order they are first heard.
void placeAccessPoints(Survey& survey, Prng& rng);
// The drive whose route holds `step`.
const Drive& driveOf(const Survey& survey, size_t step);
// The BSSID of the index-th access point: unique per index.
std::string makeBssid(size_t index, const char* oui, uint64_t salt);

} // namespace wavemark
