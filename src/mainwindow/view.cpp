#include "view.h"

#include "databox.h"
#include "prompts.h"
#include "twips.h"
#include "viewtexts.h"

#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {
// The smallest window while unlocked, in twips.
constexpr int MinWidthTwips = VornLimits::DefaultCardWidth;
constexpr int MinHeightTwips = VornLimits::DefaultCardHeight;

QSize pixelsOf(int widthTwips, int heightTwips) {
    return {Twips::toPixels(widthTwips), Twips::toPixels(heightTwips)};
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

View::View(Prompts& prompts, RandomSource& random, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), random_(random) {
    setObjectName(QStringLiteral("View"));
    buildControls();
    buildMenus();
    buildDesigner();

    // Start-up: Vorn() already holds the identity output order, the name "New", an empty
    // card, Unlocked and Designing; CardWidth/CardHeight stay 0 until GetFormat.
    vorn_.ListBuffer.clear();
    vorn_.StartDir = QDir::currentPath();
    for (DataBox* box : boxes_)
        box->setPictureBase(vorn_.StartDir);
    selectItem(0, true);
    vorn_.Modified = false;
    refreshCaption();

    resize(pixelsOf(MinWidthTwips, MinHeightTwips));
    applySizeRule();
}

View::~View() = default;

DataBox* View::Box(int i) const {
    if (i < 0 || i >= VornLimits::MaxBoxes)
        return nullptr;
    return boxes_[static_cast<size_t>(i)];
}

void View::placeBox(int k, int left, int top) {
    if (DataBox* box = Box(k))
        box->moveTwips(left, top);
}

QPoint View::boxPosition(int k) const {
    const DataBox* box = Box(k);
    return box ? QPoint(box->leftTwips(), box->topTwips()) : QPoint();
}

// --- construction ----------------------------------------------------------------------

void View::buildControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);

    // Created first so that every other control lies above it.
    card_ = new QWidget(client_);
    card_->setObjectName(QStringLiteral("Card"));
    for (int k = 0; k < VornLimits::MaxBoxes; ++k) {
        auto* box = new DataBox(card_);
        box->setObjectName(QStringLiteral("Box(%1)").arg(k));
        box->hide();
        boxes_[static_cast<size_t>(k)] = box;
        connectBox(k);
    }

    // Creation order is the Tab order of the fixed controls; Organize chains the boxes
    // after Locker.
    vornList_ = new QListWidget(client_);
    vornList_->setObjectName(QStringLiteral("VornList"));
    vornList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one line of text: the list need not measure 500 captions to scroll.
    vornList_->setUniformItemSizes(true);
    vornList_->addItem(ViewText::CardItem);
    connect(vornList_, &QListWidget::currentRowChanged, this, [this] { onListSelection(); });

    addVorn_ = makeButton(client_, "AddVorn", ViewText::AddVorn);
    delVorn_ = makeButton(client_, "DelVorn", ViewText::DelVorn);
    lift_ = makeButton(client_, "Lift", ViewText::Lift);
    low_ = makeButton(client_, "Low", ViewText::Low);
    find_ = makeButton(client_, "Find", ViewText::Find);
    next_ = makeButton(client_, "Next", ViewText::Next);
    addVorn_->setDefault(true);
    connect(addVorn_, &QPushButton::clicked, this, [this] { onAddVorn(); });
    connect(delVorn_, &QPushButton::clicked, this, [this] { onDelVorn(); });
    connect(lift_, &QPushButton::clicked, this, [this] { onLift(); });
    connect(low_, &QPushButton::clicked, this, [this] { onLow(); });
    connect(find_, &QPushButton::clicked, this, [this] { onFind(); });
    connect(next_, &QPushButton::clicked, this, [this] { onNext(); });
    // The right button on Next counts instead of searching.
    next_->installEventFilter(this);

    // Their commands belong to the card designer.
    addFrase_ = makeButton(client_, "AddFrase", ViewText::AddFrase);
    addText_ = makeButton(client_, "AddText", ViewText::AddText);
    addNum_ = makeButton(client_, "AddNum", ViewText::AddNum);
    addList_ = makeButton(client_, "AddList", ViewText::AddList);
    addPic_ = makeButton(client_, "AddPic", ViewText::AddPic);

    label2_ = new QLabel(ViewText::Label2, client_);
    label2_->setObjectName(QStringLiteral("Label2"));
    headNam_ = new QLineEdit(ViewText::HeadNam, client_);
    headNam_->setObjectName(QStringLiteral("HeadNam"));
    headNam_->setAccessibleName(ViewText::Label2);
    label2_->setBuddy(headNam_);

    setPass_ = makeButton(client_, "SetPass", ViewText::SetPass);
    locker_ = makeButton(client_, "Locker", ViewText::Locker);
    connect(setPass_, &QPushButton::clicked, this, [this] { onSetPass(); });
    connect(locker_, &QPushButton::clicked, this, [this] { TurnEdit(vorn_.Unlocked); });
}

