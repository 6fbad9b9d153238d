#pragma once

#include "Survey.h"

#include <cstddef>
#include <cstdint>

namespace wavemark {

// How a simulated access point is heard: log-distance path loss with
// log-normal shadowing, drawn anew for every reading, heard while the
// received power reaches the scanner's sensitivity; each GPS fix is off by a
// normal error north and east. Powers in dBm, losses in dB, distances in
// metres.
struct RadioModel {
    double pathLossExponent = 3.3;
    double shadowingSigma = 6.0;
    double lossAtOneMetre = 40.0; // free space at 2.4 GHz
    double lowestPower = 14.0;    // transmit power (EIRP), uniform between these
    double highestPower = 23.0;
    double sensitivity = -95.0;
    double gpsSigma = 5.0;       // each fix's error north and east
    double lowestHeight = 2.0;   // above the car's antenna, uniform between these:
    double highestHeight = 20.0; // from the ground floor to the sixth
    // An access point stands this far from the road or farther, in a house
    double nearest = 5.0;
    double farthest = 40.0; // and this far at most, well inside the block
};

// A survey of `aps` access points at known places (trueLat, trueLon) beside
// a drive through a street grid, one GPS fix a second at city speed, each
// reading's level drawn from `model`. The summary places each access point
// at its strongest reading with a fix, as a scanner does. The same seed
// gives the same survey.
Survey buildSimulatedSurvey(size_t aps, uint64_t seed, const RadioModel& model);

} // namespace wavemark
