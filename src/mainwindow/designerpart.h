#pragma once

#include <QObject>
#include <QRect>

#include <array>

class BoxDragger;
class CardBoxes;
class DataBox;
class ListCommands;
class Prompts;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;
class RandomSource;
class Vorn;
class VornHistory;
class ViewProcedures;
struct BoxDescriptor;

// The card designer: the add buttons and the header line, the box popups with retyping,
// header positions, renaming, the title and removal, choosing a picture by double-click, and
// (through BoxDragger and ListCommands) dragging boxes and the list item commands.
class DesignerPart : public QObject {
    Q_OBJECT
public:
    DesignerPart(QWidget* client, Vorn& vorn, Prompts& prompts, RandomSource& random,
                 CardBoxes& boxes, VornHistory& history, ViewProcedures& view);

    // The add buttons and the header line work only while the vorn may be changed.
    void setEditable(bool editable);
    // The add buttons along addRow, the header line in headerRow.
    void layOut(const QRect& addRow, const QRect& headerRow, int gap);

    // The popup a right-button release on box k opens, with its marks and items set for
    // that box: the card menu while designing, the list menu for a list box while unlocked,
    // otherwise «Разное». Null when k is not a box of the card.
    QMenu* prepareBoxPopup(int k);

    // Where a new box goes on one axis: the whole part of r * (extent - size - start + 1)
    // plus start (twips), with r in [0, 1).
    static int randomPlace(double r, int extent, int size, int start);

private:
    void buildBoxMenus();
    void addBox(const BoxDescriptor& box, QSize room);
    void storeRendered(int j);
    // Box menuBox_ when it is on the card, else null.
    DataBox* menuBox() const;
    void makeTitle(int k);
    void onTyp(int kind);
    void onPos(int pose);
    void onRenew();
    void onDelBox();
    void onDblClick(int k);

    Vorn& vorn_;
    Prompts& prompts_;
    RandomSource& random_;
    CardBoxes& boxes_;
    VornHistory& history_;
    ViewProcedures& view_;
    int menuBox_ = 0; // the box whose popup was opened last
    BoxDragger* dragger_ = nullptr;
    ListCommands* listCommands_ = nullptr;

    std::array<QPushButton*, 5> adders_{};
    QLineEdit* headNam_ = nullptr;
    QLabel* label2_ = nullptr;
    QMenu* mBox_ = nullptr;
    QMenu* mList_ = nullptr;
    QMenu* mMisk_ = nullptr;
    std::array<QAction*, 6> mTyp_{};  // by kind code 0..5
    std::array<QAction*, 13> mPos_{}; // by header position 1..12; 0 unused
    QAction* mFront_ = nullptr;
};
