#include "printpart.h"

#include "prompts.h"
#include "savename.h"
#include "viewprocedures.h"
#include "vorn.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QWidget>

namespace {
namespace Text {
const QString Print = QStringLiteral("Печать...");
const QString SavePdf = QStringLiteral("Сохранить в PDF...");
// %1: the cards done, %2: all of them.
const QString Progress = QStringLiteral("Карточки: %1 из %2");
const QString Cancel = QStringLiteral("Отмена");
const QString PdfSaved = QStringLiteral("PDF-файл сохранён.");
} // namespace Text

const QString PdfPattern = QStringLiteral("*.pdf");
const QString PdfSuffix = QStringLiteral(".pdf");
// A short run ends before anything flashes on the screen.
constexpr int ProgressDelay = 500;

bool systemPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // Every card goes to paper: there are no pages to pick.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}
} // namespace

PrintPart::PrintPart(QWidget* window, QMenu* menu, QAction* anchor, const Vorn& vorn,
                     Prompts& prompts, ViewProcedures& view)
    : QObject(window), window_(window), vorn_(vorn), prompts_(prompts), view_(view),
      printDialog_([window](QPrinter& printer) { return systemPrintDialog(printer, window); }),
      progressDelay_(ProgressDelay) {
    setObjectName(QStringLiteral("PrintPart"));
    auto* print = new QAction(Text::Print, menu);
    print->setObjectName(QStringLiteral("mPrint"));
    print->setShortcut(QKeySequence::Print);
    menu->insertAction(anchor, print);
    connect(print, &QAction::triggered, this, [this] { onPrint(); });

    auto* pdf = new QAction(Text::SavePdf, menu);
    pdf->setObjectName(QStringLiteral("mPdf"));
    menu->insertAction(anchor, pdf);
    connect(pdf, &QAction::triggered, this, [this] { onSavePdf(); });
}

PrintPart::~PrintPart() = default;

// The boxes on paper look as they do in the window.
CardPrinter PrintPart::cardPrinter() const {
    return CardPrinter(vorn_, window_->font(), window_->palette());
}

void PrintPart::onPrint() {
    view_.GetFormat();
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The job goes by the vorn's present name, not by the one of an earlier run.
    printer_->setDocName(vorn_.VornName);
    if (!printDialog_(*printer_))
        return;
    const CardPrinter cards = cardPrinter();
    QString error;
    const CardPrinter::Outcome outcome = withProgress([&](const CardPrinter::Progress& progress) {
        return cards.print(*printer_, progress, &error);
    });
    // A printed job is the spooler's to report on; only a failure is told here.
    if (outcome == CardPrinter::Outcome::Failed)
        prompts_.message(error);
}

void PrintPart::onSavePdf() {
    view_.GetFormat();
    const std::optional<QString> chosen = prompts_.saveFileName(PdfPattern, vorn_.StartDir);
    if (!chosen)
        return;
    const QString path = withSuffix(*chosen, PdfSuffix);
    const CardPrinter cards = cardPrinter();
    QString error;
    switch (withProgress([&](const CardPrinter::Progress& progress) {
        return cards.savePdf(path, &error, progress);
    })) {
    case CardPrinter::Outcome::Done:
        prompts_.message(Text::PdfSaved);
        break;
    case CardPrinter::Outcome::Failed:
        prompts_.message(error);
        break;
    case CardPrinter::Outcome::Cancelled: // the user asked for it: nothing to tell
        break;
    }
}

CardPrinter::Outcome PrintPart::withProgress(
    const std::function<CardPrinter::Outcome(const CardPrinter::Progress&)>& output) {
    QProgressDialog dialog(window_);
    dialog.setObjectName(QStringLiteral("PrintProgress"));
    dialog.setWindowTitle(Prompts::titleOr({}));
    // Window-modal: the vorn cannot change under the run while the dialog lets events through.
    dialog.setWindowModality(Qt::WindowModal);
    auto* label = new QLabel(&dialog);
    label->setObjectName(QStringLiteral("PrintProgressText"));
    dialog.setLabel(label);
    auto* bar = new QProgressBar(&dialog);
    bar->setObjectName(QStringLiteral("PrintProgressBar"));
    dialog.setBar(bar);
    auto* cancel = new QPushButton(Text::Cancel, &dialog);
    cancel->setObjectName(QStringLiteral("PrintCancel"));
    dialog.setCancelButton(cancel);
    dialog.setMinimumDuration(progressDelay_);
    return output([&dialog, bar](int done, int total) {
        if (done == 0)
            dialog.setRange(0, total);
        const QString told = Text::Progress.arg(done).arg(total);
        dialog.setLabelText(told);
        bar->setAccessibleName(told);
        dialog.setValue(done);
        return !dialog.wasCanceled();
    });
}
