#include "rowdelegate.h"

namespace {

// Only text: any role that would add an icon, a check box, a font, colours or an alignment of
// its own leaves the row to the style.
bool plainText(const QModelIndex& index) {
    for (const int role : {Qt::DecorationRole, Qt::CheckStateRole, Qt::FontRole, Qt::ForegroundRole,
                           Qt::BackgroundRole, Qt::TextAlignmentRole})
        if (index.data(role).isValid())
            return false;
    return true;
}

} // namespace

RowDelegate::RowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    const QStyle::State own =
        QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Editing;
    if ((option.state & own) || option.direction != Qt::LeftToRight || !plainText(index))
        QStyledItemDelegate::paint(painter, option, index);
    else
        plain_.paint(painter, option, index);
}