void View::buildMenus() {
    // «Ворн»: the document commands go in front of outputAnchor_, the output order and the
    // export between the two separators, and «Выход» after exitAnchor_.
    mVorn_ = menuBar()->addMenu(ViewText::MenuVorn);
    mVorn_->setObjectName(QStringLiteral("mVorn"));
    outputAnchor_ = mVorn_->addSeparator();
    exitAnchor_ = mVorn_->addSeparator();

    mCounting_ = menuBar()->addMenu(ViewText::MenuCounting);
    mCounting_->setObjectName(QStringLiteral("mCounting"));
    buildReportMenus();

    mHelp_ = menuBar()->addMenu(ViewText::MenuHelp);
    mHelp_->setObjectName(QStringLiteral("mHelp"));
    mAbout_ = mHelp_->addAction(ViewText::MenuAbout);
    mAbout_->setObjectName(QStringLiteral("mAbout"));
    connect(mAbout_, &QAction::triggered, this, [this] { onAbout(); });
    mReadme_ = mHelp_->addAction(ViewText::MenuReadme);
    mReadme_->setObjectName(QStringLiteral("mReadme"));
    buildDocumentMenu();

    // Popup only: never in the menu bar.
    mMisk_ = new QMenu(ViewText::MenuMisk, this);
    mMisk_->setObjectName(QStringLiteral("mMisk"));
    mFront2_ = mMisk_->addAction(ViewText::MenuFront);
    mFront2_->setObjectName(QStringLiteral("mFront2"));
    connect(mFront2_, &QAction::triggered, this, [this] { makeTitle(vorn_.MenuBox); });
}

void View::connectBox(int k) {
    DataBox* box = boxes_[static_cast<size_t>(k)];
    connect(box, &DataBox::Change, this, [this, k] { onBoxChange(k); });
    connect(box, &DataBox::KeyDown, this,
            [this, k](int keyCode, int) { onBoxKeyDown(k, keyCode); });
    connect(box, &DataBox::GotFocus, this, [this, k] { onBoxGotFocus(k); });
    connect(box, &DataBox::MouseUp, this,
            [this, k](int button, int, double, double) { onBoxMouseUp(k, button); });
}

