#pragma once

#include "ui/ControlBuilder.h"

#include <QWidget>

namespace wavemark {

class Shell;

// The About window: the two logos, what the program does, thanks, the
// authors and three links. It opens beside its owner, does not block it,
// stays in front of it, and closes at a click on almost anything or at any
// typed character; the links open without closing it, the rights notice
// ignores clicks.
class AboutForm : public QWidget {
    Q_OBJECT

public:
    AboutForm(QWidget* owner, Shell& shell);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeBeside(const QWidget& owner);

    Controls m_controls;
    Shell& m_shell;
};

} // namespace wavemark
