// The entry list and the commands on entries: selecting, adding, removing, moving,
// searching, counting, the title box, and storing what is typed into the boxes.
#include "view.h"

#include "databox.h"
#include "prompts.h"
#include "viewtexts.h"

#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {
int clampedCount(qint16 count, int limit) {
    return std::clamp<int>(count, 0, limit);
}

// Mouse button codes of the box events.
constexpr int RightButton = 2;
} // namespace

int View::listIndex() const {
    return std::max(0, vornList_->currentRow());
}

// --- selection ------------------------------------------------------------------------

void View::selectItem(int index, bool force) {
    const int before = vornList_->currentRow();
    {
        const QSignalBlocker block(vornList_);
        vornList_->setCurrentRow(index);
    }
    if (force || vornList_->currentRow() != before)
        onListSelection();
}

void View::onListSelection() {
    const int index = listIndex();
    ShowEntry(clampTo16(index)); // reads Designing as it was before this selection
    vorn_.Designing = index == 0 && vorn_.Unlocked;
}

void View::showValues(int n) {
    const int boxes = clampedCount(vorn_.BoxCount, VornLimits::MaxBoxes);
    if (n > vorn_.EntryCount)
        return;
    for (int j = 1; j <= boxes; ++j) {
        DataBox* box = boxes_[static_cast<size_t>(j - 1)];
        box->setData(n <= 0 ? vorn_.descriptor(j).DefaultValue : vorn_.value(n, j));
    }
}

void View::ShowEntry(qint16 n) {
    showValues(n);
    // Going from entry to entry puts the cursor into the title box; coming from the
    // card (Designing still true) leaves the focus where it is.
    if (n >= 1 && vorn_.TitleBox != VornLimits::NoTitle && vorn_.Unlocked && !vorn_.Designing &&
        vorn_.TitleBox <= vorn_.BoxCount) {
        if (DataBox* title = Box(vorn_.TitleBox - 1)) {
            QWidget* editor = title->focusWidgetForTab();
            (editor ? editor : title)->setFocus(Qt::OtherFocusReason);
        }
    }
}

void View::freshList() {
    const int last = std::min<int>(vorn_.EntryCount, vornList_->count() - 1);
    for (int p = 1; p <= last; ++p)
        vornList_->item(p)->setText(vorn_.entryCaption(p));
}

// --- entry commands -------------------------------------------------------------------

void View::onAddVorn() {
    if (!vorn_.Unlocked)
        return;
    const std::optional<int> p = vorn_.EntryCount < VornLimits::MaxEntries
                                     ? vorn_.insertEntryAfter(listIndex())
                                     : std::nullopt;
    if (!p) {
        prompts_.message(ViewText::VornFull.arg(VornLimits::MaxEntries));
        return;
    }
    {
        const QSignalBlocker block(vornList_);
        vornList_->insertItem(*p, Zeroes(static_cast<qint16>(*p), 3));
    }
    freshList();
    selectItem(*p, true);
    vorn_.Modified = true;
}

void View::onDelVorn() {
    const int c = listIndex();
    if (!vorn_.Unlocked || c < 1 || c > vorn_.EntryCount || !vorn_.removeEntry(c))
        return;
    {
        const QSignalBlocker block(vornList_);
        delete vornList_->takeItem(c);
    }
    freshList();
    // The entry that moved up into the gap, else the new last one, else the card.
    selectItem(std::min<int>(c, vorn_.EntryCount), true);
    vorn_.Modified = true;
}

void View::onLift() {
    const int p = listIndex();
    if (!vorn_.Unlocked || p < 2 || p > vorn_.EntryCount || !vorn_.swapEntries(p - 1, p))
        return;
    freshList();
    selectItem(p - 1);
    vorn_.Modified = true;
}

void View::onLow() {
    const int p = listIndex();
    if (!vorn_.Unlocked || p < 1 || p >= vorn_.EntryCount || !vorn_.swapEntries(p, p + 1))
        return;
    freshList();
    selectItem(p + 1);
    vorn_.Modified = true;
}

void View::onFind() {
    const std::optional<QString> phrase = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!phrase)
        return; // closed through the frame: no search
    vorn_.SearchPhrase = *phrase;
    onNext();
}

void View::onNext() {
    if (const std::optional<int> hit = vorn_.findNext(listIndex(), vorn_.SearchPhrase))
        selectItem(*hit);
    else
        prompts_.beep();
}

void View::countMatches() {
    const int found = vorn_.countMatches(vorn_.SearchPhrase);
    prompts_.message(ViewText::FoundPrefix + QLatin1Char(' ') + QString::number(found) +
                     ViewText::FoundSuffix);
}

void View::makeTitle(int k) {
    if (k < 0 || k >= clampedCount(vorn_.BoxCount, VornLimits::MaxBoxes))
        return;
    if (DataBox* old = Box(vorn_.TitleBox - 1); old && vorn_.TitleBox != VornLimits::NoTitle)
        old->setHeaderBold(false);
    vorn_.TitleBox = static_cast<qint16>(k + 1);
    boxes_[static_cast<size_t>(k)]->setHeaderBold(true);
    freshList();
    vorn_.Modified = true;
}

// --- box events -----------------------------------------------------------------------

// Every change of a box's value goes into the selected entry, or into the card's default
// value while the card item is selected. Boxes outside the card are not stored.
void View::onBoxChange(int k) {
    if (suppressStore_ || k < 0 || k >= clampedCount(vorn_.BoxCount, VornLimits::MaxBoxes))
        return;
    const QString data = boxes_[static_cast<size_t>(k)]->Data();
    const int p = listIndex();
    if (p == 0) {
        vorn_.descriptor(k + 1).DefaultValue = data;
    } else if (p <= vorn_.EntryCount) {
        vorn_.setValue(p, k + 1, data);
        // The entry's name in the list follows every keystroke in the title box.
        if (k + 1 == vorn_.TitleBox)
            if (QListWidgetItem* item = vornList_->item(p))
                item->setText(vorn_.entryCaption(p));
    }
    vorn_.Modified = true;
}

void View::onBoxKeyDown(int k, int keyCode) {
    if (k + 1 != vorn_.TitleBox)
        return;
    const int p = listIndex();
    if (keyCode == Qt::Key_Up && p > 0)
        selectItem(p - 1);
    else if (keyCode == Qt::Key_Down && p < vorn_.EntryCount)
        selectItem(p + 1);
}

// Enter adds an entry, except in a text box, where it starts a new line.
void View::onBoxGotFocus(int k) {
    if (const DataBox* box = Box(k))
        addVorn_->setDefault(box->BoxType() != BoxKind::Text);
}

void View::onBoxMouseUp(int k, int button) {
    if (button == RightButton)
        openBoxPopup(k);
}

void View::openBoxPopup(int k) {
    // The card menu while designing, the list menu for a list box while unlocked,
    // otherwise "Разное" (view_designer.cpp decides and sets MenuBox).
    if (QMenu* menu = prepareBoxPopup(k))
        menu->popup(QCursor::pos());
}
