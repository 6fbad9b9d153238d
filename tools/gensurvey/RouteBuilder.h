#pragma once

#include "Prng.h"
#include "Survey.h"

#include <vector>

namespace wavemark {

extern const City kZurich;
extern const City kSantiago; // south and west: exercises the negative hemispheres

struct DrivePlan {
    const City* city;
    int64_t startTime;
    size_t steps;
};

// Appends the steps of each planned drive to the survey: a car on a street
// grid, one step per second or two, with stops at crossings, a GPS that
// needs a few seconds to get its first fix and loses it in tunnels.
void buildRoute(Survey& survey, const std::vector<DrivePlan>& plans, Prng& rng);

} // namespace wavemark
