#pragma once

#include "vorn.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QUndoStack;

// Undo and redo of the user's changes to the card and the entries. A step is the vorn as
// it was before and after one command; copies of a vorn share what they did not change, so
// a step costs about what it changed. Undo and redo bring the whole vorn back (values,
// layout, title, password, output order) but leave what is not an edit alone: the name, the
// file, the lock and the window size.
class VornHistory : public QObject {
    Q_OBJECT
public:
    // Shows a vorn brought back, with the entry list on item index.
    using Restorer = std::function<void(const Vorn& vorn, int index)>;
    // The entry list's selected item, to be shown again when a step is undone or redone.
    using Selection = std::function<int()>;

    VornHistory(Vorn& vorn, Selection selection, Restorer restore, QObject* parent);
    ~VornHistory() override;

    // What one command changes becomes one step named name (a noun for «Отменить …»);
    // a command that changes nothing leaves no step. Steps opened inside a step belong to it.
    class Step {
    public:
        Step(VornHistory& history, const QString& name);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        VornHistory& history_;
        QString name_;
        Vorn before_;
        int beforeIndex_ = 0;
    };

    // A change made while showing the vorn, not by the user: never a step of its own.
    class Silent {
    public:
        explicit Silent(VornHistory& history) : history_(history) { ++history_.depth_; }
        ~Silent() { --history_.depth_; }
        Silent(const Silent&) = delete;
        Silent& operator=(const Silent&) = delete;

    private:
        VornHistory& history_;
    };

    // A keystroke's change of box k shown for list item p, already stored, from before.
    // Keystrokes in the same box of the same item make one step until the typing is broken.
    void typed(const Vorn& before, int k, int p);
    // Whether a keystroke now would make a step of its own (no command or showing under way).
    bool listening() const { return depth_ == 0; }
    // Showing another item ends the typing step, even when the same item comes back.
    void breakTyping() { ++typingRun_; }

    // New, Load and import start a history of their own.
    void clear();
    // Locked, nothing can be undone or redone.
    void setLocked(bool locked);

    // Adds «Отменить» and «Повторить» to menu.
    void addActions(QMenu* menu);
    QUndoStack* stack() const { return stack_; }

    // snapshot's card and entries with all that is not an edit taken from now: the name (the
    // picture paths follow it), the file, the lock, the flags and the window size.
    static Vorn withStateOf(const Vorn& snapshot, const Vorn& now);

    // How many steps are kept at least.
    static constexpr int Limit = 200;

private:
    class Command;
    void push(const QString& name, const Vorn& before, int beforeIndex, qint64 mergeKey);
    void updateActions();

    Vorn& vorn_;
    Selection selection_;
    Restorer restore_;
    QUndoStack* stack_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    int depth_ = 0;
    qint64 typingRun_ = 0;
    bool locked_ = false;
};
