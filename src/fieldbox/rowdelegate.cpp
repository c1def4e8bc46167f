#include "rowdelegate.h"

#include "editorstyle.h"

namespace {

// Only one line of text: any role that would add an icon, a check box, a font, colours or an
// alignment of its own, or a text that breaks into lines (which QItemDelegate shows as several
// lines where the style shows one, cut short), leaves the row to the style.
bool plainText(const QModelIndex& index) {
    for (const int role : {Qt::DecorationRole, Qt::CheckStateRole, Qt::FontRole, Qt::ForegroundRole,
                           Qt::BackgroundRole, Qt::TextAlignmentRole})
        if (index.data(role).isValid())
            return false;
    const QString text = index.data(Qt::DisplayRole).toString();
    for (const QChar c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    return true;
}

} // namespace

RowDelegate::RowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    // The two draw a plain row alike in the style EditorStyle stands for; in any other style
    // (and under a style sheet) every row is the style's.
    const QStyle::State own =
        QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Editing;
    if (!EditorStyle::instance() || (option.state & own) || option.direction != Qt::LeftToRight ||
        !plainText(index))
        QStyledItemDelegate::paint(painter, option, index);
    else
        plain_.paint(painter, option, index);
}
