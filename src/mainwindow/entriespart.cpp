#include "entriespart.h"

#include "cardboxes.h"
#include "databox.h"
#include "editorstyle.h"
#include "prompts.h"
#include "rowdelegate.h"
#include "viewprocedures.h"
#include "viewtexts.h"
#include "vorn.h"
#include "vornhistory.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

EntriesPart::EntriesPart(QWidget* client, Vorn& vorn, Prompts& prompts, CardBoxes& boxes,
                         VornHistory& history)
    : QObject(client), vorn_(vorn), prompts_(prompts), boxes_(boxes), history_(history) {
    setObjectName(QStringLiteral("EntriesPart"));
    vornList_ = new QListWidget(client);
    vornList_->setObjectName(QStringLiteral("VornList"));
    vornList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one line of text: the list need not measure 500 captions to scroll.
    vornList_->setUniformItemSizes(true);
    EditorStyle::apply(vornList_); // stepping scrolls it: its scroll bar is copied
    vornList_->setItemDelegate(new RowDelegate(vornList_));
    vornList_->addItem(ViewText::CardItem);
    connect(vornList_, &QListWidget::currentRowChanged, this, [this] { onListSelection(); });

    addVorn_ = makeButton(client, "AddVorn", ViewText::AddVorn);
    delVorn_ = makeButton(client, "DelVorn", ViewText::DelVorn);
    lift_ = makeButton(client, "Lift", ViewText::Lift);
    low_ = makeButton(client, "Low", ViewText::Low);
    find_ = makeButton(client, "Find", ViewText::Find);
    next_ = makeButton(client, "Next", ViewText::Next);
    addVorn_->setDefault(true);
    connect(addVorn_, &QPushButton::clicked, this, [this] { onAddVorn(); });
    connect(delVorn_, &QPushButton::clicked, this, [this] { onDelVorn(); });
    connect(lift_, &QPushButton::clicked, this, [this] { move(listIndex(), listIndex() - 1); });
    connect(low_, &QPushButton::clicked, this, [this] { move(listIndex(), listIndex() + 1); });
    connect(find_, &QPushButton::clicked, this, [this] { onFind(); });
    connect(next_, &QPushButton::clicked, this, [this] { onNext(); });
    // The right button on Next counts instead of searching.
    next_->installEventFilter(this);

    connect(&boxes_, &CardBoxes::changed, this, [this](int k) { onBoxChange(k); });
    connect(&boxes_, &CardBoxes::keyDown, this, [this](int k, int key) { onBoxKeyDown(k, key); });
    // Enter adds an entry, except in a text box, where it starts a new line.
    connect(&boxes_, &CardBoxes::gotFocus, this, [this](int k) {
        if (const DataBox* box = boxes_.box(k))
            addVorn_->setDefault(box->BoxType() != BoxKind::Text);
    });
}

void EntriesPart::layOut(const QRect& strip, int rowHeight, int gap) {
    const std::array<std::array<QPushButton*, 2>, 3> rows{
        {{addVorn_, delVorn_}, {lift_, low_}, {find_, next_}}};
    const int columnWidth = (strip.width() - gap) / 2;
    int y = strip.bottom() + 1 - int(rows.size()) * (rowHeight + gap) + gap;
    vornList_->setGeometry(strip.left(), strip.top(), strip.width(),
                           std::max(rowHeight, y - gap - strip.top()));
    for (const auto& row : rows) {
        row[0]->setGeometry(strip.left(), y, columnWidth, rowHeight);
        row[1]->setGeometry(strip.left() + columnWidth + gap, y, columnWidth, rowHeight);
        y += rowHeight + gap;
    }
}

bool EntriesPart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == next_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        countMatches();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- the list -----------------------------------------------------------------------------

int EntriesPart::listIndex() const {
    return std::max(0, vornList_->currentRow());
}

void EntriesPart::selectItem(int index, bool force) {
    const int before = vornList_->currentRow();
    {
        const QSignalBlocker block(vornList_);
        vornList_->setCurrentRow(index);
    }
    if (force || vornList_->currentRow() != before)
        onListSelection();
}

void EntriesPart::rebuildList() {
    const QSignalBlocker block(vornList_);
    vornList_->clear();
    QStringList captions{ViewText::CardItem};
    captions.reserve(vorn_.usedEntries() + 1);
    for (int p = 1; p <= vorn_.usedEntries(); ++p)
        captions << vorn_.entryCaption(p);
    // All rows in one insertion: the list takes in 500 rows once, not 500 times one.
    vornList_->addItems(captions);
    vornList_->setCurrentRow(0);
}

