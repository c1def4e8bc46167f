#include "view.h"

#include "cardboxes.h"
#include "databox.h"
#include "designerpart.h"
#include "documentpart.h"
#include "entriespart.h"
#include "lockpart.h"
#include "printpart.h"
#include "prompts.h"
#include "reportspart.h"
#include "twips.h"
#include "viewtexts.h"
#include "vornhistory.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

namespace {
// The smallest window while unlocked, in twips.
constexpr int MinWidthTwips = VornLimits::DefaultCardWidth;
constexpr int MinHeightTwips = VornLimits::DefaultCardHeight;

QSize pixelsOf(int widthTwips, int heightTwips) {
    return {Twips::toPixels(widthTwips), Twips::toPixels(heightTwips)};
}
} // namespace

View::View(Prompts& prompts, RandomSource& random, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("View"));
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);

    // The card goes first so that every other control lies above it; the creation order of
    // the rest is the Tab order of the fixed controls, and the boxes follow Locker.
    boxes_ = new CardBoxes(client_);
    history_ = new VornHistory(
        vorn_, [this] { return listIndex(); },
        [this](const Vorn& snapshot, int index) { restore(snapshot, index); }, client_);
    ViewProcedures& procedures = *this;
    entries_ = new EntriesPart(client_, vorn_, prompts, *boxes_, *history_);
    designer_ = new DesignerPart(client_, vorn_, prompts, random, *boxes_, *history_, procedures);
    lock_ = new LockPart(client_, vorn_, prompts, *history_, procedures);
    buildMenus();

    // Start-up: Vorn() already holds the identity output order, the name "New", an empty
    // card, Unlocked and Designing; CardWidth/CardHeight stay 0 until GetFormat.
    vorn_.StartDir = QDir::currentPath();
    boxes_->setPictureBase(vorn_.StartDir);
    {
        const CardBoxes::Quiet quiet(*boxes_); // showing the empty card changes nothing
        entries_->selectItem(0, true);
    }
    refreshCaption();

    resize(pixelsOf(MinWidthTwips, MinHeightTwips));
    applySizeRule();
}

// The controls go first, while the vorn they work on is still there.
View::~View() {
    delete takeCentralWidget();
}

DataBox* View::Box(int i) const {
    return boxes_->box(i);
}

void View::buildMenus() {
    // «Ворн»: the document commands, the output order and the export, printing, and «Выход».
    mVorn_ = menuBar()->addMenu(ViewText::MenuVorn);
    mVorn_->setObjectName(QStringLiteral("mVorn"));
    QAction* outputAnchor = mVorn_->addSeparator();
    QAction* exitAnchor = mVorn_->addSeparator();

    QMenu* edit = menuBar()->addMenu(ViewText::MenuEdit);
    edit->setObjectName(QStringLiteral("mEdit"));
    history_->addActions(edit);

    QMenu* counting = menuBar()->addMenu(ViewText::MenuCounting);
    counting->setObjectName(QStringLiteral("mCounting"));
    reports_ =
        new ReportsPart(this, mVorn_, exitAnchor, counting, vorn_, prompts_, *history_, *this);
    connect(reports_, &ReportsPart::orderChanged, this, [this] { chainTabOrder(); });
    new PrintPart(this, mVorn_, exitAnchor, vorn_, prompts_, *this);

    QMenu* help = menuBar()->addMenu(ViewText::MenuHelp);
    help->setObjectName(QStringLiteral("mHelp"));
    QAction* about = help->addAction(ViewText::MenuAbout);
    about->setObjectName(QStringLiteral("mAbout"));
    connect(about, &QAction::triggered, this, [this] { prompts_.message(ViewText::About); });
    QAction* readme = help->addAction(ViewText::MenuReadme);
    readme->setObjectName(QStringLiteral("mReadme"));
    document_ =
        new DocumentPart(this, mVorn_, outputAnchor, readme, vorn_, prompts_, *boxes_, *this);
}

// The entry list and its buttons fill the strip left of the card area, the design
// controls the strip above it; the card covers the whole client area underneath, so
// that box positions are client coordinates.
void View::layoutControls() {
    const int width = client_->width();
    const int height = client_->height();
    boxes_->card()->setGeometry(0, 0, width, height);

    const int stripWidth = Twips::toPixels(VornLimits::CardAreaLeft);
    const int stripHeight = Twips::toPixels(VornLimits::CardAreaTop);
    constexpr int margin = 4;
    constexpr int gap = 4;
    const int rowHeight = (stripHeight - 2 * margin - gap) / 2;

    const QRect addRow(margin, margin, width - 2 * margin, rowHeight);
    const QRect rowTwo(margin, margin + rowHeight + gap, width - 2 * margin, rowHeight);
    const int lockLeft = lock_->layOut(rowTwo, gap);
    designer_->layOut(addRow, rowTwo.adjusted(0, 0, lockLeft - 2 * gap - rowTwo.right() - 1, 0),
                      gap);
    entries_->layOut(
        QRect(margin, stripHeight, stripWidth - 2 * margin, height - margin - stripHeight),
        rowHeight, gap);
}

