#pragma once

#include <QList>
#include <QWidget>

#include <utility>

namespace FocusChain {

// A widget made later than its neighbours joins its window's focus chain at the end. This
// moves it, and its own children that follow it there, to right after `after`; the chain
// decides where Tab leads and which widget takes the focus when the window is activated.
// Returns the last widget moved.
inline QWidget* moveAfter(QWidget* after, QWidget* moved) {
    // A part that hands its focus to another (a scrolling editor's viewport) never takes the
    // focus itself; it stays where it is.
    QList<QWidget*> block{moved};
    for (QWidget* w = moved->nextInFocusChain(); moved->isAncestorOf(w); w = w->nextInFocusChain())
        if (!w->focusProxy())
            block << w;
    // setTabOrder takes only widgets that can have the focus; the others may for a moment.
    QList<std::pair<QWidget*, Qt::FocusPolicy>> policies;
    for (QWidget* w : QList<QWidget*>{after} + block) {
        policies.append({w, w->focusPolicy()});
        if (w->focusPolicy() == Qt::NoFocus)
            w->setFocusPolicy(Qt::TabFocus);
    }
    for (QWidget* w : block) {
        QWidget::setTabOrder(after, w);
        after = w;
    }
    for (const auto& [w, policy] : policies)
        w->setFocusPolicy(policy);
    return after;
}

} // namespace FocusChain
