#include "cardboxes.h"

#include "databox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>

CardBoxes::CardBoxes(QWidget* client) : QObject(client) {
    card_ = new QWidget(client);
    card_->setObjectName(QStringLiteral("Card"));
    for (int k = 0; k < VornLimits::MaxBoxes; ++k) {
        auto* b = new DataBox(card_);
        b->setObjectName(QStringLiteral("Box(%1)").arg(k));
        b->hide();
        boxes_[std::size_t(k)] = b;
        connect(b, &DataBox::Change, this, [this, k] {
            if (!quiet_)
                Q_EMIT changed(k);
        });
        connect(b, &DataBox::KeyDown, this, [this, k](int key, int) { Q_EMIT keyDown(k, key); });
        connect(b, &DataBox::GotFocus, this, [this, k] { Q_EMIT gotFocus(k); });
        connect(b, &DataBox::MouseDown, this, [this, k](int button, int, double x, double y) {
            Q_EMIT mouseDown(k, button, x, y);
        });
        connect(b, &DataBox::MouseMove, this, [this, k](int button, int, double x, double y) {
            Q_EMIT mouseMove(k, button, x, y);
        });
        connect(b, &DataBox::MouseUp, this,
                [this, k](int button, int, double, double) { Q_EMIT mouseUp(k, button); });
        connect(b, &DataBox::DblClick, this, [this, k] { Q_EMIT dblClick(k); });
        for (QLineEdit* editor : b->findChildren<QLineEdit*>())
            editor->installEventFilter(this);
        for (QPlainTextEdit* editor : b->findChildren<QPlainTextEdit*>()) {
            editor->setUndoRedoEnabled(false);
            editor->installEventFilter(this);
        }
    }
}

bool CardBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool undoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                         key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y);
    // Left unaccepted, the override lets the window's shortcut have the key; a key press
    // that still arrives (the history has nothing to undo) does nothing in the editor.
    return undoKey;
}

DataBox* CardBoxes::box(int k) const {
    return VornLimits::inRange(k, 0, VornLimits::MaxBoxes - 1) ? boxes_[std::size_t(k)] : nullptr;
}

int CardBoxes::indexOf(const DataBox* box) const {
    const auto it = std::find(boxes_.begin(), boxes_.end(), box);
    return it == boxes_.end() ? -1 : int(it - boxes_.begin());
}

void CardBoxes::render(const Vorn& vorn, int j) {
    DataBox* b = box(j - 1);
    if (!b)
        return;
    const Quiet quiet(*this);
    const BoxDescriptor& d = vorn.descriptor(j);
    dress(b, d, j == vorn.TitleBox);
    place(j - 1, d.Left, d.Top);
    b->setTabStop(BoxKind::hasTabStop(d.Type));
    b->show();
}

void CardBoxes::dress(DataBox* box, const BoxDescriptor& d, bool title) {
    box->setHeaderBold(title);
    // A number box is a phrase box of its own length on screen.
    if (d.Type == BoxKind::Number)
        box->ChangeAll(BoxKind::Phrase, d.Header, d.DefaultValue, d.HeadPose,
                       BoxKind::NumberLength);
    else
        box->ChangeAll(d.Type, d.Header, d.DefaultValue, d.HeadPose);
}

QSize CardBoxes::measure(const BoxDescriptor& d) {
    if (!spare_) {
        // A child of the card like the others, so that it takes their font and style.
        spare_ = new DataBox(card_);
        spare_->setObjectName(QStringLiteral("SpareBox"));
        spare_->hide();
    }
    QSize size;
    for (const bool title : {false, true}) {
        dress(spare_, d, title);
        size = size.expandedTo({spare_->widthTwips(), spare_->heightTwips()});
    }
    return size;
}

void CardBoxes::renderAll(const Vorn& vorn) {
    const Quiet quiet(*this);
    for (DataBox* b : boxes_) {
        b->hide();
        b->setHeaderBold(false); // a slot reused later must not come back bold
    }
    for (int j = 1; j <= vorn.usedBoxes(); ++j)
        render(vorn, j);
}

void CardBoxes::showValues(const Vorn& vorn, int p) {
    for (int j = 1; j <= vorn.usedBoxes(); ++j)
        boxes_[std::size_t(j - 1)]->setData(p <= 0 ? vorn.descriptor(j).DefaultValue
                                                   : vorn.value(p, j));
}

void CardBoxes::place(int k, int left, int top) {
    if (DataBox* b = box(k))
        b->moveTwips(left, top);
}

QPoint CardBoxes::position(int k) const {
    const DataBox* b = box(k);
    return b ? QPoint(b->leftTwips(), b->topTwips()) : QPoint();
}

void CardBoxes::setLocked(int count, bool locked) {
    for (int k = 0; k < std::min<int>(count, VornLimits::MaxBoxes); ++k)
        boxes_[std::size_t(k)]->setLocked(locked);
}

void CardBoxes::chainTabOrder(const Vorn& vorn, QWidget* first) {
    QWidget* previous = first;
    for (int j : vorn.outputSequence()) {
        const DataBox* b = box(j - 1);
        if (!b || !b->tabStop())
            continue;
        if (QWidget* w = b->focusWidgetForTab()) {
            QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }
}
