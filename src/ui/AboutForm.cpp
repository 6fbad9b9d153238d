#include "AboutForm.h"

#include "AboutFormLayout.h"
#include "ClickLabel.h"
#include "Links.h"
#include "Shell.h"
#include "WindowFonts.h"

#include <QKeyEvent>

#include <string>

namespace wavemark {

AboutForm::AboutForm(QWidget* owner, Shell& shell) : QWidget(owner, Qt::Dialog), m_shell(shell) {
    setAttribute(Qt::WA_DeleteOnClose);
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
    label("Label8")->setText(QStringLiteral("© 2026 The Wavemark developers"));
    for (const char* name : {"Label9", "Label8"}) {
        label(name)->adjustSize();
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
                [this, address] { m_shell.openAddress(address); });
    }
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
