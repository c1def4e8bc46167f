#include "qtprompts.h"
#include "support/modal.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

// The Qt message boxes and file dialogs behind Prompts, driven the way a user would.
class TestQtPrompts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messageShowsTextAndTitle_data();
    void messageShowsTextAndTitle();
    void yesNo_data();
    void yesNo();
    void yesNoCancel_data();
    void yesNoCancel();
    void saveDialogRemembersName();
    void saveDialogAddsPatternSuffix();
    void cancelledFileDialogGivesNothing();
};

namespace {
// How the user leaves a message box.
enum class Leave { Yes, No, Cancel, CloseBox, Escape };

void leave(QMessageBox* box, Leave how) {
    switch (how) {
    case Leave::Yes:
        box->button(QMessageBox::Yes)->click();
        break;
    case Leave::No:
        box->button(QMessageBox::No)->click();
        break;
    case Leave::Cancel:
        box->button(QMessageBox::Cancel)->click();
        break;
    case Leave::CloseBox:
        box->close();
        break;
    case Leave::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    }
}

// Types the name into the dialog's name line, as the user does: selectFile() leaves the
// line alone while it has the focus.
void typeName(QFileDialog* dialog, const QString& path) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->setText(path);
}
} // namespace

void TestQtPrompts::messageShowsTextAndTitle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");

    QTest::newRow("program title") << QString() << QStringLiteral("Tessavorn");
    QTest::newRow("own title") << QStringLiteral("Сохранить?") << QStringLiteral("Сохранить?");
}

void TestQtPrompts::messageShowsTextAndTitle() {
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);

    QWidget window;
    QtPrompts prompts(&window);
    QString seenTitle;
    QString seenText;
    int buttons = -1;
    onNextModal<QMessageBox>([&](QMessageBox* box) {
        if (!box)
            return;
        seenTitle = box->windowTitle();
        seenText = box->text();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    prompts.message(QStringLiteral("Вывод успешный."), title);

    QCOMPARE(seenTitle, shownTitle);
    QCOMPARE(seenText, QStringLiteral("Вывод успешный."));
    QCOMPARE(buttons, 1);
}

void TestQtPrompts::yesNo_data() {
    QTest::addColumn<Leave>("how");
    QTest::addColumn<bool>("answer");

    QTest::newRow("Yes") << Leave::Yes << true;
    QTest::newRow("No") << Leave::No << false;
    QTest::newRow("close box means No") << Leave::CloseBox << false;
    QTest::newRow("Escape means No") << Leave::Escape << false;
}

void TestQtPrompts::yesNo() {
    QFETCH(Leave, how);
    QFETCH(bool, answer);

    QWidget window;
    QtPrompts prompts(&window);
    QString seenTitle;
    onNextModal<QMessageBox>([&](QMessageBox* box) {
        if (!box)
            return;
        seenTitle = box->windowTitle();
        leave(box, how);
    });
    QCOMPARE(prompts.askYesNo(QStringLiteral("Удалить?")), answer);
    QCOMPARE(seenTitle, QStringLiteral("Tessavorn"));
}

void TestQtPrompts::yesNoCancel_data() {
    QTest::addColumn<Leave>("how");
    QTest::addColumn<Prompts::Answer>("answer");

    QTest::newRow("Yes") << Leave::Yes << Prompts::Answer::Yes;
    QTest::newRow("No") << Leave::No << Prompts::Answer::No;
    QTest::newRow("Cancel") << Leave::Cancel << Prompts::Answer::Cancel;
    QTest::newRow("close box means Cancel") << Leave::CloseBox << Prompts::Answer::Cancel;
    QTest::newRow("Escape means Cancel") << Leave::Escape << Prompts::Answer::Cancel;
}

void TestQtPrompts::yesNoCancel() {
    QFETCH(Leave, how);
    QFETCH(Prompts::Answer, answer);

    QWidget window;
    QtPrompts prompts(&window);
    onNextModal<QMessageBox>([&](QMessageBox* box) {
        if (box)
            leave(box, how);
    });
    QCOMPARE(prompts.askYesNoCancel(QStringLiteral("Ворн был изменён. Сохранить?")), answer);
}

void TestQtPrompts::saveDialogRemembersName() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString start = dir.path();
    const QString chosen = QDir(start).filePath(QStringLiteral("отчёт.txt"));

    QWidget window;
    QtPrompts prompts(&window);
    QString firstDir;
    QStringList filters;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        firstDir = d->directory().absolutePath();
        filters = d->nameFilters();
        typeName(d, chosen);
        static_cast<QDialog*>(d)->accept(); // as the dialog's own Save/Open button does
    });
    QCOMPARE(prompts.saveFileName(QStringLiteral("*.txt"), start), std::optional<QString>(chosen));
    QCOMPARE(firstDir, QFileInfo(start).absoluteFilePath());
    QVERIFY2(filters.contains(QStringLiteral("*.txt")), qPrintable(filters.join(';')));

    // The next use comes back with that name selected, even from another start folder.
    QStringList selectedOnOpen;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        selectedOnOpen = d->selectedFiles();
        d->reject();
    });
    QCOMPARE(prompts.saveFileName(QStringLiteral("*.txt"), QDir::rootPath()), std::nullopt);
    QCOMPARE(selectedOnOpen, QStringList{chosen});

    // Another pattern has a memory of its own.
    QString otherDir;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        otherDir = d->directory().absolutePath();
        d->reject();
    });
    prompts.saveFileName(QStringLiteral("*.vorn"), QDir::rootPath());
    QCOMPARE(otherDir, QDir::rootPath());
}

void TestQtPrompts::saveDialogAddsPatternSuffix() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    QWidget window;
    QtPrompts prompts(&window);
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        typeName(d, QDir(dir.path()).filePath(QStringLiteral("list")));
        static_cast<QDialog*>(d)->accept(); // as the dialog's own Save/Open button does
    });
    QCOMPARE(prompts.saveFileName(QStringLiteral("*.vorn"), dir.path()),
             std::optional<QString>(QDir(dir.path()).filePath(QStringLiteral("list.vorn"))));
}

void TestQtPrompts::cancelledFileDialogGivesNothing() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("a.vorn"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QWidget window;
    QtPrompts prompts(&window);
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        typeName(d, existing);
        d->reject();
    });
    QCOMPARE(prompts.openFileName(QStringLiteral("*.vorn"), dir.path()), std::nullopt);

    // A cancelled choice is not remembered: the next dialog opens in the start folder.
    QString dirOnOpen;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
        if (!d)
            return;
        dirOnOpen = d->directory().absolutePath();
        typeName(d, existing);
        static_cast<QDialog*>(d)->accept(); // as the dialog's own Save/Open button does
    });
    QCOMPARE(prompts.openFileName(QStringLiteral("*.vorn"), dir.path()),
             std::optional<QString>(existing));
    QCOMPARE(dirOnOpen, QFileInfo(dir.path()).absoluteFilePath());
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
