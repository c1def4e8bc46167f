#include "vornhistory.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QUndoCommand>
#include <QUndoStack>

namespace {
namespace Text {
const QString Undo = QStringLiteral("Отменить");
const QString Redo = QStringLiteral("Повторить");
const QString Typing = QStringLiteral("ввод");
} // namespace Text

// Typing steps merge with the step before them when they have the same key.
constexpr int TypingId = 1;

} // namespace

Vorn VornHistory::withStateOf(const Vorn& snapshot, const Vorn& now) {
    Vorn v = snapshot;
    if (v.VornName != now.VornName)
        v.renamePictures(now.VornName);
    v.VornName = now.VornName;
    v.VornPath = now.VornPath;
    v.StartDir = now.StartDir;
    v.CardWidth = now.CardWidth;
    v.CardHeight = now.CardHeight;
    v.Unlocked = now.Unlocked;
    v.Designing = now.Designing;
    v.Modified = now.Modified;
    return v;
}

class VornHistory::Command : public QUndoCommand {
public:
    Command(VornHistory& history, const QString& name, Vorn before, int beforeIndex, Vorn after,
            int afterIndex, qint64 mergeKey)
        : QUndoCommand(name), history_(history), before_(std::move(before)),
          after_(std::move(after)), beforeIndex_(beforeIndex), afterIndex_(afterIndex),
          mergeKey_(mergeKey) {}

    int id() const override { return mergeKey_ < 0 ? -1 : TypingId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Command*>(other);
        if (next->mergeKey_ != mergeKey_)
            return false;
        after_ = next->after_;
        afterIndex_ = next->afterIndex_;
        return true;
    }
    // Pushed once the command is done: the first redo has nothing left to do.
    void redo() override {
        if (std::exchange(pushed_, false))
            return;
        history_.restore_(after_, afterIndex_);
    }
    void undo() override { history_.restore_(before_, beforeIndex_); }

private:
    VornHistory& history_;
    Vorn before_;
    Vorn after_;
    int beforeIndex_;
    int afterIndex_;
    qint64 mergeKey_; // -1: a step that merges with none
    bool pushed_ = true;
};

VornHistory::VornHistory(Vorn& vorn, Selection selection, Restorer restore, QObject* parent)
    : QObject(parent), vorn_(vorn), selection_(std::move(selection)),
      restore_([this, restore = std::move(restore)](const Vorn& v, int index) {
          const Silent silent(*this);
          restore(v, index);
      }),
      stack_(new QUndoStack(this)) {
    setObjectName(QStringLiteral("VornHistory"));
    stack_->setUndoLimit(Limit);
    connect(stack_, &QUndoStack::indexChanged, this, [this] { updateActions(); });
}

VornHistory::~VornHistory() = default;

VornHistory::Step::Step(VornHistory& history, const QString& name)
    : history_(history), name_(name) {
    if (history_.depth_++ == 0) {
        before_ = history_.vorn_;
        beforeIndex_ = history_.selection_();
    }
}

VornHistory::Step::~Step() {
    if (--history_.depth_ == 0)
        history_.push(name_, before_, beforeIndex_, -1);
}

void VornHistory::typed(const Vorn& before, int k, int p) {
    if (depth_ > 0)
        return; // part of a command's own step, or of showing the vorn
    // Boxes 0..49 and items 0..500 of one typing run give one key.
    const qint64 key = (typingRun_ * (VornLimits::MaxEntries + 1) + p) * VornLimits::MaxBoxes + k;
    push(Text::Typing, before, p, key);
}

void VornHistory::push(const QString& name, const Vorn& before, int beforeIndex, qint64 mergeKey) {
    if (withStateOf(before, vorn_) == vorn_)
        return;
    stack_->push(new Command(*this, name, before, beforeIndex, vorn_, selection_(), mergeKey));
}

void VornHistory::clear() {
    stack_->clear();
    ++typingRun_;
    updateActions();
}

void VornHistory::setLocked(bool locked) {
    locked_ = locked;
    updateActions();
}

void VornHistory::addActions(QMenu* menu) {
    undo_ = menu->addAction(Text::Undo);
    undo_->setObjectName(QStringLiteral("mUndo"));
    undo_->setShortcuts(QKeySequence::Undo); // every key of the platform, as the editors had
    connect(undo_, &QAction::triggered, stack_, &QUndoStack::undo);
    redo_ = menu->addAction(Text::Redo);
    redo_->setObjectName(QStringLiteral("mRedo"));
    // Ctrl+Y as well, where the platform's redo keys do not already hold it.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y); !redoKeys.contains(ctrlY))
        redoKeys.append(ctrlY);
    redo_->setShortcuts(redoKeys);
    connect(redo_, &QAction::triggered, stack_, &QUndoStack::redo);
    updateActions();
}

void VornHistory::updateActions() {
    if (!undo_)
        return;
    const auto caption = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
    };
    undo_->setText(caption(Text::Undo, stack_->undoText()));
    redo_->setText(caption(Text::Redo, stack_->redoText()));
    undo_->setEnabled(!locked_ && stack_->canUndo());
    redo_->setEnabled(!locked_ && stack_->canRedo());
}
