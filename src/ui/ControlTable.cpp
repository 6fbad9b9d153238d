#include "ui/ControlTable.h"

namespace wavemark {

QRect ControlRect(const ControlSpec& row, int lineWidth) {
    if (row.kind != ControlKind::Line) {
        return {ToPixels(row.left), ToPixels(row.top), ToPixels(row.width), ToPixels(row.height)};
    }
    // The ends are rounded to pixels each, so that lines meet where their
    // end points meet.
    const int x1 = ToPixels(row.left);
    const int x2 = ToPixels(row.left + row.width);
    const int y1 = ToPixels(row.top);
    const int y2 = ToPixels(row.top + row.height);
    const int half = lineWidth / 2;
    if (y1 == y2) {
        return {x1, y1 - half, x2 - x1, lineWidth};
    }
    return {x1 - half, y1, lineWidth, y2 - y1};
}

} // namespace wavemark
