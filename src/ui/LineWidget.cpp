#include "ui/LineWidget.h"

#include <QPainter>

namespace wavemark {

LineWidget::LineWidget(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLineColor(const QColor& color) {
    m_color = color;
    update();
}

void LineWidget::setLineWidth(int pixels) {
    m_width = pixels;
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_orientation == Qt::Horizontal) {
        painter.fillRect(0, (height() - m_width) / 2, width(), m_width, m_color);
    } else {
        painter.fillRect((width() - m_width) / 2, 0, m_width, height(), m_color);
    }
}

} // namespace wavemark
