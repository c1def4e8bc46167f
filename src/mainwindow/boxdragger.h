#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>

#include <optional>

class CardBoxes;
class DataBox;
class QDrag;
class QMimeData;
class QWidget;
class Vorn;
class VornHistory;

// Dragging boxes over the card while designing: the grab point taken when the mouse goes
// down, the drag that carries the box's picture, and the drop that gives the box its new
// place in the vorn.
class BoxDragger : public QObject {
    Q_OBJECT
public:
    BoxDragger(Vorn& vorn, CardBoxes& boxes, VornHistory& history);

    // Where the mouse went down in box k (twips from its corner): the point it is held at.
    void grab(int k, double x, double y);
    // Starts dragging box k when the mouse, held with the left button alone while
    // designing, has moved far enough from the grab point (x, y twips in the box).
    bool maybeStartDrag(int k, int button, double x, double y);

    // Places dragged box k for a drop at a point of the client area (twips): its top-left
    // corner goes to the point less the grab point, not left of the card area or above it,
    // and it stays wholly inside the client area where it fits.
    void dropBox(int k, QPoint clientTwips);
    // A drop at a point inside box target (twips from its top-left corner).
    void dropBoxOn(int k, int target, QPoint inTargetTwips);
    // The drag that carries box k, held at the grab point; the caller owns it until exec().
    QDrag* makeBoxDrag(int k);
    // The box a drag of this window carries, if mime comes from one.
    std::optional<int> draggedBox(const QMimeData* mime) const;

Q_SIGNALS:
    // A drag of box k is about to start.
    void dragStarted(int k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool cardDragEvent(QEvent* event);
    void watchBox(int k, DataBox* box);
    void watch(QWidget* widget, int k);

    Vorn& vorn_;
    CardBoxes& boxes_;
    VornHistory& history_;
    QPoint grab_;                // twips, as the mouse went down
    QHash<QObject*, int> owner_; // the box each watched part belongs to
};
