#include "survey/ns1/FileTime.h"

#include "survey/SurveyTime.h"

namespace wavemark::ns1 {

std::string DateOfFileTime(uint64_t ticks) {
    return CalendarDate(DayOf(UtcSecondsOfFileTime(ticks)));
}

} // namespace wavemark::ns1
