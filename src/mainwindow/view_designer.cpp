// The card designer: adding boxes at random places, dragging them, the box popups with
// retyping, header positions, renaming and removal, and choosing a picture by double-click.
// The list item commands live in view_lists.cpp.
#include "view.h"

#include "databox.h"
#include "designertexts.h"
#include "prompts.h"
#include "twips.h"
#include "viewtexts.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cmath>

// One add button: what it makes and how much room the random placement leaves for it.
struct View::NewBox {
    qint16 kind;
    qint16 headPose;
    qint16 length; // 0: the kind's default size
    int width;     // twips kept free right of the box's place
    int height;    // and below it
    bool tabStop;
    bool mayBeTitle; // the first box of the card becomes the title box
};

namespace {

// Mouse button codes of the box events.
constexpr int LeftButton = 1;

// The drag's payload names the process, the window and the box, so that a drag from
// another window or program is never taken for one of ours.
const QString BoxMimeType = QStringLiteral("application/x-tessavorn-box");

bool isNumberBox(const DataBox* box) {
    return box->BoxType() == BoxKind::Phrase && box->Length() == BoxKind::NumberLength;
}

// The kind the designer shows for a box: a phrase box of the number length is a number box.
qint16 shownKind(const DataBox* box) {
    return isNumberBox(box) ? BoxKind::Number : box->BoxType();
}

bool hasTabStop(qint16 kind) {
    return kind != BoxKind::Word && kind != BoxKind::Picture;
}

bool canBeTitle(qint16 kind) {
    return kind != BoxKind::Word && kind != BoxKind::Picture && kind != BoxKind::List;
}

QPoint twipsOf(QPointF pixels) {
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y())};
}

} // namespace

// Feeds the window the events it needs from the boxes' parts and from the card.
class View::DesignerFilter : public QObject {
public:
    explicit DesignerFilter(View* view) : view_(view) {}

    // Watches widget as a part of box k.
    void watch(QWidget* widget, int k) {
        if (!widget)
            return;
        owner_.insert(widget, k);
        widget->installEventFilter(this);
    }
    int ownerOf(QObject* watched) const { return owner_.value(watched, -1); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return view_->designerEvent(watched, event);
    }

private:
    View* view_;
    QHash<QObject*, int> owner_;
};

// --- construction ---------------------------------------------------------------------

void View::buildDesigner() {
    designerFilter_ = new DesignerFilter(this);
    designerFilterOwner_.reset(designerFilter_);
    card_->setAcceptDrops(true);
    card_->installEventFilter(designerFilter_);

    static const NewBox frase{BoxKind::Phrase, 1, 0, 3000, 700, true, true};
    static const NewBox text{BoxKind::Text, 1, 0, 3000, 1500, true, true};
    static const NewBox number{BoxKind::Phrase, 5, BoxKind::NumberLength, 700, 700, true, true};
    static const NewBox list{BoxKind::List, 1, 0, 1000, 3000, true, false};
    static const NewBox picture{BoxKind::Picture, 11, 0, 1500, 1500, false, false};
    connect(addFrase_, &QPushButton::clicked, this, [this] { addBox(frase); });
    connect(addText_, &QPushButton::clicked, this, [this] { addBox(text); });
    connect(addNum_, &QPushButton::clicked, this, [this] { addBox(number); });
    connect(addList_, &QPushButton::clicked, this, [this] { addBox(list); });
    connect(addPic_, &QPushButton::clicked, this, [this] { addBox(picture); });

    for (int k = 0; k < VornLimits::MaxBoxes; ++k) {
        DataBox* box = boxes_[static_cast<size_t>(k)];
        connect(box, &DataBox::MouseDown, this,
                [this, k](int, int, double x, double y) { onBoxMouseDown(k, x, y); });
        connect(box, &DataBox::MouseMove, this, [this, k](int button, int, double x, double y) {
            maybeStartDrag(k, button, x, y);
        });
        connect(box, &DataBox::DblClick, this, [this, k] { onBoxDblClick(k); });

        // A drag is started before the part under the mouse sees the move, so that an
        // editor does not begin a text drag of its own when the box's drag has ended.
        designerFilter_->watch(box, k);
        for (const char* name : {"Hed", "Border", "Pic", "Fras", "Tex", "Lis"}) {
            auto* part = box->findChild<QWidget*>(QLatin1String(name));
            if (auto* area = qobject_cast<QAbstractScrollArea*>(part))
                part = area->viewport(); // the scrolling editors get the mouse there
            designerFilter_->watch(part, k);
        }
        // The editors' own context menus would cover the box's popup.
        for (const char* name : {"Fras", "Tex", "Lis"})
            if (auto* editor = box->findChild<QWidget*>(QLatin1String(name)))
                editor->setContextMenuPolicy(Qt::PreventContextMenu);
    }
    buildBoxMenus();
}

