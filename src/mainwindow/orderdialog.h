#pragma once

#include "vorn.h"

#include <QDialog>

#include <array>
#include <vector>

class QListWidget;
class QPushButton;

// orderen: lists the boxes' headers in output order. In order mode (GetOrder) the user moves
// one header at a time up or down; in fields mode (GetFields) the user picks several. OK only
// hides the dialog, so the caller reads the result afterwards; closing it any other way
// leaves Accepted false and the caller drops the edit.
class OrderDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrderDialog(QWidget* parent = nullptr);

    // Order mode: the headers of boxes 1..BoxCount in output order, each box once even when
    // the stored order has gaps or repeats; the first one selected. Modal.
    void GetOrder(const Vorn& vorn);
    // Fields mode: the same headers for picking, none picked. Modal. The working order is
    // not touched.
    void GetFields(const Vorn& vorn);

    // The box number in working slot x (1..50) after GetOrder; 0 outside.
    qint16 boxorder(int x) const;
    // The 1-based positions picked in mList, ascending.
    std::vector<int> selectedPositions() const;
    // Gives box boxorder(i) output position i, for i = 1..the box count of the last
    // GetOrder, when vorn still has that many boxes.
    void applyOrder(Vorn& vorn) const;

    bool Accepted = false; // OK was pressed in the current use

    QListWidget* oList = nullptr;
    QListWidget* mList = nullptr;
    std::array<QPushButton*, 2> LiftLow{}; // 0 up, 1 down
    QPushButton* Ok = nullptr;

private:
    void liftLowClicked(int index);
    void okClicked();
    void showPosition(int row);

    std::array<qint16, VornLimits::MaxBoxes> slots_{};
    int orderCount_ = 0;
};
