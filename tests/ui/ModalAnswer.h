#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace wavemark {

// Answers the next modal T once, from inside its exec(), when it is shown and
// active: only then has it the focus a user's typing goes to. The timer only
// looks for that state. After ten seconds every dialog still open is
// rejected, so a dialog that never opens or stays open fails the test
// instead of hanging it.
template <typename T> class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T*)> answer) {
        m_poll.callOnTimeout([this, answer] {
            const QPointer<T> modal = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible() || !modal->isActiveWindow()) {
                return;
            }
            m_poll.stop(); // first: the answer may open a nested modal dialog and wait in it
            m_answered = true;
            answer(modal);
            if (!modal || !modal->isVisible()) {
                m_deadline.stop(); // closed as asked: a later dialog is not to be rejected
            }
        });
        m_deadline.callOnTimeout([] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
                    dialog->reject();
                }
            }
        });
        m_poll.start(20);
        m_deadline.start(10000);
    }

    bool answered() const { return m_answered; }

private:
    QTimer m_poll;
    QTimer m_deadline;
    bool m_answered = false;
};

} // namespace wavemark