bool View::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        layoutControls();
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
        if (QPushButton* add = entries_->defaultButton(); add->isDefault()) {
            add->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void View::closeEvent(QCloseEvent* event) {
    if (document_->changesSettled())
        event->accept();
    else
        event->ignore();
}

bool View::loadVornFile(const QString& path) {
    return document_->loadVornFile(path);
}

// --- modes ----------------------------------------------------------------------------------

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

int View::listIndex() const {
    return entries_->listIndex();
}

QSize View::windowTwips() const {
    return {Twips::fromPixels(width()), Twips::fromPixels(height())};
}

void View::chainTabOrder() {
    boxes_->chainTabOrder(vorn_, lock_->lastControl());
}

// --- the named procedures -------------------------------------------------------------------

void View::Reset() {
    history_->clear();
    vorn_.reset();
    boxes_->setLocked(VornLimits::MaxBoxes, false);
    Organize();
    TurnEdit(false);
    entries_->rebuildList();
    entries_->selectItem(0, true); // an emptied vorn has no box to store into
}

bool View::TurnEdit(bool locked) {
    if (!locked && !vorn_.Password.isEmpty() && !lock_->passwordAccepted())
        return false;
    designer_->setEditable(!locked);
    history_->setLocked(locked);
    lock_->setEditable(!locked);
    boxes_->setLocked(vorn_.usedBoxes(), locked);
    GetFormat();
    vorn_.Unlocked = !locked;
    vorn_.Designing = listIndex() == 0 && !locked;
    applySizeRule();
    return true;
}

// The layout lives in the vorn; only the window's size can differ on screen from it.
void View::GetFormat() {
    const QSize size = windowTwips();
    vorn_.CardWidth = clampTo16(size.width());
    vorn_.CardHeight = clampTo16(size.height());
}

void View::Organize() {
    // Locked, the window keeps the stored size; unlocked, the minimum still applies.
    applySizeRule();
    resize(pixelsOf(vorn_.CardWidth, vorn_.CardHeight));
    // Rendering writes the card's default values into the boxes without storing them.
    boxes_->renderAll(vorn_);
    chainTabOrder();
    // Then what the selection shows goes back in, and is stored as every display is.
    if (listIndex() <= vorn_.EntryCount)
        boxes_->showValues(vorn_, listIndex());
}

void View::ShowEntry(qint16 n) {
    entries_->ShowEntry(n);
}

void View::freshList() {
    entries_->freshList();
}

void View::adoptVorn(Vorn loaded) {
    // What lives for the whole run stays with the window, not with the file.
    loaded.StartDir = vorn_.StartDir;
    history_->clear();
    vorn_ = std::move(loaded);

    // Loading starts from an unlocked window, as emptying the vorn does.
    vorn_.Unlocked = true;
    boxes_->setLocked(VornLimits::MaxBoxes, false);
    applySizeRule();
    {
        // What showing the new vorn stores back is part of it, not a step after it.
        const VornHistory::Silent silent(*history_);
        entries_->rebuildList();
        Organize();
        entries_->selectItem(0, true);
    }
    // A box shows header position 0 as position 1, and a loaded layout has always been taken
    // back from the boxes as they show it.
    for (int j = 1; j <= vorn_.usedBoxes(); ++j) {
        if (BoxDescriptor d = vorn_.descriptor(j); d.HeadPose == 0) {
            d.HeadPose = BoxKind::FirstHeadPose;
            vorn_.setDescriptor(j, d);
        }
    }
    TurnEdit(true);
    // Showing the card stored its values back; a vorn just read is still what its file holds.
    vorn_.Modified = false;
    refreshCaption();
}

void View::adoptImported(Vorn built) {
    adoptVorn(std::move(built));
    // A table brings no password, so unlocking asks nothing.
    TurnEdit(false);
    vorn_.Modified = true;
}

void View::restore(const Vorn& snapshot, int index) {
    GetFormat();
    vorn_ = VornHistory::withStateOf(snapshot, vorn_);
    vorn_.Modified = true; // undoing is a change of the vorn as much as doing

    entries_->rebuildList();
    entries_->selectItem(std::clamp(index, 0, vorn_.usedEntries()));
    vorn_.Designing = listIndex() == 0 && vorn_.Unlocked;
    // The boxes show the item that the step was about; nothing of that is stored back.
    Organize();
}
