#include "designerpart.h"

#include "boxdragger.h"
#include "cardboxes.h"
#include "databox.h"
#include "designertexts.h"
#include "listcommands.h"
#include "prompts.h"
#include "viewprocedures.h"
#include "viewtexts.h"
#include "vornhistory.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <cmath>

namespace {

// Mouse button codes of the box events.
constexpr int RightButton = 2;

// One add button: the box it makes and how much room the random placement leaves for it.
struct Adder {
    const char* name;
    const QString& caption;
    qint16 kind;
    qint16 headPose;
    QSize room; // twips kept free right of and below the box's place
};

} // namespace

DesignerPart::DesignerPart(QWidget* client, Vorn& vorn, Prompts& prompts, RandomSource& random,
                           CardBoxes& boxes, VornHistory& history, ViewProcedures& view)
    : QObject(client), vorn_(vorn), prompts_(prompts), random_(random), boxes_(boxes),
      history_(history), view_(view) {
    setObjectName(QStringLiteral("DesignerPart"));
    static const std::array<Adder, 5> adders{{
        {"AddFrase", ViewText::AddFrase, BoxKind::Phrase, 1, {3000, 700}},
        {"AddText", ViewText::AddText, BoxKind::Text, 1, {3000, 1500}},
        {"AddNum", ViewText::AddNum, BoxKind::Number, 5, {700, 700}},
        {"AddList", ViewText::AddList, BoxKind::List, 1, {1000, 3000}},
        {"AddPic", ViewText::AddPic, BoxKind::Picture, 11, {1500, 1500}},
    }};
    for (std::size_t i = 0; i < adders.size(); ++i) {
        const Adder& a = adders[i];
        auto* button = new QPushButton(a.caption, client);
        button->setObjectName(QLatin1String(a.name));
        connect(button, &QPushButton::clicked, this, [this, &a] {
            // A picture box's header names its picture folder.
            const QString name = headNam_->text();
            BoxDescriptor box;
            box.Type = a.kind;
            box.Header = a.kind == BoxKind::Picture ? vorn_.picturePath(name) : name;
            box.HeadPose = a.headPose;
            addBox(box, a.room);
        });
        adders_[i] = button;
    }

    label2_ = new QLabel(ViewText::Label2, client);
    label2_->setObjectName(QStringLiteral("Label2"));
    headNam_ = new QLineEdit(ViewText::HeadNam, client);
    headNam_->setObjectName(QStringLiteral("HeadNam"));
    headNam_->setAccessibleName(ViewText::Label2);
    label2_->setBuddy(headNam_);

    dragger_ = new BoxDragger(vorn_, boxes_, history_);
    // The editors' own context menus would cover the box's popup.
    const auto noContextMenus = [](DataBox* box) {
        for (const char* name : {"Fras", "Tex", "Lis"})
            if (auto* editor = box->findChild<QWidget*>(QLatin1String(name)))
                editor->setContextMenuPolicy(Qt::PreventContextMenu);
    };
    for (int k = 0; k < VornLimits::MaxBoxes; ++k)
        if (DataBox* box = boxes_.madeBox(k))
            noContextMenus(box);
    connect(&boxes_, &CardBoxes::made, this,
            [noContextMenus](int, DataBox* box) { noContextMenus(box); });
    connect(&boxes_, &CardBoxes::mouseUp, this, [this](int k, int button) {
        if (button != RightButton)
            return;
        if (QMenu* menu = prepareBoxPopup(k))
            menu->popup(QCursor::pos());
    });
    connect(&boxes_, &CardBoxes::dblClick, this, [this](int k) { onDblClick(k); });
    buildBoxMenus();
}

