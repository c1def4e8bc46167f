// How a field box turns the user's actions on its parts into its own events.
#include "boxkinds.h"
#include "databox.h"
#include "databox_p.h"
#include "listvalue.h"
#include "twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

namespace {

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

bool isMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonDblClick;
}

} // namespace

void DataBox::Private::installFilters() {
    for (QWidget* w :
         {static_cast<QWidget*>(q), static_cast<QWidget*>(hed), static_cast<QWidget*>(border),
          static_cast<QWidget*>(pic), static_cast<QWidget*>(fras)})
        watch(w);
}

void DataBox::Private::watch(QWidget* part) {
    part->installEventFilter(this);
    part->setMouseTracking(true); // moves without a button held are reported too
}

bool DataBox::Private::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (isMouseEvent(type))
        return mouseEvent(watched, static_cast<QMouseEvent*>(event));

    if (watched == fras) {
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            Q_EMIT q->KeyDown(key->key(), shiftCode(key->modifiers()));
        } else if (type == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                keyReleased(key);
        }
    }
    if (type == QEvent::FocusIn && (watched == fras || watched == tex || watched == lis))
        Q_EMIT q->GotFocus();
    return false;
}

void DataBox::Private::raiseMouse(QEvent::Type type, const QMouseEvent* event, QPointF inBox) {
    const int shift = shiftCode(event->modifiers());
    const double x = Twips::fromPixels(inBox.x());
    const double y = Twips::fromPixels(inBox.y());
    switch (type) {
    case QEvent::MouseButtonPress:
        Q_EMIT q->MouseDown(buttonCode(event->button()), shift, x, y);
        break;
    case QEvent::MouseButtonRelease:
        Q_EMIT q->MouseUp(buttonCode(event->button()), shift, x, y);
        break;
    case QEvent::MouseMove:
        Q_EMIT q->MouseMove(buttonCode(event->buttons()), shift, x, y);
        break;
    default:
        break;
    }
}

bool DataBox::Private::mouseEvent(QObject* watched, QMouseEvent* event) {
    if (watched == q)
        return boxMouseEvent(event);
    if (watched == tex || watched == lis)
        return false; // their scroll bars and frames: not part of the value's area

    auto* part = static_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick) {
        doubleClicked = true;
        Q_EMIT q->DblClick();
    } else {
        const QPointF inBox = part->mapTo(q, event->position());
        if (type == QEvent::MouseButtonPress) {
            pressTarget = part;
            doubleClicked = false;
        }
        raiseMouse(type, event, inBox);
        // Only the header's click is the box's Click; the editors' clicks are their own.
        if (type == QEvent::MouseButtonRelease && part == hed && pressTarget == hed &&
            !doubleClicked && event->button() == Qt::LeftButton &&
            hed->rect().contains(event->position().toPoint()))
            Q_EMIT q->Click();
        if (type == QEvent::MouseButtonRelease && event->buttons() == Qt::NoButton)
            pressTarget = nullptr;
    }
    // The header and the picture have no use for the mouse; keeping their events from
    // reaching the box's surface keeps each action reported once.
    return part == hed || part == border || part == pic;
}

bool DataBox::Private::boxMouseEvent(QMouseEvent* event) {
    // Events that a part passed on to the box were reported by the part already; the
    // surface reports its own, and everything of a press that began on it.
    const QPoint at = event->position().toPoint();
    const bool onSurface = pressTarget == q || q->childAt(at) == nullptr;
    if (!onSurface)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick) {
        doubleClicked = true;
        Q_EMIT q->DblClick();
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        pressTarget = q;
        doubleClicked = false;
    }
    raiseMouse(type, event, event->position());
    if (type == QEvent::MouseButtonRelease) {
        if (pressTarget == q && !doubleClicked && event->button() == Qt::LeftButton &&
            q->rect().contains(at))
            Q_EMIT q->Click();
        if (event->buttons() == Qt::NoButton)
            pressTarget = nullptr;
    }
    return true;
}

void DataBox::Private::keyReleased(const QKeyEvent* event) {
    if (boxType == BoxKind::List) {
        // Up and Down in the item editor walk through the list.
        listBox();
        const int row = lis->currentRow();
        if (event->key() == Qt::Key_Up && row > 0) {
            lis->setCurrentRow(row - 1);
            return;
        }
        if (event->key() == Qt::Key_Down && row < lis->count() - 1) {
            lis->setCurrentRow(row + 1);
            return;
        }
    }
    Q_EMIT q->KeyUp(event->key(), shiftCode(event->modifiers()));
}

void DataBox::Private::frasTextChanged(const QString& text) {
    if (boxType == BoxKind::Phrase) {
        data = text;
        Q_EMIT q->Change();
        return;
    }
    if (boxType != BoxKind::List || filling || listEditing)
        return;
    // With no item selected the edit belongs to no item and changes nothing.
    QListWidgetItem* current = listBox()->currentItem();
    if (!current)
        return;
    current->setText(ListValue::sanitisedItem(text));
    data = rebuiltList(itemCount);
    Q_EMIT q->Change();
}

void DataBox::Private::texTextChanged() {
    if (boxType != BoxKind::Text)
        return;
    const QString text = tex->toPlainText();
    if (text == texShown)
        return; // a change of layout or format, not of the text
    texShown = text;
    data = text;
    Q_EMIT q->Change();
}

void DataBox::Private::itemSelected(int row) {
    if (boxType != BoxKind::List || listEditing || row < 0 || row >= lis->count())
        return;
    // The copy is an edit of the item editor: outside a refill it is written back.
    fras->setText(lis->item(row)->text());
    // A refill (showing another entry) must not pull the keyboard focus away from where
    // the user is working, say the entry list; only the user's own choice of item does.
    if (fras->isVisible() && !filling)
        fras->setFocus(Qt::OtherFocusReason);
    fras->selectAll();
}