// The entry list and its buttons fill the strip left of the card area, the design
// controls the strip above it; the card covers the whole client area underneath, so
// that box positions are client coordinates.
void View::layoutControls() {
    const int width = client_->width();
    const int height = client_->height();
    card_->setGeometry(0, 0, width, height);

    const int stripWidth = Twips::toPixels(VornLimits::CardAreaLeft);
    const int stripHeight = Twips::toPixels(VornLimits::CardAreaTop);
    constexpr int margin = 4;
    constexpr int gap = 4;
    const int rowHeight = (stripHeight - 2 * margin - gap) / 2;

    // Top strip, first row: the add buttons, each as wide as its caption needs, shrunk
    // together when the window is too narrow.
    const std::array<QPushButton*, 5> adders{addFrase_, addText_, addNum_, addList_, addPic_};
    int wanted = 0;
    for (QPushButton* b : adders)
        wanted += b->sizeHint().width();
    const int room = width - 2 * margin - gap * static_cast<int>(adders.size() - 1);
    int x = margin;
    for (QPushButton* b : adders) {
        int w = b->sizeHint().width();
        if (wanted > room)
            w = w * room / wanted;
        b->setGeometry(x, margin, w, rowHeight);
        x += w + gap;
    }

    // Second row: the header line on the left, password and lock on the right.
    const int rowTwo = margin + rowHeight + gap;
    const int lockerWidth = locker_->sizeHint().width();
    const int passWidth = setPass_->sizeHint().width();
    locker_->setGeometry(width - margin - lockerWidth, rowTwo, lockerWidth, rowHeight);
    setPass_->setGeometry(locker_->x() - gap - passWidth, rowTwo, passWidth, rowHeight);
    const int labelWidth = label2_->sizeHint().width();
    label2_->setGeometry(margin, rowTwo, labelWidth, rowHeight);
    const int headLeft = margin + labelWidth + gap;
    headNam_->setGeometry(headLeft, rowTwo, std::max(40, setPass_->x() - 2 * gap - headLeft),
                          rowHeight);

    // Left strip: the list above, three rows of two buttons below.
    const std::array<std::array<QPushButton*, 2>, 3> rows{
        {{addVorn_, delVorn_}, {lift_, low_}, {find_, next_}}};
    const int columnWidth = (stripWidth - 2 * margin - gap) / 2;
    int y = height - margin - static_cast<int>(rows.size()) * (rowHeight + gap) + gap;
    vornList_->setGeometry(margin, stripHeight, stripWidth - 2 * margin,
                           std::max(rowHeight, y - gap - stripHeight));
    for (const auto& row : rows) {
        row[0]->setGeometry(margin, y, columnWidth, rowHeight);
        row[1]->setGeometry(margin + columnWidth + gap, y, columnWidth, rowHeight);
        y += rowHeight + gap;
    }
}