void DesignerPart::buildBoxMenus() {
    QWidget* parent = headNam_->parentWidget();
    // Popups only: never in the menu bar.
    mBox_ = new QMenu(parent);
    mBox_->setObjectName(QStringLiteral("mBox"));

    QMenu* types = mBox_->addMenu(DesignerText::MenuTypes);
    types->setObjectName(QStringLiteral("mTypes"));
    for (int i = 0; i < int(mTyp_.size()); ++i) {
        QAction* item = types->addAction(DesignerText::Types[std::size_t(i)]);
        item->setObjectName(QStringLiteral("mTyp(%1)").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { onTyp(i); });
        mTyp_[std::size_t(i)] = item;
    }

    QMenu* head = mBox_->addMenu(DesignerText::MenuHead);
    head->setObjectName(QStringLiteral("mHead"));
    for (int i = 1; i < int(mPos_.size()); ++i) {
        QAction* item = head->addAction(DesignerText::Poses[std::size_t(i)]);
        item->setObjectName(QStringLiteral("mPos(%1)").arg(i));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { onPos(i); });
        mPos_[std::size_t(i)] = item;
    }

    mList_ = mBox_->addMenu(DesignerText::MenuList);
    mList_->setObjectName(QStringLiteral("mList"));
    listCommands_ = new ListCommands(mList_, headNam_, vorn_, prompts_, boxes_, history_, view_);

    mBox_->addSeparator();
    mFront_ = mBox_->addAction(ViewText::MenuFront);
    mFront_->setObjectName(QStringLiteral("mFront"));
    connect(mFront_, &QAction::triggered, this, [this] { makeTitle(menuBox_); });
    QAction* renew = mBox_->addAction(DesignerText::Renew);
    renew->setObjectName(QStringLiteral("mRenew"));
    connect(renew, &QAction::triggered, this, [this] { onRenew(); });
    QAction* delBox = mBox_->addAction(DesignerText::DelBox);
    delBox->setObjectName(QStringLiteral("mDelBox"));
    connect(delBox, &QAction::triggered, this, [this] { onDelBox(); });

    mMisk_ = new QMenu(ViewText::MenuMisk, parent);
    mMisk_->setObjectName(QStringLiteral("mMisk"));
    QAction* front2 = mMisk_->addAction(ViewText::MenuFront);
    front2->setObjectName(QStringLiteral("mFront2"));
    connect(front2, &QAction::triggered, this, [this] { makeTitle(menuBox_); });
}

void DesignerPart::setEditable(bool editable) {
    for (QPushButton* button : adders_)
        button->setEnabled(editable);
    headNam_->setEnabled(editable);
}

// The add buttons each as wide as its caption needs, shrunk together when the row is too
// narrow; the header line after its label.
void DesignerPart::layOut(const QRect& addRow, const QRect& headerRow, int gap) {
    int wanted = 0;
    for (QPushButton* b : adders_)
        wanted += b->sizeHint().width();
    const int room = addRow.width() - gap * int(adders_.size() - 1);
    int x = addRow.left();
    for (QPushButton* b : adders_) {
        int w = b->sizeHint().width();
        if (wanted > room)
            w = w * room / wanted;
        b->setGeometry(x, addRow.top(), w, addRow.height());
        x += w + gap;
    }
    const int labelWidth = label2_->sizeHint().width();
    label2_->setGeometry(headerRow.left(), headerRow.top(), labelWidth, headerRow.height());
    const int headLeft = headerRow.left() + labelWidth + gap;
    headNam_->setGeometry(headLeft, headerRow.top(), std::max(40, headerRow.right() + 1 - headLeft),
                          headerRow.height());
}

// --- adding ---------------------------------------------------------------------------------

int DesignerPart::randomPlace(double r, int extent, int size, int start) {
    return clampTo16(static_cast<long long>(std::floor(r * (extent - size - start + 1))) + start);
}

void DesignerPart::addBox(const BoxDescriptor& box, QSize room) {
    if (!vorn_.Designing || vorn_.BoxCount < 0 || vorn_.BoxCount >= VornLimits::MaxAddableBoxes)
        return;
    const VornHistory::Step step(history_, StepText::AddBox);
    // The window's size as GetFormat takes it, so that a new box lies on the card.
    const QSize window = view_.windowTwips();
    BoxDescriptor placed = box;
    placed.Left = clampTo16(
        randomPlace(random_.next(), window.width(), room.width(), VornLimits::CardAreaLeft));
    placed.Top = clampTo16(
        randomPlace(random_.next(), window.height(), room.height(), VornLimits::CardAreaTop));
    const std::optional<int> j = vorn_.addBox(placed);
    if (!j)
        return;
    boxes_.box(*j - 1)->setLocked(false);
    storeRendered(*j);
    view_.chainTabOrder();
    // The entries' captions name the new, still empty, title value.
    if (vorn_.TitleBox == *j)
        view_.freshList();
}

// Box j shows its descriptor, and what the box holds then is stored as its default value, as
// every change of a box's value is: a list box holds its value as a list.
void DesignerPart::storeRendered(int j) {
    boxes_.render(vorn_, j);
    vorn_.storeValue(view_.listIndex(), j, boxes_.box(j - 1)->Data());
}

