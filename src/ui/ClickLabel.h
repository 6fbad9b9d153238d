#pragma once

#include <QLabel>

namespace wavemark {

// A label, picture or rectangle that reports clicks and double-clicks with
// the left button, as the windows' passive controls do.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace wavemark
