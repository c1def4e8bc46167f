// The Qt dialogs behind Prompts, driven the way a user would.
#include "inputdialog.h"
#include "qtprompts.h"
#include "qttranslations.h"
#include "support/modal.h"
#include "support/typing.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// The texts of a dialog's buttons, sorted: their order is the platform's.
QStringList buttonTexts(const QWidget* dialog) {
    const auto* box = dialog->findChild<QDialogButtonBox*>();
    QStringList texts;
    for (const QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
        texts << button->text().remove(u'&');
    texts.sort();
    return texts;
}

} // namespace

class TestQtPrompts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void askText();
    void messageBoxes();
    void modalHelperFails_data();
    void modalHelperFails();
    void fileDialogs_data();
    void fileDialogs();
};

// Qt's Russian catalogue installed as at start-up, so that Qt's own buttons read in Russian.
void TestQtPrompts::initTestCase() {
    QVERIFY2(installQtTranslations(*qApp),
             "Qt's Russian catalogue (qt6-translations-l10n) is missing");
}

// One dialog serves every question and starts empty each time, with Frase holding the text
// accepted before. OK (or Enter) takes the text as typed, even empty; closing the frame answers
// nothing and keeps Frase. A hidden request masks the typing, and the next one does not.
void TestQtPrompts::askText() {
    QWidget window;
    QtPrompts prompts(&window);
    QStringList seen; // per use: caption, editor and Frase on opening, whether the typing shows
    const auto use = [&](const QString& typed, std::function<void(InputDialog*)> answer) {
        onNextModal<InputDialog>([&seen, typed, answer](InputDialog* d) {
            seen << d->windowTitle() << d->Text->text() << d->Frase;
            typeText(d->Text, typed);
            seen << (d->Text->displayText() == typed ? "shown" : "masked");
            answer(d);
        });
    };
    const QString secret = QStringLiteral("  пёс и кот ");
    use(secret, [](InputDialog* d) { QTest::mouseClick(d->Ok, Qt::LeftButton); });
    QCOMPARE(prompts.askText(QStringLiteral("Пароль"), Prompts::Echo::Hidden),
             std::optional<QString>(secret));
    use(QStringLiteral("кот"), [](InputDialog* d) { d->close(); });
    QCOMPARE(prompts.askText(QStringLiteral("Имя")), std::nullopt);
    use(QString(), [](InputDialog* d) { QTest::keyClick(d->Text, Qt::Key_Return); });
    QCOMPARE(prompts.askText(QStringLiteral("Имя")), std::optional<QString>(QString()));
    QCOMPARE(seen, (QStringList{"Пароль", "", "", "masked", "Имя", "", secret, "shown", "Имя", "",
                                secret, "shown"}));
    QVERIFY(prompts.inputDialog()->isHidden());
}

// Message boxes carry the program's title unless given one; their buttons, in Russian, give
// the answers.
void TestQtPrompts::messageBoxes() {
    QWidget window;
    QtPrompts prompts(&window);
    QStringList seen;
    const auto press = [&](QMessageBox::StandardButton button) {
        onNextModal<QMessageBox>([&seen, button](QMessageBox* box) {
            seen << box->windowTitle() + ": " + box->text() + ' ' + buttonTexts(box).join(u'/');
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
    QCOMPARE(seen,
             (QStringList{"Tessavorn: Вывод успешный. OK", "Отчёт: Готово. OK",
                          "Tessavorn: Удалить? Да/Нет", "Tessavorn: Сохранить? Да/Нет/Отмена"}));
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

void TestQtPrompts::fileDialogs_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("typed"); // into the dialog's folder, which holds t.dat
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<QString>("chosen");
    const auto row = [](const char* name, bool save, const char* pattern, const char* typed,
                        const QStringList& filters, const char* chosen) {
        QTest::newRow(name) << save << QString(pattern) << QString(typed) << filters
                            << QString(chosen);
    };
    row("open, one pattern", false, "*.vorn", "t.dat", {"*.vorn"}, "t.dat");
    row("open, a pattern and any file", false, "*.csv;;*", "t.dat", {"*.csv", "*"}, "t.dat");
    row("save: the pattern's extension added", true, "*.csv", "out", {"*.csv"}, "out.csv");
    row("save: a typed extension kept", true, "*.csv", "out.txt", {"*.csv"}, "out.txt");
    row("save, several patterns: nothing added", true, "*.csv;;*", "out", {"*.csv", "*"}, "out");
}

// The dialog, its buttons in Russian, offers the patterns in the order given, starts in the
// folder given and returns the file chosen there.
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
        offered = d->nameFilters() << buttonTexts(d);
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return d->reject();
        name->clear();
        typeText(name, typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> answer = save ? prompts.saveFileName(pattern, dir.path())
                                               : prompts.openFileName(pattern, dir.path());
    QCOMPARE(offered, filters << (save ? QStringList{"Отмена", "Сохранить"}
                                       : QStringList{"Открыть", "Отмена"}));
    QCOMPARE(answer, std::optional<QString>(dir.filePath(chosen)));
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
