#include "ControlTable.h"

#include <algorithm>

namespace wavemark {

QRect ControlRect(const ControlSpec& spec, int lineWidth) {
    if (spec.kind != ControlKind::Line) {
        return {ToPixels(spec.a), ToPixels(spec.b), ToPixels(spec.c), ToPixels(spec.d)};
    }
    const int x1 = ToPixels(std::min(spec.a, spec.c));
    const int x2 = ToPixels(std::max(spec.a, spec.c));
    const int y1 = ToPixels(std::min(spec.b, spec.d));
    const int y2 = ToPixels(std::max(spec.b, spec.d));
    const int half = lineWidth / 2;
    if (y1 == y2) {
        return {x1, y1 - half, x2 - x1, lineWidth};
    }
    return {x1 - half, y1, lineWidth, y2 - y1};
}

} // namespace wavemark