bool View::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        layoutControls();
    } else if (watched == next_ && event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            countMatches();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Enter presses the default button. Outside a dialog Qt has no default button, so the
// window does it: a focused button takes Enter itself, as on the original platform.
void View::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
            focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        if (addVorn_->isDefault()) {
            addVorn_->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

// --- modes ----------------------------------------------------------------------------

void View::applySizeRule() {
    if (vorn_.Unlocked) {
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(pixelsOf(MinWidthTwips, MinHeightTwips));
    } else {
        setFixedSize(pixelsOf(vorn_.CardWidth, vorn_.CardHeight));
    }
}

void View::refreshCaption() {
    setWindowTitle(ViewText::CaptionWord + QStringLiteral(" \"") + vorn_.VornName +
                   QLatin1Char('"'));
}

void View::Reset() {
    vorn_.reset();
    for (DataBox* box : boxes_)
        box->setLocked(false);
    Organize();
    TurnEdit(false);
    {
        const QSignalBlocker block(vornList_);
        vornList_->clear();
        vornList_->addItem(ViewText::CardItem);
    }
    selectItem(0, true);
    vorn_.Modified = false;
}

bool View::TurnEdit(bool locked) {
    if (!locked && !vorn_.Password.isEmpty() && !passwordAccepted())
        return false;
    for (QWidget* control : std::initializer_list<QWidget*>{addNum_, addFrase_, addPic_, addList_,
                                                            addText_, headNam_, setPass_})
        control->setEnabled(!locked);
    const int count = std::clamp<int>(vorn_.BoxCount, 0, VornLimits::MaxBoxes);
    for (int k = 0; k < count; ++k)
        boxes_[static_cast<size_t>(k)]->setLocked(locked);
    GetFormat();
    vorn_.Unlocked = !locked;
    vorn_.Designing = listIndex() == 0 && !locked;
    applySizeRule();
    return true;
}

void View::GetFormat() {
    vorn_.CardWidth = clampTo16(Twips::fromPixels(width()));
    vorn_.CardHeight = clampTo16(Twips::fromPixels(height()));
    const bool cardShown = listIndex() == 0;
    const int count = std::clamp<int>(vorn_.BoxCount, 0, VornLimits::MaxBoxes);
    for (int j = 1; j <= count; ++j) {
        const DataBox* box = boxes_[static_cast<size_t>(j - 1)];
        BoxDescriptor& d = vorn_.descriptor(j);
        d.Header = box->Header();
        const bool number =
            box->BoxType() == BoxKind::Phrase && box->Length() == BoxKind::NumberLength;
        d.Type = number ? BoxKind::Number : box->BoxType();
        d.HeadPose = box->HeadPose();
        if (cardShown)
            d.DefaultValue = box->Data();
        const QPoint position = boxPosition(j - 1);
        d.Left = clampTo16(position.x());
        d.Top = clampTo16(position.y());
    }
}

void View::Organize() {
    // Locked, the window keeps the stored size; unlocked, the minimum still applies.
    applySizeRule();
    resize(pixelsOf(vorn_.CardWidth, vorn_.CardHeight));

    const int count = std::clamp<int>(vorn_.BoxCount, 0, VornLimits::MaxBoxes);
    suppressStore_ = true;
    for (DataBox* box : boxes_) {
        box->hide();
        box->setHeaderBold(false); // a slot reused later must not come back bold
    }
    for (int j = 1; j <= count; ++j) {
        DataBox* box = boxes_[static_cast<size_t>(j - 1)];
        const BoxDescriptor& d = vorn_.descriptor(j);
        box->setHeaderBold(j == vorn_.TitleBox);
        if (d.Type == BoxKind::Number)
            box->ChangeAll(BoxKind::Phrase, d.Header, d.DefaultValue, d.HeadPose,
                           BoxKind::NumberLength);
        else
            box->ChangeAll(d.Type, d.Header, d.DefaultValue, d.HeadPose);
        placeBox(j - 1, d.Left, d.Top);
        box->show();
    }
    suppressStore_ = false;
    chainTabOrder();

    // The boxes now hold the card's default values; put back what the selection shows.
    showValues(listIndex());
}

void View::chainTabOrder() {
    const int count = std::clamp<int>(vorn_.BoxCount, 0, VornLimits::MaxBoxes);
    for (int j = 1; j <= count; ++j) {
        DataBox* box = boxes_[static_cast<size_t>(j - 1)];
        box->setTabStop(box->BoxType() != BoxKind::Word && box->BoxType() != BoxKind::Picture);
    }
    // Tab order follows the output order; boxes without a tab stop are left out.
    QWidget* previous = locker_;
    for (int j : vorn_.outputSequence()) {
        const DataBox* box = Box(j - 1);
        if (!box || !box->tabStop())
            continue;
        if (QWidget* w = box->focusWidgetForTab()) {
            setTabOrder(previous, w);
            previous = w;
        }
    }
}

void View::adoptVorn(Vorn loaded) {
    // What lives for the whole run stays with the window, not with the file.
    loaded.StartDir = vorn_.StartDir;
    loaded.SearchPhrase = vorn_.SearchPhrase;
    loaded.ListBuffer = vorn_.ListBuffer;
    vorn_ = std::move(loaded);

    // Loading starts from an unlocked window, as emptying the vorn does.
    vorn_.Unlocked = true;
    for (DataBox* box : boxes_)
        box->setLocked(false);
    applySizeRule();
    {
        const QSignalBlocker block(vornList_);
        vornList_->clear();
        vornList_->addItem(ViewText::CardItem);
        const int entries = std::clamp<int>(vorn_.EntryCount, 0, VornLimits::MaxEntries);
        for (int p = 1; p <= entries; ++p)
            vornList_->addItem(Zeroes(static_cast<qint16>(p), 3));
        vornList_->setCurrentRow(0);
    }
    Organize();
    selectItem(0, true);
    freshList();
    TurnEdit(true);
    vorn_.Modified = false;
    refreshCaption();
}

// --- password -------------------------------------------------------------------------

bool View::passwordAccepted() {
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Hidden);
    if (!answer)
        return false; // dialog closed through its frame: the unlocking is called off
    if (*answer != vorn_.Password) {
        prompts_.message(ViewText::WrongPassword);
        return false;
    }
    return true;
}

void View::onSetPass() {
    if (!vorn_.Unlocked)
        return;
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!answer)
        return; // closed through the frame: the old password stays
    vorn_.Password = *answer;
    vorn_.Modified = true;
}

void View::onAbout() {
    prompts_.message(ViewText::About);
}
