#include "boxdragger.h"

#include "cardboxes.h"
#include "databox.h"
#include "twips.h"
#include "viewtexts.h"
#include "vorn.h"
#include "vornhistory.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {
// Mouse button codes of the box events.
constexpr int LeftButton = 1;

// The drag's payload names the process, the dragger and the box, so that a drag from
// another window or program is never taken for one of ours.
const QString BoxMimeType = QStringLiteral("application/x-tessavorn-box");

QPoint twipsOf(QPointF pixels) {
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y())};
}
} // namespace

BoxDragger::BoxDragger(Vorn& vorn, CardBoxes& boxes, VornHistory& history)
    : QObject(&boxes), vorn_(vorn), boxes_(boxes), history_(history) {
    setObjectName(QStringLiteral("BoxDragger"));
    boxes_.card()->setAcceptDrops(true);
    boxes_.card()->installEventFilter(this);
    for (int k = 0; k < VornLimits::MaxBoxes; ++k)
        if (DataBox* box = boxes_.madeBox(k))
            watchBox(k, box);
    connect(&boxes_, &CardBoxes::made, this, [this](int k, DataBox* box) { watchBox(k, box); });
    connect(&boxes_, &CardBoxes::mouseDown, this,
            [this](int k, int, double x, double y) { grab(k, x, y); });
    connect(&boxes_, &CardBoxes::mouseMove, this,
            [this](int k, int button, double x, double y) { maybeStartDrag(k, button, x, y); });
}

void BoxDragger::watchBox(int k, DataBox* box) {
    // A drag is started before the part under the mouse sees the move, so that an editor
    // does not begin a text drag of its own when the box's drag has ended.
    watch(box, k);
    for (const char* name : {"Hed", "Border", "Pic", "Fras", "Tex", "Lis"}) {
        auto* part = box->findChild<QWidget*>(QLatin1String(name));
        if (auto* area = qobject_cast<QAbstractScrollArea*>(part))
            part = area->viewport(); // the scrolling editors get the mouse there
        watch(part, k);
    }
}

void BoxDragger::watch(QWidget* widget, int k) {
    if (!widget)
        return;
    owner_.insert(widget, k);
    widget->installEventFilter(this);
}

void BoxDragger::grab(int k, double x, double y) {
    if (boxes_.box(k))
        grab_ = {clampTo16(std::llround(x)), clampTo16(std::llround(y))};
}

bool BoxDragger::maybeStartDrag(int k, int button, double x, double y) {
    if (button != LeftButton || !vorn_.Designing || k < 0 || k >= vorn_.usedBoxes())
        return false;
    // A click with a shaking hand is not a drag.
    const QPointF moved(Twips::toPixels(x) - Twips::toPixels(grab_.x()),
                        Twips::toPixels(y) - Twips::toPixels(grab_.y()));
    if (moved.manhattanLength() < QApplication::startDragDistance())
        return false;
    QDrag* drag = makeBoxDrag(k);
    if (!drag)
        return false;
    Q_EMIT dragStarted(k);
    // The drop, if any, is handled by the card while exec() runs; Qt disposes of the drag.
    drag->exec(Qt::MoveAction);
    return true;
}

QDrag* BoxDragger::makeBoxDrag(int k) {
    DataBox* box = boxes_.box(k);
    if (!box)
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(BoxMimeType, QStringLiteral("%1 %2 %3")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(reinterpret_cast<quintptr>(this))
                                   .arg(k)
                                   .toLatin1());
    auto* drag = new QDrag(box);
    drag->setMimeData(mime);
    // The picture of the box follows the mouse, held where the box was taken.
    drag->setPixmap(box->grab());
    drag->setHotSpot(QPoint(Twips::toPixels(grab_.x()), Twips::toPixels(grab_.y())));
    return drag;
}

std::optional<int> BoxDragger::draggedBox(const QMimeData* mime) const {
    if (!mime || !mime->hasFormat(BoxMimeType))
        return std::nullopt;
    const QStringList parts = QString::fromLatin1(mime->data(BoxMimeType)).split(QLatin1Char(' '));
    if (parts.size() != 3 || parts[0] != QString::number(QCoreApplication::applicationPid()) ||
        parts[1] != QString::number(reinterpret_cast<quintptr>(this)))
        return std::nullopt;
    bool ok = false;
    const int k = parts[2].toInt(&ok);
    if (!ok || k < 0 || k >= vorn_.usedBoxes())
        return std::nullopt;
    return k;
}

void BoxDragger::dropBox(int k, QPoint clientTwips) {
    const DataBox* box = boxes_.box(k);
    if (!box || k >= vorn_.usedBoxes())
        return;
    const QSize room = boxes_.card()->size();
    // A box dropped past the right or bottom edge would be out of reach once the window
    // is locked at its size: it is kept inside the client area wherever it fits there.
    const int maxLeft = Twips::fromPixels(room.width()) - box->widthTwips();
    const int maxTop = Twips::fromPixels(room.height()) - box->heightTwips();
    const int left =
        std::max(std::min(clientTwips.x() - grab_.x(), maxLeft), VornLimits::CardAreaLeft);
    const int top =
        std::max(std::min(clientTwips.y() - grab_.y(), maxTop), VornLimits::CardAreaTop);
    const VornHistory::Step step(history_, StepText::MoveBox);
    vorn_.moveBox(k + 1, left, top);
    const BoxDescriptor& d = vorn_.descriptor(k + 1);
    boxes_.place(k, d.Left, d.Top);
}

void BoxDragger::dropBoxOn(int k, int target, QPoint inTargetTwips) {
    if (!boxes_.box(target) || target >= vorn_.usedBoxes())
        return;
    dropBox(k, boxes_.position(target) + inTargetTwips);
}

bool BoxDragger::cardDragEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (draggedBox(drag->mimeData()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<int> k = draggedBox(drop->mimeData());
        if (!k) {
            drop->ignore();
            return true;
        }
        QWidget* card = boxes_.card();
        const QPoint at = drop->position().toPoint();
        // A drop on a box counts from that box's own place.
        for (QWidget* w = card->childAt(at); w && w != card; w = w->parentWidget()) {
            if (auto* target = qobject_cast<DataBox*>(w); target && w->parentWidget() == card) {
                dropBoxOn(*k, boxes_.indexOf(target), twipsOf(at - target->pos()));
                drop->acceptProposedAction();
                return true;
            }
        }
        dropBox(*k, twipsOf(at));
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

bool BoxDragger::eventFilter(QObject* watched, QEvent* event) {
    if (watched == boxes_.card())
        return cardDragEvent(event);
    if (event->type() != QEvent::MouseMove)
        return false;
    const int k = owner_.value(watched, -1);
    DataBox* box = boxes_.box(k);
    if (!box)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() != Qt::LeftButton)
        return false;
    const QPointF inBox = static_cast<QWidget*>(watched)->mapTo(box, mouse->position());
    // Taken here, the move never reaches the part: the drag is the box's, not its text's.
    return maybeStartDrag(k, LeftButton, Twips::fromPixels(inBox.x()),
                          Twips::fromPixels(inBox.y()));
}
