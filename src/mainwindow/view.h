#pragma once

#include "vorn.h"

#include <QMainWindow>
#include <QPoint>

#include <array>
#include <memory>
#include <optional>

class DataBox;
class OrderDialog;
class Prompts;
class RandomSource;
class QAction;
class QDrag;
class QEvent;
class QMimeData;
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
//   view_reports.cpp  output order, text export, counting
//   view_document.cpp new, save, load, name, exit, and the instructions window
//   view_designer.cpp, view_lists.cpp  the card designer and the list item commands
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
    // Moves box k to (left, top) twips of the client area; boxPosition gives back exactly
    // those twips while the box stays there.
    void placeBox(int k, int left, int top);
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

    // --- output order, export and counting (view_reports.cpp) ---
    void buildReportMenus();
    // Tab stops by box type (none for word and picture boxes) and the boxes chained into
    // the Tab order after Locker in output order.
    void chainTabOrder();
    // orderen, created on first use and then reused.
    OrderDialog* orderDialog();
    void onBoxOrder();
    void onShortList();
    void onLongList();
    void onThisEntry();
    // Asks for the file and writes text to it; the message is shown once the file is
    // complete, a failure is reported instead.
    void exportToFile(const QString& text, const QString& doneMessage);
    bool hasTitleBox() const;
    void onCount();
    void onEmpty();
    void onFull();
    void onStats();
    OrderDialog* orderen_ = nullptr;

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
    QMenu* mVorn_ = nullptr;          // document commands, output order, export
    QAction* outputAnchor_ = nullptr; // separator in front of the output order and export
    QAction* exitAnchor_ = nullptr;   // separator in front of «Выход»
    QMenu* mCounting_ = nullptr;      // counting reports
    QMenu* mHelp_ = nullptr;
    QAction* mAbout_ = nullptr;
    QAction* mReadme_ = nullptr; // the instructions window (view_document.cpp)
    QMenu* mMisk_ = nullptr;     // popup only
    QAction* mFront2_ = nullptr;

    // --- card designer and list commands (view_designer.cpp) ---
    // Adding, dragging, retyping and removing boxes, choosing pictures, the box popups and
    // the list item commands.
public:
    // The popup a right-button release on box k opens, with its marks and items set for
    // that box, and MenuBox = k: the card menu while designing, the list menu for a list
    // box while unlocked, otherwise "Разное". Null when k is not a box of the card.
    QMenu* prepareBoxPopup(int k);

    // Places dragged box k for a drop at a point of the client area (twips): its top-left
    // corner goes to the point less the grab point, not left of the card area or above it,
    // and it stays wholly inside the client area where it fits. Sets Modified.
    void dropBox(int k, QPoint clientTwips);
    // A drop at a point inside box target (twips from its top-left corner).
    void dropBoxOn(int k, int target, QPoint inTargetTwips);
    // The drag that carries box k: its picture, held at the grab point. The caller owns it
    // until exec().
    QDrag* makeBoxDrag(int k);
    // The box a drag of this window carries, if mime comes from one.
    std::optional<int> draggedBox(const QMimeData* mime) const;

    // Where a new box goes on one axis: the whole part of r * (extent - size - start + 1)
    // plus start (twips), with r in [0, 1).
    static int randomPlace(double r, int extent, int size, int start);
    // The number of items "Добавить N элементов" adds for the answer: the decimal number
    // at its start (blanks before it skipped, 0 when there is none), rounded half to even.
    // Nothing when it lies outside 16 bits.
    static std::optional<int> itemCountFrom(const QString& answer);

Q_SIGNALS:
    // A drag of box k is about to start.
    void boxDragStarted(int k);

private:
    class DesignerFilter;
    friend class DesignerFilter;
    struct NewBox;

    void buildDesigner();
    void buildBoxMenus();
    void addBox(const NewBox& kind);
    // ".\" + VornName + "\" + name.
    QString picturePath(const QString& name) const;
    // Box MenuBox when it is on the card, else null; listMenuBox also wants a list box.
    DataBox* menuBox() const;
    DataBox* listMenuBox() const;

    bool designerEvent(QObject* watched, QEvent* event);
    bool cardDragEvent(QEvent* event);
    // Starts dragging box k when the mouse, held with the left button alone while
    // designing, has moved far enough from where it went down (x, y twips in the box).
    bool maybeStartDrag(int k, int button, double x, double y);
    void startBoxDrag(int k);

    void onBoxMouseDown(int k, double x, double y);
    void onBoxDblClick(int k);
    void onTyp(int kind);
    void onPos(int pose);
    void onRenew();
    void onDelBox();

    void onInsertItem();
    void onAddItems();
    void onDelItems();
    void onCopyList();
    void onPasteList();

    // Owned here rather than as a child, so that it goes before the boxes do: their last
    // events must not reach a window that is half destroyed.
    std::unique_ptr<QObject> designerFilterOwner_;
    DesignerFilter* designerFilter_ = nullptr;
    QMenu* mBox_ = nullptr;
    QMenu* mTypes_ = nullptr;
    QMenu* mHead_ = nullptr;
    QMenu* mList_ = nullptr;
    std::array<QAction*, 6> mTyp_{};  // by kind code 0..5
    std::array<QAction*, 13> mPos_{}; // by header position 1..12; 0 unused
    QAction* mFront_ = nullptr;
    QAction* mRenew_ = nullptr;
    QAction* mDelBox_ = nullptr;
};
