#include "cardprinter.h"

#include "boxlook.h"
#include "cardlayout.h"
#include "cardpainter.h"
#include "pageplan.h"
#include "picturestore.h"
#include "printtexts.h"
#include "savetarget.h"
#include "vorn.h"

#include <QFile>
#include <QGuiApplication>
#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <limits>

namespace {
constexpr double CardGap = 300;  // between two cards on a page, card twips
constexpr double PdfMargin = 10; // millimetres on every side of a PDF page
} // namespace

CardPrinter::CardPrinter(const Vorn& vorn)
    : CardPrinter(vorn, QGuiApplication::font(), QGuiApplication::palette()) {}

CardPrinter::CardPrinter(const Vorn& vorn, const QFont& font, const QPalette& palette)
    : vorn_(vorn), font_(font), palette_(palette) {}

int CardPrinter::cardCount() const {
    return CardLayout::count(vorn_);
}

QPageSize CardPrinter::pdfPageSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

CardPrinter::Outcome CardPrinter::run(QPagedPaintDevice& device, const Progress& progress,
                                      QPrinter* printer) const {
    QPainter painter;
    if (!painter.begin(&device))
        return Outcome::Failed;
    const auto stop = [&](Outcome outcome) {
        if (outcome == Outcome::Cancelled && printer)
            printer->abort(); // while the painter is active: nothing reaches the printer
        painter.end();
        // Printing to a file, abort stops nothing: the cards drawn so far would stay as a PDF.
        if (printer && printer->outputFormat() == QPrinter::PdfFormat &&
            !printer->outputFileName().isEmpty())
            QFile::remove(printer->outputFileName());
        return outcome;
    };

    const BoxLook look(font_, palette_);
    PictureStore pictures(vorn_.StartDir);
    CardLayout layout(vorn_, look, pictures);
    const int total = layout.count();
    if (progress && !progress(0, total))
        return stop(Outcome::Cancelled);

    // Every card as wide as the widest, so that all of them have one scale on paper.
    double left = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    for (int card = 0; card < total; ++card) {
        const auto [l, r] = layout.across(card);
        left = std::min(left, l);
        right = std::max(right, r);
    }

    PagePlan plan(QSizeF(device.width(), device.height()), right - left, CardGap);
    CardPainter cards(painter, look, pictures);
    int page = 0;
    for (int card = 0; card < total; ++card) {
        const PrintedCard printed = layout.layOut(card, left, right);
        const PagePlan::Place place = plan.add(printed.bounds.height());
        if (place.page != page) {
            if (!device.newPage())
                return stop(Outcome::Failed);
            page = place.page;
        }
        painter.save();
        painter.translate(place.at);
        painter.scale(place.scale, place.scale);
        painter.translate(-printed.bounds.topLeft());
        cards.draw(printed);
        painter.restore();
        if (progress && !progress(card + 1, total))
            return stop(Outcome::Cancelled);
    }
    return painter.end() ? Outcome::Done : Outcome::Failed;
}

CardPrinter::Outcome CardPrinter::print(QPagedPaintDevice& device, const Progress& progress) const {
    return run(device, progress, nullptr);
}

CardPrinter::Outcome CardPrinter::print(QPrinter& printer, const Progress& progress,
                                        QString* error) const {
    if (printer.docName().isEmpty())
        printer.setDocName(vorn_.VornName); // the job's name in the print queue
    Outcome outcome = run(printer, progress, &printer);
    if (outcome == Outcome::Done && printer.printerState() == QPrinter::Error)
        outcome = Outcome::Failed;
    if (outcome == Outcome::Failed && error)
        *error = PrintText::PrintFailed.arg(vorn_.VornName);
    return outcome;
}

CardPrinter::Outcome CardPrinter::savePdf(const QString& path, QString* error,
                                          const Progress& progress) const {
    Outcome outcome = Outcome::Failed;
    const SaveTarget::Outcome saved =
        SaveTarget::save(path, [&](QIODevice& device, QString* reason) {
            QPdfWriter writer(&device);
            writer.setTitle(vorn_.VornName);
            writer.setCreator(PrintText::Creator);
            writer.setPageLayout(QPageLayout(pdfPageSize(), QPageLayout::Portrait,
                                             QMarginsF(PdfMargin, PdfMargin, PdfMargin, PdfMargin),
                                             QPageLayout::Millimeter));
            outcome = run(writer, progress, nullptr);
            if (outcome == Outcome::Failed)
                *reason = PrintText::PdfNotDrawn;
            return outcome == Outcome::Done;
        });
    if (saved.saved())
        return Outcome::Done;
    if (saved.stage == SaveTarget::Outcome::Stage::Write && outcome == Outcome::Cancelled)
        return Outcome::Cancelled;
    if (error)
        *error = PrintText::PdfFailed.arg(path, saved.reason);
    return Outcome::Failed;
}
