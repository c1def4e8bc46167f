#pragma once

#include "vorn.h"

#include <QMainWindow>
#include <QPoint>

#include <array>

class DataBox;
class Prompts;
class RandomSource;
class QAction;
class QCloseEvent;
class ReadmeWindow;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

// The main window: owns the vorn and the 50 field boxes, switches between locked and
// unlocked and between designing the card and filling in entries, and carries the
// menus and buttons. Handlers are spread over several sources by area:
//   view.cpp          construction, layout, modes, password, About
//   view_entries.cpp  the entry list and the commands on entries, storing box values
//   view_document.cpp new, save, load, name, exit, and the instructions window
class View : public QMainWindow {
    Q_OBJECT
public:
    // Every question goes through prompts; random numbers place new boxes.
    View(Prompts& prompts, RandomSource& random, QWidget* parent = nullptr);
    ~View() override;

    // --- the document and the boxes -----------------------------------------------------
    Vorn& vorn() { return vorn_; }
    const Vorn& vorn() const { return vorn_; }
    // Box(i) for i = 0..49 (box number j is Box(j - 1)); nullptr outside.
    DataBox* Box(int i) const;
    // Moves box k to (left, top) twips of the client area and remembers the exact twips:
    // a box itself keeps whole pixels only, and the layout must come back exactly.
    void placeBox(int k, int left, int top);
    // Where box k stands in twips: the remembered position while the box is still where
    // placeBox put it, else its pixel position in twips.
    QPoint boxPosition(int k) const;

    // --- procedures shared with the document, designer and report commands -----------
    // Empties the vorn and shows the empty card, unlocked.
    void Reset();
    // Locks (true) or unlocks (false); unlocking asks for the password when there is
    // one. Returns whether the window is now in the asked mode.
    bool TurnEdit(bool locked);
    // Layout of the boxes -> descriptors, window size -> CardWidth/CardHeight.
    void GetFormat();
    // Descriptors -> boxes, CardWidth/CardHeight -> window, tab order.
    void Organize();
    // Writes entry n (1..EntryCount) or, for n <= 0, the card's default values into the
    // boxes; moves the focus to the title box when going from entry to entry.
    void ShowEntry(qint16 n);
    // Rewrites the captions of the entry list items 1..EntryCount.
    void freshList();
    // Makes box k (0-based) the title box (the "Заглавный" command of both popups).
    void makeTitle(int k);
    // Takes a vorn that was read from a file: shows its card, its entries and its layout
    // and leaves the window locked without asking for a password; Modified is false.
    void adoptVorn(Vorn loaded);
    // Sets the window caption from VornName.
    void refreshCaption();

    // The selected item of the entry list: 0 = the card, p >= 1 = the entry at p.
    int listIndex() const;

    // --- document commands (view_document.cpp) ---
    // Reads the vorn file at path as the Load command does, without its question and
    // dialog (a file named on the command line). On failure the user is told why and the
    // open vorn stays exactly as it was; returns whether the file was read.
    bool loadVornFile(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // --- document commands (view_document.cpp) ---
    // Closing the window is leaving the program: the unsaved-changes question first.
    void closeEvent(QCloseEvent* event) override;

private:
    // --- document commands (view_document.cpp) ---
    // Puts New .. Naming in front of outputAnchor_ and Exit at the end of the «Ворн» menu,
    // and gives the hidden «Readme .txt» item its action.
    void buildDocumentMenu();
    // "Ворн был изменён. Сохранить?" when there are unsaved changes; false on Cancel.
    bool changesSettled();
    void onNew();
    void onSave();
    void onSaveAs();
    void onLoad();
    // The naming question; false (and nothing changed) when the dialog was closed.
    bool askVornName();
    void onExit();
    void onReadme();
    // GetFormat and the write; Modified cleared on success, the reason shown on failure.
    bool writeVornFile(const QString& path);

    QAction* mNew_ = nullptr;
    QAction* mSave_ = nullptr;
    QAction* mSaveAs_ = nullptr;
    QAction* mLoad_ = nullptr;
    QAction* mNaming_ = nullptr;
    QAction* mExit_ = nullptr;
    ReadmeWindow* readme_ = nullptr; // created on first use, kept while the window lives

    // --- construction (view.cpp) ------------------------------------------------------
    void buildControls();
    void buildMenus();
    void connectBox(int k);
    void layoutControls();
    // Minimum size while unlocked, fixed CardWidth x CardHeight while locked.
    void applySizeRule();
    bool passwordAccepted();
    void onSetPass();
    void onAbout();

    // --- entry list and entry commands (view_entries.cpp) -----------------------------
    // Changes the selection without the list's own signal, then runs the selection
    // path when the index changed or force is set.
    void selectItem(int index, bool force = false);
    void onListSelection();
    void showValues(int n);
    void onAddVorn();
    void onDelVorn();
    void onLift();
    void onLow();
    void onFind();
    void onNext();
    void countMatches();
    void onBoxChange(int k);
    void onBoxKeyDown(int k, int keyCode);
    void onBoxGotFocus(int k);
    void onBoxMouseUp(int k, int button);
    // Decides which popup a right-button release on box k opens. The designer's card
    // menu and the list menu plug in here; otherwise the "Разное" popup opens.
    void openBoxPopup(int k);

    // --- state -----------------------------------------------------------------------
    Prompts& prompts_;
    RandomSource& random_;
    Vorn vorn_;
    // Set while Organize rebuilds the boxes, so that their change reports are not
    // stored into whatever entry happens to be selected.
    bool suppressStore_ = false;

    // --- controls --------------------------------------------------------------------
    QWidget* client_ = nullptr; // the central widget: the window's client area
    QWidget* card_ = nullptr;   // covers the client area; parent of the boxes
    std::array<DataBox*, VornLimits::MaxBoxes> boxes_{};
    std::array<QPoint, VornLimits::MaxBoxes> placed_{}; // twips given to placeBox

    QListWidget* vornList_ = nullptr;
    QPushButton* addVorn_ = nullptr;
    QPushButton* delVorn_ = nullptr;
    QPushButton* lift_ = nullptr;
    QPushButton* low_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* next_ = nullptr;

    QPushButton* addList_ = nullptr;
    QPushButton* addText_ = nullptr;
    QPushButton* addFrase_ = nullptr;
    QPushButton* addPic_ = nullptr;
    QPushButton* addNum_ = nullptr;
    QLineEdit* headNam_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* setPass_ = nullptr;
    QPushButton* locker_ = nullptr;

    // --- menus -----------------------------------------------------------------------
    QMenu* mVorn_ = nullptr;     // document commands, output order, export
    QAction* outputAnchor_ = nullptr; // separator in front of the output order and export
    QAction* exitAnchor_ = nullptr;   // separator in front of «Выход»
    QMenu* mCounting_ = nullptr; // counting reports
    QMenu* mHelp_ = nullptr;
    QAction* mAbout_ = nullptr;
    QAction* mReadme_ = nullptr; // the instructions window (view_document.cpp)
    QMenu* mMisk_ = nullptr;     // popup only
    QAction* mFront2_ = nullptr;
};
