#pragma once

#include "platform/ChunkedColumn.h"
#include "survey/AccessPoint.h"
#include "survey/SurveyTime.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavemark {

// The positioned readings of the access points a conversion wants, in the
// survey's order, one column per value. The wanted access points fall into
// groups of one BSSID (see BssidGroups); per group there is the number of
// readings and the protection its last reading saw.
struct Readings {
    explicit Readings(size_t groups)
        : countOfGroup(groups, 0), lastProtectionOfGroup(groups, Protection::Open) {}

    void add(int32_t groupOf, double latitude, double longitude, int64_t seconds, float level,
             Protection protection) {
        group.push(groupOf);
        lat.push(latitude);
        lon.push(longitude);
        time.push(PackTime(seconds));
        signal.push(level);
        ++countOfGroup[static_cast<size_t>(groupOf)];
        lastProtectionOfGroup[static_cast<size_t>(groupOf)] = protection;
    }

    // A new group, for a reader that meets BSSIDs as it goes; returns its
    // number.
    int32_t addGroup() {
        countOfGroup.push_back(0);
        lastProtectionOfGroup.push_back(Protection::Open);
        return static_cast<int32_t>(countOfGroup.size() - 1);
    }

    // Puts `later`'s readings behind these, and empties it.
    void append(Readings& later);

    ChunkedColumn<int32_t> group;
    ChunkedColumn<double> lat;
    ChunkedColumn<double> lon;
    ChunkedColumn<PackedTime> time;
    ChunkedColumn<float> signal;
    std::vector<int32_t> countOfGroup;
    std::vector<Protection> lastProtectionOfGroup;
};

} // namespace wavemark
