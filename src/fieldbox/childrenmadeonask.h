#pragma once

#include <QAccessibleWidget>

#include <functional>

// A widget as an accessibility client sees it when some of its children are made only when
// first needed: before anything about its children is answered, they are all made, so that a
// client finds them as if they had been made with the widget.
class ChildrenMadeOnAsk : public QAccessibleWidget {
public:
    ChildrenMadeOnAsk(QWidget* widget, std::function<void()> makeAll)
        : QAccessibleWidget(widget), makeAll_(std::move(makeAll)) {}
    int childCount() const override {
        makeAll_();
        return QAccessibleWidget::childCount();
    }
    QAccessibleInterface* child(int index) const override {
        makeAll_();
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        makeAll_();
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        makeAll_();
        return QAccessibleWidget::childAt(x, y);
    }

private:
    std::function<void()> makeAll_;
};
