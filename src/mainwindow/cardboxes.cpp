#include "cardboxes.h"

#include "childrenmadeonask.h"
#include "databox.h"
#include "focuschain.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace {

// The card: a plain widget, which the accessibility factory below knows by its type.
class CardWidget : public QWidget {
public:
    CardWidget(QWidget* parent, CardBoxes* boxes) : QWidget(parent), boxes(boxes) {}
    QPointer<CardBoxes> boxes;
};

QAccessibleInterface* cardAccessible(const QString&, QObject* object) {
    // The card's children are all 50 boxes, made or not.
    auto* card = dynamic_cast<CardWidget*>(object);
    return card ? new ChildrenMadeOnAsk(card,
                                        [card] {
                                            if (card->boxes)
                                                card->boxes->makeAll();
                                        })
                : nullptr;
}

} // namespace

CardBoxes::CardBoxes(QWidget* client) : QObject(client) {
    static const bool factory = [] {
        QAccessible::installFactory(cardAccessible);
        return true;
    }();
    Q_UNUSED(factory);
    card_ = new CardWidget(client, this);
    card_->setObjectName(QStringLiteral("Card"));
    // The boxes not asked for by then are made once the window is on screen.
    card_->installEventFilter(this);
}

CardBoxes::~CardBoxes() = default;

DataBox* CardBoxes::make(int k) {
    auto* b = new DataBox(card_);
    b->setObjectName(QStringLiteral("Box(%1)").arg(k));
    b->hide();
    // Boxes made in index order lie each above the one before; a box made later goes
    // under the next one that is there already.
    for (int above = k + 1; above < VornLimits::MaxBoxes; ++above) {
        if (DataBox* next = boxes_[std::size_t(above)]) {
            b->stackUnder(next);
            break;
        }
    }
    if (!pictureBase_.isEmpty())
        b->setPictureBase(pictureBase_);
    boxes_[std::size_t(k)] = b;
    placeInFocusChain(k);
    connect(b, &DataBox::Change, this, [this, k] {
        if (!quiet_)
            Q_EMIT changed(k);
    });
    connect(b, &DataBox::KeyDown, this, [this, k](int key, int) { Q_EMIT keyDown(k, key); });
    connect(b, &DataBox::GotFocus, this, [this, k] { Q_EMIT gotFocus(k); });
    connect(b, &DataBox::MouseDown, this,
            [this, k](int button, int, double x, double y) { Q_EMIT mouseDown(k, button, x, y); });
    connect(b, &DataBox::MouseMove, this,
            [this, k](int button, int, double x, double y) { Q_EMIT mouseMove(k, button, x, y); });
    connect(b, &DataBox::MouseUp, this,
            [this, k](int button, int, double, double) { Q_EMIT mouseUp(k, button); });
    connect(b, &DataBox::DblClick, this, [this, k] { Q_EMIT dblClick(k); });
    watchEditors(b);
    // A part made later (a text editor, a list) is set up as the box's first parts were.
    connect(b, &DataBox::PartMade, this, [this, k, b] {
        watchEditors(b);
        Q_EMIT made(k, b);
    });
    Q_EMIT made(k, b);
    return b;
}

// The undo keys typed in a box's editor go to the window's history, never to the editor.
void CardBoxes::watchEditors(DataBox* b) {
    for (QLineEdit* editor : b->findChildren<QLineEdit*>())
        editor->installEventFilter(this);
    for (QPlainTextEdit* editor : b->findChildren<QPlainTextEdit*>()) {
        editor->setUndoRedoEnabled(false);
        editor->installEventFilter(this);
    }
}

int CardBoxes::ownerOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->parentWidget() == card_)
            return indexOf(static_cast<const DataBox*>(w));
    return -1;
}

// A new widget joins the window's focus chain at its end. Made with the others, box k would
// have joined it right after the card, behind the boxes with lower indices; and the chain
// decides where the focus goes when the window is activated and where Tab leads. So the new
// box and its parts move to where they would be: after the last part of a lower box that
// is still where it was made, or after the card.
void CardBoxes::placeInFocusChain(int k) {
    QWidget* after = card_;
    for (QWidget* w = card_->nextInFocusChain(); w != card_; w = w->nextInFocusChain()) {
        const int owner = ownerOf(w);
        if (owner < 0 || owner >= k)
            break;
        after = w;
    }
    FocusChain::moveAfter(after, boxes_[std::size_t(k)]);
}

void CardBoxes::makeAll() const {
    for (int k = 0; k < VornLimits::MaxBoxes; ++k)
        box(k);
}

void CardBoxes::setPictureBase(const QString& folder) {
    pictureBase_ = folder;
    for (DataBox* b : boxes_)
        if (b)
            b->setPictureBase(folder);
}

bool CardBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == card_) {
        if (event->type() == QEvent::Paint) {
            card_->removeEventFilter(this);
            QMetaObject::invokeMethod(this, &CardBoxes::makeAll, Qt::QueuedConnection);
        }
        return false;
    }
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
    if (!VornLimits::inRange(k, 0, VornLimits::MaxBoxes - 1))
        return nullptr;
    if (DataBox* b = boxes_[std::size_t(k)])
        return b;
    // Making the box changes nothing that asking for it can see: it is as if it had been there.
    return const_cast<CardBoxes*>(this)->make(k);
}

DataBox* CardBoxes::madeBox(int k) const {
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
        if (!b)
            continue; // not made yet: hidden and not bold
        b->hide();
        b->setHeaderBold(false); // a slot reused later must not come back bold
    }
    for (int j = 1; j <= vorn.usedBoxes(); ++j)
        render(vorn, j);
}

void CardBoxes::showValues(const Vorn& vorn, int p) {
    for (int j = 1; j <= vorn.usedBoxes(); ++j)
        box(j - 1)->setData(p <= 0 ? vorn.descriptor(j).DefaultValue : vorn.value(p, j));
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
    for (int k = 0; k < std::min<int>(count, VornLimits::MaxBoxes); ++k) {
        // A box not made yet is made unlocked.
        if (DataBox* b = locked ? box(k) : madeBox(k))
            b->setLocked(locked);
    }
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
