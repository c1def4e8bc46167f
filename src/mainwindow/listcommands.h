#pragma once

#include <QObject>
#include <QString>

#include <optional>

class CardBoxes;
class DataBox;
class Prompts;
class QLineEdit;
class QMenu;
class Vorn;
class VornHistory;
class ViewProcedures;

// The list item commands of the «Список» menu, on the list box the popup was opened on. The
// box changes its items itself (the items selected are the user's); its change report stores
// the new value into the selected entry, or into the card's default value.
class ListCommands : public QObject {
    Q_OBJECT
public:
    // Fills menu with the five commands; headNam supplies the item text to insert.
    ListCommands(QMenu* menu, QLineEdit* headNam, Vorn& vorn, Prompts& prompts, CardBoxes& boxes,
                 VornHistory& history, ViewProcedures& view);

    // The box the commands act on (0-based); the popup sets it.
    void setMenuBox(int k) { menuBox_ = k; }

    // The number of items "Добавить N элементов" adds for the answer: the decimal number
    // at its start (blanks before it skipped, 0 when there is none), rounded half to even.
    // Nothing when it lies outside 16 bits.
    static std::optional<int> itemCountFrom(const QString& answer);

private:
    // Box menuBox_ when it is a list box of the card and the vorn may be changed.
    DataBox* listBox() const;
    // Stores what the box shows as an edit of the vorn, changed or not: the commands count
    // as changes even when they found nothing to do.
    void store(const DataBox* box);
    void onInsertItem();
    void onAddItems();
    void onDelItems();
    void onPasteList();

    QLineEdit* headNam_;
    Vorn& vorn_;
    Prompts& prompts_;
    CardBoxes& boxes_;
    VornHistory& history_;
    ViewProcedures& view_;
    int menuBox_ = 0;
    QString listBuffer_; // «Копировать» keeps a list value here for «Вставить»
};
