#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs action on the modal dialog that the code under test is about to show, once the
// dialog's own event loop is running. The action should only record what it sees and then
// close the dialog: a check that returned early would leave the dialog open and the test hung.
// The dialog is active when action runs; action receives nullptr when no modal dialog
// appeared.
inline void onNextModal(std::function<void(QWidget*)> action, int attemptsLeft = 100) {
    QTimer::singleShot(0, qApp, [action = std::move(action), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || !modal->isActiveWindow()) && attemptsLeft > 0) {
            // Keys and focus go to the active window only; the offscreen platform activates
            // a new window when asked, a turn of the event loop later.
            if (modal)
                modal->activateWindow();
            onNextModal(std::move(action), attemptsLeft - 1);
            return;
        }
        action(modal);
    });
}

// The same for a dialog of a known class; nullptr when the modal widget is of another class.
template <class Dialog> void onNextModal(std::function<void(Dialog*)> action) {
    onNextModal(
        [action = std::move(action)](QWidget* modal) { action(qobject_cast<Dialog*>(modal)); });
}
