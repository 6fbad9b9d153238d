#include "ui/ControlBuilder.h"

#include "ui/ClickLabel.h"
#include "ui/LineWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

namespace wavemark {
namespace {

QFont controlFont(ControlFont font, const QFont& windowFont) {
    QFont result = windowFont;
    switch (font) {
    case ControlFont::Window:
        break;
    case ControlFont::Logo:
        result.setPointSizeF(32.25);
        result.setBold(true);
        result.setItalic(true);
        break;
    case ControlFont::Status:
        result.setPointSizeF(13.5);
        break;
    }
    return result;
}

void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& color = {}) {
    widget->setAutoFillBackground(true);
    widget->setBackgroundRole(role);
    if (color.isValid()) {
        QPalette palette = widget->palette();
        palette.setColor(role, color);
        widget->setPalette(palette);
    }
}

QWidget* makeLabel(const ControlSpec& row, QWidget* parent) {
    auto* label = new ClickLabel(FromUtf8(row.text), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setIndent(0);
    if (row.look & Sunken) {
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        // Qt indents top-aligned text from the top edge too, which would push
        // it out of these one-line boxes; centred text is indented at the left only.
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(2);
    }
    if (row.look & SingleBorder) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    if (row.look & Wrapped) {
        label->setWordWrap(true);
    }
    if (row.look & Link) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
        label->setPalette(palette);
        label->setCursor(Qt::UpArrowCursor);
    }
    return label;
}

QWidget* makeWidget(const ControlSpec& row, QWidget* parent) {
    switch (row.kind) {
    case ControlKind::Rectangle: {
        auto* frame = new ClickLabel(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        return frame;
    }
    case ControlKind::Picture: {
        auto* picture = new ClickLabel(parent);
        picture->setPixmap(RenderPicture(FromUtf8(row.text), ControlRect(row).size()));
        return picture;
    }
    case ControlKind::Label:
        return makeLabel(row, parent);
    case ControlKind::Line:
        return new LineWidget(row.height == 0 ? Qt::Horizontal : Qt::Vertical, parent);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(FromUtf8(row.text), parent);
        // As on Windows, the focused button is the default one: Enter presses
        // it, as Space does.
        button->setAutoDefault(true);
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(FromUtf8(row.text), parent);
        // Restoring a greyed box makes it a three-state box. It stays grey
        // until clicked: the first click goes on to ticked, and from then on
        // clicks only tick and clear it, so grey is never the user's choice.
        QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
        return box;
    }
    case ControlKind::TextBox:
        return new QLineEdit(parent);
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    }
    return nullptr;
}

} // namespace

void Controls::build(std::span<const ControlSpec> rows, QWidget* parent) {
    for (const ControlSpec& row : rows) {
        QWidget* widget = makeWidget(row, parent);
        widget->setObjectName(FromUtf8(row.name));
        widget->setGeometry(ControlRect(row));
        if (row.font != ControlFont::Window || (row.look & Underline)) {
            QFont font = controlFont(row.font, parent->font());
            font.setUnderline(font.underline() || (row.look & Underline));
            widget->setFont(font);
        }
        if (row.look & PathBackground) {
            setBackground(widget, QPalette::Base);
        }
        if (row.look & White) {
            setBackground(widget, QPalette::Window, Qt::white);
        }
        if (row.look & SizedToText) {
            widget->adjustSize();
        }
        if (!row.toolTip.empty()) {
            widget->setToolTip(FromUtf8(row.toolTip));
        }
        widget->setVisible(!(row.look & Hidden));
        m_widgets.insert(widget->objectName(), widget);
    }
}

void Controls::missing(const QString& name, const char* kind) {
    qFatal("No control \"%s\" of kind %s", qPrintable(name), kind);
}

QPixmap RenderPicture(const QString& resource, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace wavemark
