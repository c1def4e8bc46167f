#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// One request of onNextModal. Check it once the code that was to show the dialog has
// returned: QVERIFY(call.done()), as Qt's own tests check their close helper.
class ModalCall {
public:
    struct State {
        bool ran = false;
        bool over = false; // ran, failed or replaced: no longer waiting
        QByteArray madeIn; // the test function and data row that made the request
    };

    explicit ModalCall(std::shared_ptr<State> state) : state_(std::move(state)) {}
    // The action ran on a modal dialog.
    bool done() const { return state_->ran; }

private:
    std::shared_ptr<State> state_;
};

namespace ModalDetail {

inline QByteArray currentTest() {
    const char* function = QTest::currentTestFunction();
    const char* tag = QTest::currentDataTag();
    return QByteArray(function ? function : "") + '(' + (tag ? tag : "") + ')';
}

// The request still waiting for its dialog; a new one replaces it.
inline std::weak_ptr<ModalCall::State> waiting;

inline void fail(ModalCall::State& state, const char* what) {
    state.over = true;
    QTest::qFail(qPrintable(QStringLiteral("onNextModal made in %1: %2")
                                .arg(QString::fromLatin1(state.madeIn), QLatin1String(what))),
                 __FILE__, __LINE__);
}

// action tells whether it took the dialog.
inline void attempt(std::function<bool(QWidget*)> action, std::shared_ptr<ModalCall::State> state,
                    int attemptsLeft) {
    QTimer::singleShot(0, qApp, [action = std::move(action), state, attemptsLeft]() mutable {
        if (state->over)
            return;
        if (currentTest() != state->madeIn) {
            fail(*state, "no modal dialog came before its test function ended");
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || !modal->isActiveWindow()) && attemptsLeft > 0) {
            // Keys and focus go to the active window only; the offscreen platform activates
            // a new window when asked, a turn of the event loop later.
            if (modal)
                modal->activateWindow();
            attempt(std::move(action), std::move(state), attemptsLeft - 1);
            return;
        }
        if (!modal) {
            fail(*state, "no modal dialog came");
            return;
        }
        state->over = true;
        state->ran = action(modal);
    });
}

inline ModalCall request(std::function<bool(QWidget*)> action, int attemptsLeft) {
    auto state = std::make_shared<ModalCall::State>();
    state->madeIn = currentTest();
    if (const auto earlier = waiting.lock(); earlier && !earlier->over)
        fail(*earlier, "its dialog never came before a new request was made");
    waiting = state;
    attempt(std::move(action), state, attemptsLeft);
    return ModalCall(state);
}

} // namespace ModalDetail

// Runs action on the modal dialog that the code under test is about to show, once the
// dialog's own event loop is running; the dialog is active then. The action should only
// record what it sees and then close the dialog: a check that returned early would leave the
// dialog open and the test hung. The test fails when no modal dialog comes, and when a new
// request is made while this one still waits.
inline ModalCall onNextModal(std::function<void(QWidget*)> action, int attemptsLeft = 100) {
    return ModalDetail::request(
        [action = std::move(action)](QWidget* modal) {
            action(modal);
            return true;
        },
        attemptsLeft);
}

// The same for a dialog of a known class. A modal dialog of another class fails the test
// and is closed, so that the test goes on; the action does not run then.
template <class Dialog> ModalCall onNextModal(std::function<void(Dialog*)> action) {
    return ModalDetail::request(
        [action = std::move(action)](QWidget* modal) {
            if (auto* dialog = qobject_cast<Dialog*>(modal)) {
                action(dialog);
                return true;
            }
            QTest::qFail(qPrintable(QStringLiteral("the modal dialog is a %1, not a %2")
                                        .arg(QLatin1String(modal->metaObject()->className()),
                                             QLatin1String(Dialog::staticMetaObject.className()))),
                         __FILE__, __LINE__);
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            else
                modal->close();
            return false;
        },
        100);
}
