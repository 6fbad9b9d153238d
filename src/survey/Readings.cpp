#include "survey/Readings.h"

namespace wavemark {

void Readings::append(Readings& later) {
    for (size_t i = 0; i < later.group.size(); ++i) {
        group.push(later.group[i]);
        lat.push(later.lat[i]);
        lon.push(later.lon[i]);
        time.push(later.time[i]);
        signal.push(later.signal[i]);
    }
    for (size_t g = 0; g < countOfGroup.size(); ++g) {
        if (later.countOfGroup[g] > 0) {
            countOfGroup[g] += later.countOfGroup[g];
            lastProtectionOfGroup[g] = later.lastProtectionOfGroup[g];
            later.countOfGroup[g] = 0;
        }
    }
    later.group.reuse();
    later.lat.reuse();
    later.lon.reuse();
    later.time.reuse();
    later.signal.reuse();
}

} // namespace wavemark