void View::buildBoxMenus() {
    // Popup only: never in the menu bar.
    mBox_ = new QMenu(this);
    mBox_->setObjectName(QStringLiteral("mBox"));

    mTypes_ = mBox_->addMenu(DesignerText::MenuTypes);
    mTypes_->setObjectName(QStringLiteral("mTypes"));
    for (int i = 0; i < static_cast<int>(mTyp_.size()); ++i) {
        QAction* item = mTypes_->addAction(DesignerText::Types[static_cast<size_t>(i)]);
        item->setObjectName(QStringLiteral("mTyp(%1)").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { onTyp(i); });
        mTyp_[static_cast<size_t>(i)] = item;
    }

    mHead_ = mBox_->addMenu(DesignerText::MenuHead);
    mHead_->setObjectName(QStringLiteral("mHead"));
    for (int i = 1; i < static_cast<int>(mPos_.size()); ++i) {
        QAction* item = mHead_->addAction(DesignerText::Poses[static_cast<size_t>(i)]);
        item->setObjectName(QStringLiteral("mPos(%1)").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { onPos(i); });
        mPos_[static_cast<size_t>(i)] = item;
    }

    mList_ = mBox_->addMenu(DesignerText::MenuList);
    mList_->setObjectName(QStringLiteral("mList"));
    const auto addListItem = [this](const char* name, const QString& caption, void (View::*run)()) {
        QAction* item = mList_->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [this, run] { (this->*run)(); });
    };
    addListItem("mInsert", DesignerText::Insert, &View::onInsertItem);
    addListItem("mAddN", DesignerText::AddN, &View::onAddItems);
    addListItem("mDelItems", DesignerText::DelItems, &View::onDelItems);
    addListItem("mCopyList", DesignerText::CopyList, &View::onCopyList);
    addListItem("mPasteList", DesignerText::PasteList, &View::onPasteList);

    mBox_->addSeparator();
    mFront_ = mBox_->addAction(ViewText::MenuFront);
    mFront_->setObjectName(QStringLiteral("mFront"));
    connect(mFront_, &QAction::triggered, this, [this] { makeTitle(vorn_.MenuBox); });
    mRenew_ = mBox_->addAction(DesignerText::Renew);
    mRenew_->setObjectName(QStringLiteral("mRenew"));
    connect(mRenew_, &QAction::triggered, this, [this] { onRenew(); });
    mDelBox_ = mBox_->addAction(DesignerText::DelBox);
    mDelBox_->setObjectName(QStringLiteral("mDelBox"));
    connect(mDelBox_, &QAction::triggered, this, [this] { onDelBox(); });
}

// --- adding ---------------------------------------------------------------------------

int View::randomPlace(double r, int extent, int size, int start) {
    return clampTo16(static_cast<long long>(std::floor(r * (extent - size - start + 1))) + start);
}

QString View::picturePath(const QString& name) const {
    return QStringLiteral(".\\") + vorn_.VornName + QLatin1Char('\\') + name;
}

void View::addBox(const NewBox& kind) {
    if (!vorn_.Designing || vorn_.BoxCount < 0 || vorn_.BoxCount >= VornLimits::MaxAddableBoxes)
        return;
    const int k = vorn_.BoxCount;
    DataBox* box = boxes_[static_cast<size_t>(k)];
    const bool title = k == 0 && kind.mayBeTitle;
    box->setHeaderBold(title); // a slot given up by a removal may have been the title
    vorn_.BoxCount = static_cast<qint16>(k + 1);
    if (title) {
        // The entries' captions name the new, still empty, title value.
        vorn_.TitleBox = 1;
        freshList();
    }

    // The window's size as GetFormat takes it, so that a new box lies on the card.
    const int left = randomPlace(random_.next(), Twips::fromPixels(width()), kind.width,
                                 VornLimits::CardAreaLeft);
    const int top = randomPlace(random_.next(), Twips::fromPixels(height()), kind.height,
                                VornLimits::CardAreaTop);
    placeBox(k, left, top);

    const QString name = headNam_->text();
    const QString header = kind.kind == BoxKind::Picture ? picturePath(name) : name;
    box->setLocked(false);
    box->ChangeAll(kind.kind, header, QString(), kind.headPose, kind.length);
    box->show();
    box->setTabStop(kind.tabStop);
    chainTabOrder();
    vorn_.Modified = true;
}