// --- popups -------------------------------------------------------------------------------

DataBox* DesignerPart::menuBox() const {
    return menuBox_ >= 0 && menuBox_ < vorn_.usedBoxes() ? boxes_.box(menuBox_) : nullptr;
}

QMenu* DesignerPart::prepareBoxPopup(int k) {
    if (!boxes_.box(k) || k >= vorn_.usedBoxes())
        return nullptr;
    menuBox_ = k;
    listCommands_->setMenuBox(k);
    const BoxDescriptor& d = vorn_.descriptor(k + 1);
    if (vorn_.Designing) {
        for (int i = 0; i < int(mTyp_.size()); ++i)
            mTyp_[std::size_t(i)]->setChecked(i == d.Type);
        // Every kind shows its own header position, list and number boxes too.
        for (int i = 1; i < int(mPos_.size()); ++i)
            mPos_[std::size_t(i)]->setChecked(i == d.HeadPose);
        mList_->menuAction()->setVisible(d.Type == BoxKind::List);
        mFront_->setVisible(BoxKind::hasTabStop(d.Type));
        return mBox_;
    }
    if (d.Type == BoxKind::List && vorn_.Unlocked)
        return mList_;
    return mMisk_;
}

void DesignerPart::makeTitle(int k) {
    const VornHistory::Step step(history_, StepText::Title);
    if (!vorn_.setTitle(k + 1))
        return;
    for (int j = 1; j <= vorn_.usedBoxes(); ++j)
        boxes_.box(j - 1)->setHeaderBold(j == vorn_.TitleBox);
    view_.freshList();
}

// --- retyping, header, removal --------------------------------------------------------------

void DesignerPart::onTyp(int kind) {
    DataBox* box = menuBox();
    if (!box || kind < BoxKind::Word || kind > BoxKind::Number)
        return;
    const BoxDescriptor& d = vorn_.descriptor(menuBox_ + 1);
    // The kind the box has, and for a number box also the phrase it is shown as, asks
    // nothing and changes nothing; retyping a number box to a number would empty it.
    if (kind == d.Type || (d.Type == BoxKind::Number && kind == BoxKind::Phrase))
        return;
    if (d.Type == BoxKind::List && !prompts_.askYesNo(DesignerText::DestroysList))
        return;
    const VornHistory::Step step(history_, StepText::RetypeBox);
    const bool wasTitle = vorn_.TitleBox == menuBox_ + 1;
    // A number box starts empty; the others take the header line's text as their value.
    vorn_.retypeBox(menuBox_ + 1, qint16(kind),
                    kind == BoxKind::Number ? QString() : headNam_->text());
    storeRendered(menuBox_ + 1);
    view_.chainTabOrder();
    if (wasTitle && vorn_.TitleBox != menuBox_ + 1)
        view_.freshList();
}

void DesignerPart::onPos(int pose) {
    const VornHistory::Step step(history_, StepText::HeadPose);
    if (DataBox* box = menuBox(); box && vorn_.setHeadPose(menuBox_ + 1, qint16(pose)))
        box->setHeadPose(vorn_.descriptor(menuBox_ + 1).HeadPose);
}

void DesignerPart::onRenew() {
    const VornHistory::Step step(history_, StepText::Renew);
    if (DataBox* box = menuBox(); box && vorn_.setHeader(menuBox_ + 1, headNam_->text())) {
        box->setHeader(vorn_.descriptor(menuBox_ + 1).Header);
        // The box makes room for its new header now, not at some later change.
        box->Refresh(true);
    }
}

void DesignerPart::onDelBox() {
    if (!menuBox())
        return;
    const VornHistory::Step step(history_, StepText::RemoveBox);
    // The boxes after it, their entries' values, the title and the output positions move
    // down one slot together; the boxes are then put up from the vorn.
    view_.GetFormat();
    vorn_.removeBox(menuBox_ + 1);
    view_.Organize();
    view_.freshList();
}

// --- pictures -------------------------------------------------------------------------------

void DesignerPart::onDblClick(int k) {
    DataBox* box = boxes_.box(k);
    if (!box || k >= vorn_.usedBoxes() || vorn_.descriptor(k + 1).Type != BoxKind::Picture ||
        !vorn_.Unlocked)
        return;
    // Stored by the change report into the selected entry or the card's default value.
    const VornHistory::Step step(history_, StepText::Picture);
    box->setData(vorn_.picturePath(headNam_->text()));
}
