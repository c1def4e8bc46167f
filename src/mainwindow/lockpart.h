#pragma once

#include <QObject>
#include <QRect>

class Prompts;
class QPushButton;
class QWidget;
class Vorn;
class VornHistory;
class ViewProcedures;

// Locking and the password: the «Фиксировать» and «Установить пароль» buttons.
class LockPart : public QObject {
    Q_OBJECT
public:
    LockPart(QWidget* client, Vorn& vorn, Prompts& prompts, VornHistory& history,
             ViewProcedures& view);

    // Asks for the password; true when the answer is the vorn's password. A wrong one is
    // told, a closed dialog calls the unlocking off silently.
    bool passwordAccepted();
    // The password button works only while the vorn may be changed.
    void setEditable(bool editable);
    // The first control the boxes follow in the Tab order.
    QWidget* lastControl() const;
    // The two buttons at the right end of row; returns the left edge they leave free.
    int layOut(const QRect& row, int gap);

private:
    void onSetPass();

    Vorn& vorn_;
    Prompts& prompts_;
    VornHistory& history_;
    QPushButton* setPass_ = nullptr;
    QPushButton* locker_ = nullptr;
};
