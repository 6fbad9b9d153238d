#include "ui/AboutForm.h"

#include "ui/AboutFormLayout.h"
#include "ui/ClickLabel.h"
#include "ui/Links.h"
#include "ui/Shell.h"
#include "ui/WindowFonts.h"

#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <string>

namespace wavemark {
namespace {

constexpr int kRowGap = 8; // pixels between the texts of the author row

} // namespace

AboutForm::AboutForm(QWidget* owner, Shell& shell) : QWidget(owner, Qt::Dialog), m_shell(shell) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The window has no title text; an empty title would show the
    // application's name instead.
    setWindowTitle(QStringLiteral(" "));
    setFocusPolicy(Qt::StrongFocus);
    setFont(WindowFont());
    setFixedSize(ToPixels(kAboutFormWidth), ToPixels(kAboutFormHeight));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    const auto controls = AboutFormControls();
    m_controls.build(controls.first(1), this);
    m_controls.build(controls.subspan(1), m_controls.get<QWidget>("Frame1"));
    const auto label = [this](const char* name) { return m_controls.get<ClickLabel>(name); };
    label("Label4")->setText(kSourceHomePageText);
    label("Label6")->setText(kTargetHomePageText);
    label("Label9")->setText(kContactMail);
    label("Label8")->setText(QStringLiteral("© 2026 Wavemark"));
    // The author, the mail address and the rights notice share one row and
    // are as wide as their texts: where one would run into the next, the
    // next moves right.
    int rowEnd = 0;
    for (const char* name : {"Label7", "Label9", "Label8"}) {
        ClickLabel* cell = label(name);
        cell->adjustSize();
        cell->move(std::max(cell->x(), rowEnd + kRowGap), cell->y());
        rowEnd = cell->geometry().right();
    }

    for (const char* name :
         {"Frame1", "Image1", "Image2", "Label1", "Label2", "Label3", "Label5", "Label7"}) {
        connect(label(name), &ClickLabel::clicked, this, &QWidget::close);
    }
    const std::pair<const char*, std::string> links[] = {
        {"Label4", kSourceHomePage},
        {"Label6", kTargetHomePage},
        {"Label9", std::string("mailto:") + kContactMail},
    };
    for (const auto& [name, address] : links) {
        connect(label(name), &ClickLabel::clicked, this,
                [this, target = address] { m_shell.openAddress(target); });
    }
    placeBeside(*owner);
}

// Where no window manager places it, the window would open over its owner:
// it goes to the owner's right where the owner's screen has room for it, with
// a frame like the owner's, else over the owner's middle.
void AboutForm::placeBeside(const QWidget& owner) {
    const QRect ownerFrame = owner.frameGeometry();
    QRect frame(QPoint(ownerFrame.right() + 1, ownerFrame.top()),
                size() + ownerFrame.size() - owner.size());
    if (!owner.screen()->availableGeometry().contains(frame)) {
        frame.moveCenter(ownerFrame.center());
    }
    move(frame.topLeft());
}

// Any key that types a character closes the window, Enter and Escape
// included; arrow and function keys do not.
void AboutForm::keyPressEvent(QKeyEvent* event) {
    if (event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    close();
}

} // namespace wavemark