void EntriesPart::onListSelection() {
    history_.breakTyping();
    const int index = listIndex();
    ShowEntry(clampTo16(index)); // reads Designing as it was before this selection
    vorn_.Designing = index == 0 && vorn_.Unlocked;
}

void EntriesPart::ShowEntry(qint16 n) {
    if (n > vorn_.EntryCount)
        return;
    {
        // What showing stores changes nothing the user did.
        const VornHistory::Silent silent(history_);
        boxes_.showValues(vorn_, n);
    }
    // Going from entry to entry puts the cursor into the title box; coming from the
    // card (Designing still true) leaves the focus where it is.
    if (n >= 1 && vorn_.hasTitle() && vorn_.Unlocked && !vorn_.Designing) {
        if (DataBox* title = boxes_.box(vorn_.TitleBox - 1)) {
            QWidget* editor = title->focusWidgetForTab();
            (editor ? editor : title)->setFocus(Qt::OtherFocusReason);
        }
    }
}

void EntriesPart::freshList() {
    const int last = std::min<int>(vorn_.EntryCount, vornList_->count() - 1);
    for (int p = 1; p <= last; ++p)
        vornList_->item(p)->setText(vorn_.entryCaption(p));
}

// --- entry commands -------------------------------------------------------------------------

void EntriesPart::onAddVorn() {
    if (!vorn_.Unlocked)
        return;
    const VornHistory::Step step(history_, StepText::AddEntry);
    const std::optional<int> p = vorn_.insertEntryAfter(listIndex());
    if (!p) {
        prompts_.message(ViewText::VornFull.arg(VornLimits::MaxEntries));
        return;
    }
    {
        const QSignalBlocker block(vornList_);
        vornList_->insertItem(*p, Zeroes(qint16(*p), 3));
    }
    freshList();
    selectItem(*p, true);
}

void EntriesPart::onDelVorn() {
    const int c = listIndex();
    const VornHistory::Step step(history_, StepText::RemoveEntry);
    if (!vorn_.Unlocked || c < 1 || !vorn_.removeEntry(c))
        return;
    {
        const QSignalBlocker block(vornList_);
        delete vornList_->takeItem(c);
    }
    freshList();
    // The entry that moved up into the gap, else the new last one, else the card.
    selectItem(std::min<int>(c, vorn_.EntryCount), true);
}

// Lift and Low: the entry at from changes places with its neighbour at to.
void EntriesPart::move(int from, int to) {
    const VornHistory::Step step(history_, StepText::MoveEntry);
    if (!vorn_.Unlocked || from < 1 || to < 1 || !vorn_.swapEntries(from, to))
        return;
    freshList();
    selectItem(to);
}

void EntriesPart::onFind() {
    const std::optional<QString> phrase = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!phrase)
        return; // closed through the frame: no search
    searchPhrase_ = *phrase;
    onNext();
}

void EntriesPart::onNext() {
    if (const std::optional<int> hit = vorn_.findNext(listIndex(), searchPhrase_))
        selectItem(*hit);
    else
        prompts_.beep();
}

void EntriesPart::countMatches() {
    const int found = vorn_.countMatches(searchPhrase_);
    prompts_.message(ViewText::FoundPrefix + QLatin1Char(' ') + QString::number(found) +
                     ViewText::FoundSuffix);
}

// --- box events -----------------------------------------------------------------------------

// Every change of a box's value goes into the selected entry, or into the card's default
// value while the card item is selected.
void EntriesPart::onBoxChange(int k) {
    const int p = listIndex();
    const DataBox* box = boxes_.box(k);
    if (!box)
        return;
    if (!history_.listening()) {
        vorn_.storeValue(p, k + 1, box->Data());
    } else {
        const Vorn before = vorn_;
        if (!vorn_.storeValue(p, k + 1, box->Data()))
            return;
        history_.typed(before, k, p);
    }
    // The entry's name in the list follows every keystroke in the title box.
    if (p > 0 && k + 1 == vorn_.TitleBox)
        if (QListWidgetItem* item = vornList_->item(p))
            item->setText(vorn_.entryCaption(p));
}

void EntriesPart::onBoxKeyDown(int k, int keyCode) {
    if (k + 1 != vorn_.TitleBox)
        return;
    const int p = listIndex();
    if (keyCode == Qt::Key_Up && p > 0)
        selectItem(p - 1);
    else if (keyCode == Qt::Key_Down && p < vorn_.EntryCount)
        selectItem(p + 1);
}
