#include "survey/ns1/FileTime.h"

#include "survey/SurveyTime.h"

namespace wavemark::ns1 {

std::string DateOfFileTime(uint64_t ticks) {
    constexpr uint64_t kTicksPerDay = kFileTimeTicksPerSecond * 86400;
    return CalendarDate(static_cast<int64_t>(ticks / kTicksPerDay) -
                        static_cast<int64_t>(kGtmEpochFileTime / kTicksPerDay));
}

} // namespace wavemark::ns1
