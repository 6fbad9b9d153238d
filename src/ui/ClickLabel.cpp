#include "ui/ClickLabel.h"

#include <QMouseEvent>

namespace wavemark {

// A click belongs to the control it lands on: it never reaches the frame
// or window behind, so a control without a handler does nothing.
void ClickLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

} // namespace wavemark
