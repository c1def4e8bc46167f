// Printing and saving the cards as a PDF through the «Ворн» menu, with scripted answers; the
// print dialog is the window fixture's stand-in, which prints to a PDF file. What comes out
// is read back with poppler's tools.
#include "scriptedwindow.h"
#include "support/poppler.h"

#include <QProgressDialog>

class TestPrintPart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outcome_data();
    void outcome();
    void cancelled_data();
    void cancelled();
};

void TestPrintPart::outcome_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("pages"); // of each PDF file left
    const auto row = [](const char* name, const QString& script, const QStringList& answers,
                        const QString& state, int pages = 3) {
        QTest::newRow(name) << script << answers << state << pages;
    };
    const QString pets = QStringLiteral("0|кот пёс сова|");
    const QString saved = QStringLiteral(" save / PDF-файл сохранён. / ");
    row("PDF: .pdf added", "mPdf", {"save:%d/cards"}, pets + saved + "[cards.pdf]");
    row("PDF: a name ending in a dot", "mPdf", {"save:%d/cards."}, pets + saved + "[cards.pdf]");
    row("PDF: the extension typed is kept", "mPdf", {"save:%d/cards.PDF"},
        pets + saved + "[cards.PDF]");
    row("PDF: save dialog cancelled", "mPdf", {"save:"}, pets + " save");
    row("PDF: folder is a file", "mPdf", {"save:%f/cards.pdf"},
        pets + " save / Не удалось сохранить PDF-файл «%d/f/cards.pdf» / [f]");
    row("printed from a locked window", "Locker mPrint", {"print:%d/p.pdf"},
        pets + "L [p.pdf] / print");
    row("print dialog cancelled", "mPrint", {"print:"}, pets + " print");
    row("printer fails", "mPrint", {"print:%f/p.pdf"},
        pets + " Не удалось напечатать ворн «New». / [f] / print");
    // The printer is kept from one run to the next; a failed run must not spoil it.
    row("printed twice", "mPrint mPrint", {"print:%d/a.pdf", "print:%d/b.pdf"},
        pets + " [a.pdf,b.pdf] / print / print");
    row("printed after a failure", "mPrint mPrint", {"print:%f/a.pdf", "print:%d/b.pdf"},
        pets + " Не удалось напечатать ворн «New». / [b.pdf,f] / print / print");
    row("Ctrl+P prints", "show key=Ctrl+P", {"print:"}, pets + " print");
    // In the smallest window the card is about as high as wide: one to an A4 page. In a window
    // twice as wide three cards share a page, once the card's size is taken from the window.
    row("printed wide", "width=1300 mPrint", {"print:%d/p.pdf"}, pets + " [p.pdf] / print", 1);
    // Saving takes the card's size too: the window is widened after it.
    row("PDF of a wide window, in list order", "#3 Lift width=1300 mPdf", {"save:%d/p.pdf"},
        "2|кот сова пёс|*" + saved + "[p.pdf]", 1);
    row("PDF, locked wide", "width=1300 Locker mPdf", {"save:%d/p.pdf"},
        pets + "L" + saved + "[p.pdf]", 1);
}

// What the user is told and which files are left; neither command changes the vorn. Each PDF
// left holds the card of every entry, headed by its caption, in list order.
void TestPrintPart::outcome() {
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    Window w(QStringLiteral("PT"), QStringLiteral("кот пёс сова"));
    for (const QString& a : answers)
        w.answer(a);
    w.run(script);
    QTEST(w.state(), "state");
    VERIFY_ALL_ANSWERS_USED(w.prompts);
    QVERIFY(w.printTo.empty());
    for (const QString& name : QDir(w.dir.path()).entryList({QStringLiteral("*.pdf")})) {
        const QString pdf = w.dir.filePath(name);
        QTEST(Poppler::pageCount(pdf), "pages");
        const QString text = Poppler::textOf(pdf);
        qsizetype at = -1;
        for (int p = 1; p < w.list()->count(); ++p) {
            const qsizetype next = text.indexOf("New — " + w.list()->item(p)->text());
            QVERIFY2(next > at, qPrintable(text));
            at = next;
        }
    }
}

void TestPrintPart::cancelled_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog"); // its answer's code, and then all the log holds
    QTest::newRow("PDF") << "mPdf"
                         << "save";
    QTest::newRow("printed") << "mPrint"
                             << "print";
}

// A long run shows its progress, and its Cancel stops the run quietly: no file is left.
void TestPrintPart::cancelled() {
    QFETCH(QString, command);
    QFETCH(QString, dialog);
    Window w(QStringLiteral("PT"), QStringLiteral("кот ").repeated(60));
    w.view.findChild<PrintPart*>()->setProgressDelay(0);
    w.answer(dialog + ":%d/out.pdf");
    QString shown;
    onNextModal<QProgressDialog>([&shown](QProgressDialog* dialog) {
        if (!dialog)
            return;
        shown = dialog->labelText();
        dialog->findChild<QPushButton*>(QStringLiteral("PrintCancel"))->click();
    });
    w.run(command);
    QVERIFY2(shown.contains(QRegularExpression(QStringLiteral("^Карточки: [1-9]\\d* из 60$"))),
             qPrintable(shown));
    QCOMPARE(w.log(), dialog); // nothing told, no file left
}

QTEST_MAIN(TestPrintPart)
#include "tst_printpart.moc"
