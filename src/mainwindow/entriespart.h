#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class CardBoxes;
class Prompts;
class QListWidget;
class QPushButton;
class QWidget;
class Vorn;
class VornHistory;

// The entry list and the commands on entries: selecting, adding, removing, moving,
// searching and counting, and storing what is typed into the boxes.
class EntriesPart : public QObject {
    Q_OBJECT
public:
    EntriesPart(QWidget* client, Vorn& vorn, Prompts& prompts, CardBoxes& boxes,
                VornHistory& history);

    // The selected item: 0 = the card, p >= 1 = the entry at p.
    int listIndex() const;
    // Changes the selection without the list's own signal, then runs the selection path
    // when the index changed or force is set.
    void selectItem(int index, bool force = false);
    // The card item and one item per entry, nothing selected through the list's signal.
    void rebuildList();
    void freshList();
    // Writes entry n or the card's defaults into the boxes; going from entry to entry puts
    // the cursor into the title box.
    void ShowEntry(qint16 n);

    // The button Enter presses when the focus is on no other button.
    QPushButton* defaultButton() const { return addVorn_; }
    // The list over the strip left of the card, the buttons in rows of two below it.
    void layOut(const QRect& strip, int rowHeight, int gap);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onListSelection();
    void onAddVorn();
    void onDelVorn();
    void move(int from, int to);
    void onFind();
    void onNext();
    void countMatches();
    void onBoxChange(int k);
    void onBoxKeyDown(int k, int keyCode);

    Vorn& vorn_;
    Prompts& prompts_;
    CardBoxes& boxes_;
    VornHistory& history_;
    QString searchPhrase_;

    QListWidget* vornList_ = nullptr;
    QPushButton* addVorn_ = nullptr;
    QPushButton* delVorn_ = nullptr;
    QPushButton* lift_ = nullptr;
    QPushButton* low_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* next_ = nullptr;
};
