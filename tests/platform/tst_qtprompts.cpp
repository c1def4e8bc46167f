// The Qt dialogs behind Prompts, driven the way a user would.
#include "inputdialog.h"
#include "qtprompts.h"
#include "qttranslations.h"
#include "support/modal.h"
#include "support/typing.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

class TestQtPrompts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okTakesTheTextAndTheNextUseStartsEmpty();
    void closingKeepsFrase();
    void hiddenEcho();
    void messageTitles();
    void modalHelperFails_data();
    void modalHelperFails();
    void qtTextsInRussian_data();
    void qtTextsInRussian();
    void fileDialogs_data();
    void fileDialogs();
};

// OK takes the text as typed, even empty; one dialog serves every question, and each use
// starts empty while Frase still holds the text accepted before.
void TestQtPrompts::okTakesTheTextAndTheNextUseStartsEmpty() {
    QWidget window;
    QtPrompts prompts(&window);
    onNextModal<InputDialog>([](InputDialog* d) {
        typeText(d->Text, QStringLiteral("  пёс и кот "));
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    QCOMPARE(prompts.askText(QString()), std::optional<QString>(QStringLiteral("  пёс и кот ")));

    QStringList onOpen{QStringLiteral("not shown")};
    onNextModal<InputDialog>([&](InputDialog* d) {
        onOpen = QStringList{d->Text->text(), d->Frase};
        QTest::keyClick(d->Text, Qt::Key_Return);
    });
    QCOMPARE(prompts.askText(QString()), std::optional<QString>(QString()));
    QCOMPARE(onOpen, (QStringList{QString(), QStringLiteral("  пёс и кот ")}));
    QCOMPARE(prompts.inputDialog()->Frase, QString());
    QVERIFY(prompts.inputDialog()->isHidden());
}

// Closing the frame answers nothing and keeps Frase as it was.
void TestQtPrompts::closingKeepsFrase() {
    QWidget window;
    QtPrompts prompts(&window);
    prompts.inputDialog()->Frase = QStringLiteral("кот");
    const ModalCall closing = onNextModal<InputDialog>([&](InputDialog* d) {
        typeText(d->Text, QStringLiteral("пёс"));
        d->close();
    });
    QCOMPARE(prompts.askText(QString()), std::nullopt);
    QVERIFY(closing.done());
    QCOMPARE(prompts.inputDialog()->Frase, QStringLiteral("кот"));
    QVERIFY(prompts.inputDialog()->isHidden());
}

// A hidden request masks the typing, and the next shown one does not inherit that.
void TestQtPrompts::hiddenEcho() {
    QWidget window;
    QtPrompts prompts(&window);
    QStringList seen; // caption and whether the typed text is shown, per use
    const auto typeSecret = [&] {
        onNextModal<InputDialog>([&](InputDialog* d) {
            typeText(d->Text, QStringLiteral("тайна"));
            seen << d->windowTitle()
                 << (d->Text->displayText() == d->Text->text() ? "shown" : "masked");
            QTest::keyClick(d->Text, Qt::Key_Return);
        });
    };
    typeSecret();
    QCOMPARE(prompts.askText(QStringLiteral("Пароль"), Prompts::Echo::Hidden),
             std::optional<QString>(QStringLiteral("тайна")));
    typeSecret();
    QCOMPARE(prompts.askText(QStringLiteral("Имя")),
             std::optional<QString>(QStringLiteral("тайна")));
    QCOMPARE(seen, (QStringList{"Пароль", "masked", "Имя", "shown"}));
}

// Message boxes carry the program's title unless given one; their buttons give the answers.
void TestQtPrompts::messageTitles() {
    QWidget window;
    QtPrompts prompts(&window);
    QStringList seen;
    const auto press = [&](QMessageBox::StandardButton button) {
        onNextModal<QMessageBox>([&seen, button](QMessageBox* box) {
            seen << box->windowTitle() + ": " + box->text();
            box->button(button)->click();
        });
    };
    press(QMessageBox::Ok);
    prompts.message(QStringLiteral("Вывод успешный."));
    press(QMessageBox::Ok);
    prompts.message(QStringLiteral("Готово."), QStringLiteral("Отчёт"));
    press(QMessageBox::Yes);
    QVERIFY(prompts.askYesNo(QStringLiteral("Удалить?")));
    press(QMessageBox::Cancel);
    QCOMPARE(prompts.askYesNoCancel(QStringLiteral("Сохранить?")), Prompts::Answer::Cancel);
    QCOMPARE(seen, (QStringList{"Tessavorn: Вывод успешный.", "Отчёт: Готово.",
                                "Tessavorn: Удалить?", "Tessavorn: Сохранить?"}));
}

void TestQtPrompts::modalHelperFails_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("no dialog comes") << "none";
    QTest::newRow("a dialog of another class") << "other class";
    QTest::newRow("a second request while the first waits") << "second request";
}

// The dialog helper of the other tests fails the test instead of handing its action nothing.
void TestQtPrompts::modalHelperFails() {
    QFETCH(QString, what);
    QWidget window;
    QtPrompts prompts(&window);
    bool ran = false;
    QEXPECT_FAIL("", "the helper reports the dialog that did not come", Continue);
    if (what == u"none") {
        const ModalCall call = onNextModal([&](QWidget*) { ran = true; });
        QTest::qWait(20);
        QVERIFY(!call.done());
    } else if (what == u"other class") {
        const ModalCall call = onNextModal<InputDialog>([&](InputDialog*) { ran = true; });
        prompts.message(QStringLiteral("Вывод успешный."));
        QVERIFY(!call.done()); // the message box was closed without the action
    } else {
        const ModalCall first = onNextModal([&](QWidget*) { ran = true; });
        const ModalCall second = onNextModal([](QWidget* modal) { modal->close(); });
        prompts.message(QStringLiteral("Вывод успешный."));
        QVERIFY(second.done() && !first.done());
    }
    QVERIFY(!ran);
}

void TestQtPrompts::qtTextsInRussian_data() {
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("yes, no, cancel") << "yes/no/cancel" << QStringList{"Да", "Нет", "Отмена"};
    QTest::newRow("open file") << "open" << QStringList{"Открыть", "Отмена"};
}

// With Qt's Russian catalogue installed as at start-up, Qt's own buttons read in Russian.
void TestQtPrompts::qtTextsInRussian() {
    QFETCH(QString, question);
    QFETCH(QStringList, buttons);
    const std::unique_ptr<QTranslator> translator(installQtTranslations(*qApp));
    QVERIFY2(translator, "Qt's Russian catalogue (qt6-translations-l10n) is missing");
    QWidget window;
    QtPrompts prompts(&window);
    QStringList seen;
    const ModalCall call = onNextModal([&](QWidget* dialog) {
        auto* box = dialog->findChild<QDialogButtonBox*>();
        for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
            seen << button->text().remove(u'&');
        box->button(QDialogButtonBox::Cancel)->click();
    });
    if (question == u"open")
        QCOMPARE(prompts.openFileName(QStringLiteral("*.vorn"), QDir::tempPath()), std::nullopt);
    else
        QCOMPARE(prompts.askYesNoCancel(QStringLiteral("Сохранить?")), Prompts::Answer::Cancel);
    QVERIFY(call.done());
    // The order of the buttons is the platform's.
    seen.sort();
    buttons.sort();
    QCOMPARE(seen, buttons);
}

void TestQtPrompts::fileDialogs_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("typed"); // into the dialog's folder, which holds t.dat
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("open, one pattern") << false << "*.vorn"
                                       << "t.dat" << QStringList{"*.vorn"} << "t.dat";
    QTest::newRow("open, a pattern and any file")
        << false << "*.csv;;*"
        << "t.dat" << QStringList{"*.csv", "*"} << "t.dat";
    QTest::newRow("save: the pattern's extension added")
        << true << "*.csv"
        << "out" << QStringList{"*.csv"} << "out.csv";
    QTest::newRow("save: a typed extension kept") << true << "*.csv"
                                                  << "out.txt" << QStringList{"*.csv"} << "out.txt";
    QTest::newRow("save, several patterns: nothing added")
        << true << "*.csv;;*"
        << "out" << QStringList{"*.csv", "*"} << "out";
}

// The dialog offers the patterns in the order given, starts in the folder given and returns
// the file chosen there.
void TestQtPrompts::fileDialogs() {
    QFETCH(bool, save);
    QFETCH(QString, pattern);
    QFETCH(QString, typed);
    QFETCH(QStringList, filters);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("t.dat"))).open(QIODevice::WriteOnly);
    QWidget window;
    QtPrompts prompts(&window);
    QStringList offered;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        offered = d->nameFilters();
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return d->reject();
        name->clear();
        typeText(name, typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> answer = save ? prompts.saveFileName(pattern, dir.path())
                                               : prompts.openFileName(pattern, dir.path());
    QCOMPARE(offered, filters);
    QCOMPARE(answer, std::optional<QString>(dir.filePath(chosen)));
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
