#pragma once

#include "ui/ControlTable.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <span>

namespace wavemark {

// The widgets built from control tables, found by control name.
class Controls {
public:
    // Builds one widget per row as a child of `parent`, in table order.
    void build(std::span<const ControlSpec> rows, QWidget* parent);

    // A name the tables do not hold, or a widget of another kind, is a
    // programming error: it stops the program, in release builds too.
    template <typename T> T* get(const QString& name) const {
        T* widget = qobject_cast<T*>(m_widgets.value(name));
        if (!widget) {
            missing(name, T::staticMetaObject.className());
        }
        return widget;
    }

private:
    [[noreturn]] static void missing(const QString& name, const char* kind);

    QHash<QString, QWidget*> m_widgets;
};

// A control name or text of a table as Qt holds it.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A picture from the resources, drawn at `size`.
QPixmap RenderPicture(const QString& resource, QSize size);

} // namespace wavemark
