#include "ui/ControlTable.h"

#include <algorithm>

namespace wavemark {

QRect ControlRect(const ControlSpec& row, int lineWidth) {
    if (row.kind != ControlKind::Line) {
        return {ToPixels(row.a), ToPixels(row.b), ToPixels(row.c), ToPixels(row.d)};
    }
    const int x1 = ToPixels(std::min(row.a, row.c));
    const int x2 = ToPixels(std::max(row.a, row.c));
    const int y1 = ToPixels(std::min(row.b, row.d));
    const int y2 = ToPixels(std::max(row.b, row.d));
    const int half = lineWidth / 2;
    if (y1 == y2) {
        return {x1, y1 - half, x2 - x1, lineWidth};
    }
    return {x1 - half, y1, lineWidth, y2 - y1};
}

} // namespace wavemark
