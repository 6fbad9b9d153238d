#pragma once

#include "survey/AccessPoint.h"
#include "survey/BssidGroups.h"
#include "survey/Readings.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {

// Rows or records read but left out, by reason, in the order the reasons
// were first met.
using LeftOutCounts = std::vector<std::pair<std::string, int64_t>>;

// Adds `count` to `reason`'s; a count of 0 names no reason, so readers
// hand over every count they keep.
void AddLeftOut(LeftOutCounts& counts, std::string reason, int64_t count);

// Where a survey reader puts what it reads, as it reads it. Every reader
// hands on the same things: access points in the survey's order, readings
// grouped by BSSID, the log date and what it left out. How much of it is
// kept is the sink's business, so that a summary export of millions of
// access points never has to become a list.
class SurveySink {
public:
    virtual ~SurveySink() = default;

    // An access point, in the survey's order; its texts are UTF-8.
    virtual void accessPoint(const AccessPointView& ap) = 0;

    // The group of the readings of `bssid` (the text its access points
    // carry), made at its first reading.
    virtual int32_t groupOf(const std::string& bssid) = 0;

    // A file that holds readings alone, read after the file of their access
    // points, keeps only the readings of these groups.
    virtual const BssidGroups& wantedGroups() = 0;

    // The readings, by the groups above.
    virtual Readings& groupedReadings() = 0;

    // The last date the survey names, "yyyy-mm-dd" as its date lines write
    // it; a later call replaces an earlier one.
    virtual void logDate(std::string date) = 0;

    // `count` rows or records read and left out, for `reason` ("malformed
    // rows"); 0 leaves nothing out.
    virtual void leftOut(std::string reason, int64_t count) = 0;
};

} // namespace wavemark
