#pragma once

#include "viewprocedures.h"
#include "vorn.h"

#include <QMainWindow>

#include <memory>

class CardBoxes;
class DataBox;
class DesignerPart;
class DocumentPart;
class EntriesPart;
class LockPart;
class Prompts;
class RandomSource;
class ReportsPart;
class VornHistory;
class QMenu;

// The main window: owns the vorn and the 50 field boxes and wires its parts, each of which
// owns its controls, menu items and handlers:
//   EntriesPart   the entry list, the commands on entries, storing what is typed
//   DesignerPart  the card designer, box dragging and the list item commands
//   DocumentPart  new, save, save as, load, name, exit, the instructions window
//   ReportsPart   output order, text export, counting
//   PrintPart     printing the cards and saving them as a PDF
//   LockPart      locking and the password
// The window itself keeps the named procedures that show the vorn and switch the modes.
class View : public QMainWindow, private ViewProcedures {
    Q_OBJECT
public:
    // Every question goes through prompts; random numbers place new boxes.
    View(Prompts& prompts, RandomSource& random, QWidget* parent = nullptr);
    ~View() override;

    const Vorn& vorn() const { return vorn_; }
    // Box(i) for i = 0..49 (box number j is Box(j - 1)); nullptr outside.
    DataBox* Box(int i) const;

    void Reset() override;
    bool TurnEdit(bool locked) override;
    void GetFormat() override;
    void Organize() override;
    // Writes entry n (1..EntryCount) or, for n <= 0, the card's default values into the boxes.
    void ShowEntry(qint16 n);
    void freshList() override;
    // Takes a vorn that was read from a file: shows its card, its entries and its layout
    // and leaves the window locked without asking for a password; Modified is false.
    void adoptVorn(Vorn loaded) override;
    // Takes a vorn built from a table, which no file holds yet: shown as adoptVorn shows it,
    // but unlocked and Modified.
    void adoptImported(Vorn built) override;

    // Reads the vorn file at path as the Load command does, without its question and
    // dialog (a file named on the command line). On failure the user is told why and the
    // open vorn stays exactly as it was; returns whether the file was read.
    bool loadVornFile(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing the window is leaving the program: the unsaved-changes question first.
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshCaption() override;
    void chainTabOrder() override;
    int listIndex() const override;
    QSize windowTwips() const override;

    void buildMenus();
    // Shows a vorn that undo or redo brought back, with list item index selected.
    void restore(const Vorn& snapshot, int index);
    void layoutControls();
    // Minimum size while unlocked, fixed CardWidth x CardHeight while locked.
    void applySizeRule();

    Prompts& prompts_;
    Vorn vorn_;

    QWidget* client_ = nullptr; // the central widget: the window's client area
    CardBoxes* boxes_ = nullptr;
    VornHistory* history_ = nullptr;
    EntriesPart* entries_ = nullptr;
    DesignerPart* designer_ = nullptr;
    LockPart* lock_ = nullptr;
    DocumentPart* document_ = nullptr;
    ReportsPart* reports_ = nullptr;
    QMenu* mVorn_ = nullptr;
};
