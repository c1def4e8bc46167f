#pragma once

#include <QItemDelegate>
#include <QStyledItemDelegate>

// The rows of the program's plain text lists (a list box's items, the entry list). In the
// Fusion style a row of one line of plain text that is neither the focused current row nor
// under the mouse looks the same drawn by QItemDelegate as by the style's own drawing, and
// QItemDelegate lays its text out once where the style lays it out three times; every other
// row is the style's. Sizes are the style's throughout.
class RowDelegate : public QStyledItemDelegate {
public:
    explicit RowDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QItemDelegate plain_;
};
