#pragma once

#include "boxlook.h"
#include "fieldboxlayout.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class PictureStore;
class Vorn;

// The window's card area starts here, right of the entry list and under the buttons; a card
// whose size was never taken from the window has the window's smallest size. Twips.
inline constexpr QPointF CardAreaStart{2200, 900};
inline constexpr QSizeF UnsetCardSize{8880, 7725};

// One box of a printed card, laid out as the window lays out its field box.
struct PrintedBox {
    qint16 type = 0; // as the box shows it: a number box is a phrase
    bool title = false;
    QPointF at;                      // the box's top-left corner on the card
    FieldBoxLayout::Result geometry; // header, content, item editor, picture: inside the box
    Lines header;
    Lines lines;     // a phrase's text, a text's whole text wrapped to the box, every list item
    Lines editor;    // the list's item editor, showing the first item
    int rows = 0;    // the items of a list
    QString picture; // the picture file
};

// A card ready to draw, in twips: its heading line above the card, the card itself and its
// boxes at their places.
struct PrintedCard {
    Lines heading;
    QRectF frame;  // the card: the window's card area, widened and lengthened to hold its boxes
    QRectF bounds; // the card with its heading line above it
    std::vector<PrintedBox> boxes;
};

// Lays out the cards of a vorn for paper: entry after entry in list order, or the blank
// card with the default values when there is no entry. Boxes take the window's geometry;
// a text shows its whole text and a list every item, growing taller when they need to and
// pushing the boxes under them down.
class CardLayout {
public:
    CardLayout(const Vorn& vorn, const BoxLook& look, PictureStore& pictures);
    ~CardLayout();

    // The cards a vorn prints as: one per entry, or the blank card alone.
    static int count(const Vorn& vorn);
    int count() const { return count(vorn_); }
    // The card's left and right edges as in the window, before any box grows (boxes grow
    // only downwards). Cheap: no text is wrapped.
    std::pair<double, double> across(int card);
    // The card laid out between left and right (at least its own edges), so that every card
    // of a run can be as wide as the widest.
    PrintedCard layOut(int card, double left, double right);

private:
    struct Slot;
    PrintedBox place(const Slot& slot, const QString& value, bool grow, double* grown);
    QString valueOf(int card, int j) const;
    QString heading(int card) const;

    const Vorn& vorn_;
    const BoxLook& look_;
    PictureStore& pictures_;
    std::vector<Slot> slots_;
    double cardWidth_;
    double cardHeight_;
};