// --- dragging -------------------------------------------------------------------------

void View::onBoxMouseDown(int k, double x, double y) {
    if (!Box(k))
        return;
    vorn_.GrabX = clampTo16(std::llround(x));
    vorn_.GrabY = clampTo16(std::llround(y));
}

bool View::maybeStartDrag(int k, int button, double x, double y) {
    if (button != LeftButton || !vorn_.Designing || k < 0 || k >= vorn_.BoxCount)
        return false;
    // A click with a shaking hand is not a drag.
    const QPointF moved(Twips::toPixels(x) - Twips::toPixels(vorn_.GrabX),
                        Twips::toPixels(y) - Twips::toPixels(vorn_.GrabY));
    if (moved.manhattanLength() < QApplication::startDragDistance())
        return false;
    startBoxDrag(k);
    return true;
}

QDrag* View::makeBoxDrag(int k) {
    DataBox* box = Box(k);
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
    drag->setHotSpot(QPoint(Twips::toPixels(vorn_.GrabX), Twips::toPixels(vorn_.GrabY)));
    return drag;
}

std::optional<int> View::draggedBox(const QMimeData* mime) const {
    if (!mime || !mime->hasFormat(BoxMimeType))
        return std::nullopt;
    const QStringList parts = QString::fromLatin1(mime->data(BoxMimeType)).split(QLatin1Char(' '));
    if (parts.size() != 3 || parts[0] != QString::number(QCoreApplication::applicationPid()) ||
        parts[1] != QString::number(reinterpret_cast<quintptr>(this)))
        return std::nullopt;
    bool ok = false;
    const int k = parts[2].toInt(&ok);
    if (!ok || k < 0 || k >= vorn_.BoxCount)
        return std::nullopt;
    return k;
}

void View::startBoxDrag(int k) {
    QDrag* drag = makeBoxDrag(k);
    if (!drag)
        return;
    Q_EMIT boxDragStarted(k);
    // The drop, if any, is handled by the card while exec() runs; Qt disposes of the drag.
    drag->exec(Qt::MoveAction);
}

void View::dropBox(int k, QPoint clientTwips) {
    DataBox* box = Box(k);
    if (!box || k >= vorn_.BoxCount)
        return;
    int left = std::max(clientTwips.x() - vorn_.GrabX, VornLimits::CardAreaLeft);
    int top = std::max(clientTwips.y() - vorn_.GrabY, VornLimits::CardAreaTop);
    // A box dropped past the right or bottom edge would be out of reach once the window
    // is locked at its size: it is kept inside the client area wherever it fits there.
    const int maxLeft = Twips::fromPixels(client_->width()) - box->widthTwips();
    const int maxTop = Twips::fromPixels(client_->height()) - box->heightTwips();
    left = std::max(std::min(left, maxLeft), VornLimits::CardAreaLeft);
    top = std::max(std::min(top, maxTop), VornLimits::CardAreaTop);
    placeBox(k, left, top);
    vorn_.Modified = true;
}

void View::dropBoxOn(int k, int target, QPoint inTargetTwips) {
    if (!Box(target) || target >= vorn_.BoxCount)
        return;
    dropBox(k, boxPosition(target) + inTargetTwips);
}

