#pragma once

#include <QObject>
#include <QString>

class OrderDialog;
class Prompts;
class QAction;
class QMenu;
class QWidget;
class Vorn;
class VornHistory;
class ViewProcedures;

// The output order of the boxes, the text and table exports and the counting over the title values.
class ReportsPart : public QObject {
    Q_OBJECT
public:
    // The output order and the export submenu go into menu in front of anchor; the counting
    // commands fill counting. window parents the output order dialog.
    ReportsPart(QWidget* window, QMenu* menu, QAction* anchor, QMenu* counting, Vorn& vorn,
                Prompts& prompts, VornHistory& history, ViewProcedures& view);

Q_SIGNALS:
    // The output order changed: the Tab order follows it.
    void orderChanged();

private:
    // orderen, created on first use and then reused.
    OrderDialog* orderDialog();
    void onBoxOrder();
    void onLongList();
    void onThisEntry();
    // Asks for the file and writes text to it; the message is shown once the file is
    // complete, a failure is reported instead.
    void exportToFile(const QString& text, const QString& doneMessage);
    // The vorn as a CSV table for spreadsheet programs, headers first.
    void onCsv();
    void onCount();
    void onStats();

    QWidget* window_;
    Vorn& vorn_;
    Prompts& prompts_;
    VornHistory& history_;
    ViewProcedures& view_;
    OrderDialog* orderen_ = nullptr;
};
