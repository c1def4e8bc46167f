#pragma once

#include <QList>
#include <QWidget>

#include <tuple>

namespace FocusChain {

// A widget made later than its neighbours joins its window's focus chain at the end, and
// QWidget::setTabOrder may leave a widget's own parts (a scrolling editor's viewport and scroll
// bars) behind where they were. This moves the widget and every part of it in the chain,
// wherever they are, to right after `after`, in their order; the chain decides where Tab leads
// and which widget takes the focus when the window is activated. Returns the last widget moved.
inline QWidget* moveAfter(QWidget* after, QWidget* moved) {
    QList<QWidget*> block{moved};
    for (QWidget* w = moved->nextInFocusChain(); w != moved; w = w->nextInFocusChain())
        if (moved->isAncestorOf(w))
            block << w;
    // setTabOrder takes only widgets that can have the focus and moves a widget that hands its
    // focus to another with that other; for a moment each is taken as itself.
    QList<std::tuple<QWidget*, Qt::FocusPolicy, QWidget*>> saved;
    for (QWidget* w : QList<QWidget*>{after} + block) {
        saved.append({w, w->focusPolicy(), w == after ? nullptr : w->focusProxy()});
        if (w != after && w->focusProxy())
            w->setFocusProxy(nullptr);
        if (w->focusPolicy() == Qt::NoFocus)
            w->setFocusPolicy(Qt::TabFocus);
    }
    for (QWidget* w : block) {
        QWidget::setTabOrder(after, w);
        after = w;
    }
    for (const auto& [w, policy, proxy] : saved) {
        w->setFocusPolicy(policy);
        if (proxy)
            w->setFocusProxy(proxy);
    }
    return after;
}

} // namespace FocusChain