bool View::cardDragEvent(QEvent* event) {
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
        const QPoint at = drop->position().toPoint();
        // A drop on a box counts from that box's own place.
        for (QWidget* w = card_->childAt(at); w && w != card_; w = w->parentWidget()) {
            if (auto* target = qobject_cast<DataBox*>(w); target && w->parentWidget() == card_) {
                const int t = static_cast<int>(std::find(boxes_.begin(), boxes_.end(), target) -
                                               boxes_.begin());
                dropBoxOn(*k, t, twipsOf(at - target->pos()));
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

bool View::designerEvent(QObject* watched, QEvent* event) {
    if (watched == card_)
        return cardDragEvent(event);
    if (event->type() != QEvent::MouseMove)
        return false;
    const int k = designerFilter_->ownerOf(watched);
    DataBox* box = Box(k);
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

// --- box popups -----------------------------------------------------------------------

DataBox* View::menuBox() const {
    const int k = vorn_.MenuBox;
    return k >= 0 && k < vorn_.BoxCount ? Box(k) : nullptr;
}

DataBox* View::listMenuBox() const {
    DataBox* box = menuBox();
    return box && box->BoxType() == BoxKind::List && vorn_.Unlocked ? box : nullptr;
}

QMenu* View::prepareBoxPopup(int k) {
    DataBox* box = Box(k);
    if (!box || k >= vorn_.BoxCount)
        return nullptr;
    vorn_.MenuBox = static_cast<qint16>(k);
    const qint16 kind = shownKind(box);
    if (vorn_.Designing) {
        for (int i = 0; i < static_cast<int>(mTyp_.size()); ++i)
            mTyp_[static_cast<size_t>(i)]->setChecked(i == kind);
        // Every kind shows its own header position, list and number boxes too.
        for (int i = 1; i < static_cast<int>(mPos_.size()); ++i)
            mPos_[static_cast<size_t>(i)]->setChecked(i == box->HeadPose());
        mList_->menuAction()->setVisible(kind == BoxKind::List);
        mFront_->setVisible(kind != BoxKind::Word && kind != BoxKind::Picture);
        return mBox_;
    }
    if (kind == BoxKind::List && vorn_.Unlocked)
        return mList_;
    return mMisk_;
}

// --- retyping, header, removal ----------------------------------------------------------

void View::onTyp(int kind) {
    DataBox* box = menuBox();
    if (!box || kind < BoxKind::Word || kind > BoxKind::Number)
        return;
    // The kind the box has, and for a number box also the phrase it is shown as, asks
    // nothing and changes nothing; retyping a number box to a number would empty it.
    if (kind == box->BoxType() || kind == shownKind(box))
        return;
    if (box->BoxType() == BoxKind::List && !prompts_.askYesNo(DesignerText::DestroysList))
        return;

    const QString header = box->Header();
    const qint16 pose = box->HeadPose();
    if (kind == BoxKind::Number)
        box->ChangeAll(BoxKind::Phrase, header, QString(), pose, BoxKind::NumberLength);
    else
        box->ChangeAll(static_cast<qint16>(kind), header, headNam_->text(), pose);
    box->setTabStop(hasTabStop(static_cast<qint16>(kind)));
    chainTabOrder();

    if (vorn_.TitleBox == vorn_.MenuBox + 1 && !canBeTitle(box->BoxType())) {
        vorn_.TitleBox = VornLimits::NoTitle;
        box->setHeaderBold(false);
        freshList();
    }
    vorn_.Modified = true;
}

void View::onPos(int pose) {
    if (DataBox* box = menuBox()) {
        box->setHeadPose(static_cast<qint16>(pose));
        vorn_.Modified = true;
    }
}

void View::onRenew() {
    if (DataBox* box = menuBox()) {
        box->setHeader(headNam_->text());
        // The box makes room for its new header now, not at some later change.
        box->Refresh(true);
        vorn_.Modified = true;
    }
}

void View::onDelBox() {
    if (!menuBox())
        return;
    // The data of the boxes after it, their entries' values, the title and the output
    // positions move down one slot together; the boxes are then put up from the data.
    GetFormat();
    vorn_.removeBox(vorn_.MenuBox + 1);
    Organize();
    freshList();
    vorn_.Modified = true;
}

// --- pictures -------------------------------------------------------------------------

void View::onBoxDblClick(int k) {
    DataBox* box = Box(k);
    if (!box || k >= vorn_.BoxCount || box->BoxType() != BoxKind::Picture || !vorn_.Unlocked)
        return;
    // Stored by the Change path into the selected entry or the card's default value.
    box->setData(picturePath(headNam_->text()));
    vorn_.Modified = true;
}
