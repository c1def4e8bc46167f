#pragma once

#include "vorn.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

class DataBox;
class QWidget;

// The 50 field boxes on the card widget, which covers the window's client area so that box
// positions are client coordinates. The boxes show the vorn: render() puts a descriptor on
// its box. Their events come out as signals carrying the box index k (0-based; box number j
// is k + 1).
//
// A new window shows no box, and making 50 of them is most of the start-up, so a box is made
// when it is first asked for, and the rest right after the window is first painted. Nothing
// can tell: every box is reached through box(k) (and View::Box), which makes it if need be;
// a box made late is put among the others where it would have been, under every box with a
// higher index; an accessibility client that walks the card makes the rest before it is
// answered; and an unused box shows nothing, so it does not matter when it is made.
class CardBoxes : public QObject {
    Q_OBJECT
public:
    explicit CardBoxes(QWidget* client);
    ~CardBoxes() override;

    QWidget* card() const { return card_; }
    // Box(k) for k = 0..49, made now if it was not yet; nullptr outside.
    DataBox* box(int k) const;
    // Box k if it has been made, else nullptr; for what watches the boxes as they come.
    DataBox* madeBox(int k) const;
    // Makes every box not made yet.
    void makeAll() const;
    // The index of box, or -1 when it is not one of these.
    int indexOf(const DataBox* box) const;
    // Folder against which the boxes resolve relative picture paths.
    void setPictureBase(const QString& folder);

    // Box j shows descriptor j of vorn: kind, header, default value, header position, place,
    // bold header for the title box, Tab stop by kind. Its change report is not passed on.
    void render(const Vorn& vorn, int j);
    // Every box of the card rendered, the others hidden.
    void renderAll(const Vorn& vorn);
    // The size in twips of a box rendered from d, as a title box or not, whichever is larger:
    // a card is laid out before it is known which box becomes its title. Measured on a spare
    // box that is never shown, so the boxes on the card stay as they are.
    QSize measure(const BoxDescriptor& d);
    // Writes the values of the entry at p (for p <= 0 the card's default values) into the
    // boxes; each write is reported as a change, as a user's edit would be.
    void showValues(const Vorn& vorn, int p);

    // Moves box k to (left, top) twips; position() gives back exactly those twips while the
    // box stays there.
    void place(int k, int left, int top);
    QPoint position(int k) const;

    void setLocked(int count, bool locked);
    // Tab order after first: the boxes with a Tab stop, in output order.
    void chainTabOrder(const Vorn& vorn, QWidget* first);

    // While one lives, the boxes' change reports are not passed on: what the program writes
    // into the boxes to show the vorn is not stored back as if typed.
    class Quiet {
    public:
        explicit Quiet(CardBoxes& boxes) : boxes_(boxes), before_(boxes.quiet_) {
            boxes.quiet_ = true;
        }
        ~Quiet() { boxes_.quiet_ = before_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        CardBoxes& boxes_;
        bool before_;
    };

protected:
    // Undo and redo keys in an editor go to the window's history, not to the editor's own.
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // Box k has just been made, with its object name, hidden, in its place among the others;
    // and again whenever it makes a part it did not have (its text editor or its list), so
    // that what is set up on a box's parts is set up on that part too. A handler therefore
    // runs more than once for a box and must leave it as one run would.
    void made(int k, DataBox* box);
    void changed(int k);
    void keyDown(int k, int keyCode);
    void gotFocus(int k);
    void mouseDown(int k, int button, double x, double y);
    void mouseMove(int k, int button, double x, double y);
    void mouseUp(int k, int button);
    void dblClick(int k);

private:
    // What render puts on a box, and what measure measures.
    static void dress(DataBox* box, const BoxDescriptor& d, bool title);
    DataBox* make(int k);
    void placeInFocusChain(int k);
    void watchEditors(DataBox* b);
    // The index of the box that is widget or holds it, or -1.
    int ownerOf(const QWidget* widget) const;

    QWidget* card_ = nullptr;
    std::array<DataBox*, VornLimits::MaxBoxes> boxes_{};
    DataBox* spare_ = nullptr; // for measure
    QString pictureBase_;
    bool quiet_ = false;
};
