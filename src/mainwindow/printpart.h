#pragma once

#include "cardprinter.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Prompts;
class QAction;
class QMenu;
class QPrinter;
class QWidget;
class Vorn;
class ViewProcedures;

// Printing the cards and saving them as a PDF file. Neither changes the vorn, so both work
// while the window is locked.
class PrintPart : public QObject {
    Q_OBJECT
public:
    // Sets up printer for a run; false when the user cancelled. The window's own shows the
    // system print dialog; tests put a fake in its place.
    using PrintDialog = std::function<bool(QPrinter& printer)>;

    // Puts «Печать...» and «Сохранить в PDF...» into menu in front of anchor. window parents
    // the dialogs and lends its font and palette to the cards on paper.
    PrintPart(QWidget* window, QMenu* menu, QAction* anchor, const Vorn& vorn, Prompts& prompts,
              ViewProcedures& view);
    ~PrintPart() override;

    void setPrintDialog(PrintDialog dialog) { printDialog_ = std::move(dialog); }
    // How long a run goes before its progress dialog shows, in milliseconds.
    void setProgressDelay(int milliseconds) { progressDelay_ = milliseconds; }

private:
    void onPrint();
    void onSavePdf();
    // Runs output under a progress dialog that shows once the run takes a while and whose
    // Cancel stops it.
    CardPrinter::Outcome
    withProgress(const std::function<CardPrinter::Outcome(const CardPrinter::Progress&)>& output);
    CardPrinter cardPrinter() const;

    QWidget* window_;
    const Vorn& vorn_;
    Prompts& prompts_;
    ViewProcedures& view_;
    PrintDialog printDialog_;
    int progressDelay_;
    // Kept from run to run, so that the printer and its settings stay as the user chose them.
    std::unique_ptr<QPrinter> printer_;
};
