#pragma once

#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QPalette>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class Vorn;

// Prints the cards of a vorn, or saves them as a PDF: every entry in list order as its card,
// drawn as the window shows it, as many whole cards to a page as fit. A vorn without entries
// gives its blank card once.
//
// Progress is told after each card (and once with 0 before the first): cards done and the
// total. Returning false cancels the output.
class CardPrinter {
public:
    using Progress = std::function<bool(int done, int total)>;
    enum class Outcome { Done, Cancelled, Failed };

    // font and palette: the window's, so that the boxes on paper are the boxes on screen;
    // without them the application's. The vorn must outlive the printer.
    explicit CardPrinter(const Vorn& vorn);
    CardPrinter(const Vorn& vorn, const QFont& font, const QPalette& palette);

    // How many cards the output holds.
    int cardCount() const;

    // Draws the cards on any paged device, its page size and margins as they are set.
    Outcome print(QPagedPaintDevice& device, const Progress& progress = {}) const;

    // Prints on a printer set up by the print dialog (a QPrinter always takes this one). A
    // cancelled run is aborted, so that nothing comes out; on a failure error names the vorn.
    Outcome print(QPrinter& printer, const Progress& progress = {}, QString* error = nullptr) const;

    // Writes the PDF file at path, on the page size of the locale. The file appears only
    // when it was written in full: a cancelled or failed run leaves no file (and an older
    // file there as it was). On a failure error names the file and the reason.
    Outcome savePdf(const QString& path, QString* error, const Progress& progress = {}) const;

    // The paper a PDF is written on: Letter where the locale measures in US units, A4
    // elsewhere.
    static QPageSize pdfPageSize(const QLocale& locale = QLocale());

private:
    Outcome run(QPagedPaintDevice& device, const Progress& progress, QPrinter* printer) const;

    const Vorn& vorn_;
    QFont font_;
    QPalette palette_;
};
