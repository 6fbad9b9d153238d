#pragma once

#include <QColor>
#include <QWidget>

namespace wavemark {

// A straight horizontal or vertical line along the middle of the widget, in
// a colour and a pen width of its own (the track line previews change both).
class LineWidget : public QWidget {
    Q_OBJECT

public:
    LineWidget(Qt::Orientation orientation, QWidget* parent);

    QColor lineColor() const { return m_color; }
    void setLineColor(const QColor& color);
    int lineWidth() const { return m_width; }
    void setLineWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    QColor m_color = Qt::black;
    int m_width = 2;
};

} // namespace wavemark
