#pragma once

#include "convert/WindowInterfaces.h"

class QWidget;

namespace wavemark {

// Message boxes as QMessageBox shows them, modal over the parent window.
class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override;

private:
    QWidget* m_parent;
};

} // namespace wavemark
