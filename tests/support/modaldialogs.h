#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <deque>
#include <functional>

namespace testing_support {

// Answers the modal dialogs of type D that a screen opens, one scripted action each, in
// order; each action ends by accepting or rejecting its dialog. A dialog opened after the
// script has run out is cancelled and counted in `extra`.
template <class D> class ModalDialogs {
public:
    using Action = std::function<void(D*)>;

    explicit ModalDialogs(std::deque<Action> actions) : m_actions(std::move(actions))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    int answered() const { return m_answered; }
    int extra() const { return m_extra; }
    bool done() const { return m_actions.empty(); }

private:
    void poll()
    {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (m_actions.empty()) {
            ++m_extra;
            dialog->reject();
            return;
        }
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        ++m_answered;
        action(dialog);
    }

    std::deque<Action> m_actions;
    QTimer m_timer;
    int m_answered = 0;
    int m_extra = 0;
};

} // namespace testing_support
