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
    void onPaper_data();
    void onPaper();
    void cancelled_data();
    void cancelled();
    void printKey();
};

void TestPrintPart::outcome_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("state");
    const auto row = [](const char* name, const QString& script, const QStringList& answers,
                        const QString& state) {
        QTest::newRow(name) << script << answers << QStringLiteral("0|кот пёс|") + state;
    };
    const QString saved = QStringLiteral(" save / PDF-файл сохранён. / ");
    row("PDF: .pdf added", "mPdf", {"save:%d/cards"}, saved + "[cards.pdf]");
    row("PDF: a name ending in a dot", "mPdf", {"save:%d/cards."}, saved + "[cards.pdf]");
    row("PDF: the extension typed is kept", "mPdf", {"save:%d/cards.PDF"}, saved + "[cards.PDF]");
    row("PDF from a locked window", "Locker mPdf", {"save:%d/cards.pdf"},
        "L" + saved + "[cards.pdf]");
    row("PDF: save dialog cancelled", "mPdf", {"save:"}, " save");
    row("PDF: folder is a file", "mPdf", {"save:%f/cards.pdf"},
        " save / Не удалось сохранить PDF-файл «%d/f/cards.pdf» / [f]");
    row("printed", "mPrint", {"print:%d/p.pdf"}, " [p.pdf] / print");
    row("printed from a locked window", "Locker mPrint", {"print:%d/p.pdf"}, "L [p.pdf] / print");
    row("print dialog cancelled", "mPrint", {"print:"}, " print");
    row("printer fails", "mPrint", {"print:%f/p.pdf"},
        " Не удалось напечатать ворн «New». / [f] / print");
    // The printer is kept from one run to the next; a failed run must not spoil it.
    row("printed twice", "mPrint mPrint", {"print:%d/a.pdf", "print:%d/b.pdf"},
        " [a.pdf,b.pdf] / print / print");
    row("printed after a failure", "mPrint mPrint", {"print:%f/a.pdf", "print:%d/b.pdf"},
        " Не удалось напечатать ворн «New». / [b.pdf,f] / print / print");
}

// What the user is told and which files are left; neither command changes the vorn.
void TestPrintPart::outcome() {
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    Window w(QStringLiteral("PT"), QStringLiteral("кот пёс"));
    for (const QString& a : answers)
        w.answer(a);
    w.run(script);
    QTEST(w.state(), "state");
    VERIFY_ALL_ANSWERS_USED(w.prompts);
    QVERIFY(w.printTo.empty());
}

void TestPrintPart::onPaper_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("width"); // the window's, in pixels; 0 leaves it as it is
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("pages");
    const QString pdf = QStringLiteral("save:%d/out.pdf"),
                  printed = QStringLiteral("print:%d/out.pdf");
    // In the smallest window the card is about as high as wide: one to an A4 page. In a window
    // twice as wide three cards share a page, once the card's size is taken from the window.
    QTest::newRow("PDF") << "mPdf" << pdf << 0 << "кот пёс сова" << 3;
    QTest::newRow("PDF of a wide window") << "mPdf" << pdf << 1300 << "кот пёс сова" << 1;
    QTest::newRow("PDF in list order") << "#3 Lift mPdf" << pdf << 1300 << "кот сова пёс" << 1;
    QTest::newRow("PDF, locked wide") << "Locker mPdf" << pdf << 1300 << "кот пёс сова" << 1;
    QTest::newRow("printed") << "mPrint" << printed << 0 << "кот пёс сова" << 3;
    QTest::newRow("printed wide") << "mPrint" << printed << 1300 << "кот пёс сова" << 1;
}

// Every entry comes out as its card, with its heading and its values, in list order.
void TestPrintPart::onPaper() {
    QFETCH(QString, script);
    QFETCH(QString, answer);
    QFETCH(int, width);
    QFETCH(QString, order);
    Window w(QStringLiteral("PT"), QStringLiteral("кот пёс сова"));
    if (width > 0)
        w.view.resize(width, w.view.height());
    w.answer(answer);
    w.run(script);
    const QString pdf = w.dir.filePath(QStringLiteral("out.pdf"));
    QTEST(Poppler::pageCount(pdf), "pages");
    const QString text = Poppler::textOf(pdf);
    QList<qsizetype> at;
    QStringList missing;
    const QStringList titles = order.split(u' ');
    for (int p = 1; p <= titles.size(); ++p) {
        const QString& title = titles[p - 1];
        const QString heading =
            QStringLiteral("New — %1 %2").arg(p, 3, 10, QLatin1Char('0')).arg(title);
        at << text.indexOf(heading);
        for (const QString& value : {heading, title.repeated(2)})
            if (!text.contains(value))
                missing << value;
    }
    QCOMPARE(missing, QStringList());
    QVERIFY2(std::is_sorted(at.begin(), at.end()), qPrintable(text));
}

void TestPrintPart::cancelled_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("log");
    QTest::newRow("PDF") << "mPdf"
                         << "save:%d/out.pdf"
                         << "save";
    QTest::newRow("printed") << "mPrint"
                             << "print:%d/out.pdf"
                             << "print";
}

// A long run shows its progress, and its Cancel stops the run quietly: no file is left.
void TestPrintPart::cancelled() {
    QFETCH(QString, command);
    QFETCH(QString, answer);
    Window w(QStringLiteral("PT"), QStringLiteral("кот ").repeated(60));
    w.view.findChild<PrintPart*>()->setProgressDelay(0);
    w.answer(answer);
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
    QTEST(w.log(), "log");
}

// Ctrl+P is the print command.
void TestPrintPart::printKey() {
    Window w;
    w.answer(QStringLiteral("print:"));
    w.run(QStringLiteral("show"));
    QApplication::setActiveWindow(&w.view);
    QVERIFY(QTest::qWaitForWindowActive(&w.view));
    QTest::keySequence(&w.view, QKeySequence::Print);
    QCOMPARE(w.log(), QStringLiteral("print"));
}

QTEST_MAIN(TestPrintPart)
#include "tst_printpart.moc"
