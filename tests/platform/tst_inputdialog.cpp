#include "inputdialog.h"
#include "qtprompts.h"
#include "support/modal.h"
#include "support/typing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Inp driven through QtPrompts::askText, as the program uses it.
class TestInputDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void okAcceptsTypedText_data();
    void okAcceptsTypedText();
    void secondUseStartsEmptyAndKeepsFrase();
    void closingKeepsFrase_data();
    void closingKeepsFrase();
    void echoFollowsRequest_data();
    void echoFollowsRequest();
    void focusStaysInText();
};

void TestInputDialog::okAcceptsTypedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");

    QTest::newRow("empty, OK clicked") << QString() << false;
    QTest::newRow("empty, Enter") << QString() << true;
    QTest::newRow("word, OK clicked") << QStringLiteral("кот") << false;
    QTest::newRow("spaces are the caller's business") << QStringLiteral("  пёс и кот ") << true;
}

void TestInputDialog::okAcceptsTypedText() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);

    QWidget window;
    QtPrompts prompts(&window);
    prompts.inputDialog()->Frase = QStringLiteral("before");

    onNextModal<InputDialog>([&](InputDialog* d) {
        if (!d)
            return;
        typeText(d->Text, typed);
        if (byEnter)
            QTest::keyClick(d->Text, Qt::Key_Return);
        else
            QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    const std::optional<QString> answer = prompts.askText(QString());

    QVERIFY(answer.has_value());
    QCOMPARE(*answer, typed);
    QCOMPARE(prompts.inputDialog()->Frase, typed);
    QVERIFY(prompts.inputDialog()->isHidden());
}

void TestInputDialog::secondUseStartsEmptyAndKeepsFrase() {
    QWidget window;
    QtPrompts prompts(&window);
    InputDialog* first = prompts.inputDialog();
    QCOMPARE(first->objectName(), QStringLiteral("Inp"));

    onNextModal<InputDialog>([](InputDialog* d) {
        if (!d)
            return;
        typeText(d->Text, QStringLiteral("кот"));
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    QCOMPARE(prompts.askText(QString()), std::optional<QString>(QStringLiteral("кот")));

    QString textOnOpen = QStringLiteral("not seen");
    QString fraseOnOpen;
    InputDialog* shown = nullptr;
    onNextModal<InputDialog>([&](InputDialog* d) {
        shown = d;
        if (!d)
            return;
        textOnOpen = d->Text->text();
        fraseOnOpen = d->Frase;
        QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    QCOMPARE(prompts.askText(QString()), std::optional<QString>(QString()));

    QCOMPARE(shown, first); // one dialog, reused
    QCOMPARE(textOnOpen, QString());
    QCOMPARE(fraseOnOpen, QStringLiteral("кот"));
    QCOMPARE(first->Frase, QString());
}

void TestInputDialog::closingKeepsFrase_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("close box") << false;
    QTest::newRow("Escape") << true;
}

void TestInputDialog::closingKeepsFrase() {
    QFETCH(bool, byEscape);

    QWidget window;
    QtPrompts prompts(&window);
    prompts.inputDialog()->Frase = QStringLiteral("кот");

    onNextModal<InputDialog>([&](InputDialog* d) {
        if (!d)
            return;
        typeText(d->Text, QStringLiteral("пёс"));
        if (byEscape)
            QTest::keyClick(d->Text, Qt::Key_Escape);
        else
            d->close();
    });
    const std::optional<QString> answer = prompts.askText(QString());

    QCOMPARE(answer, std::nullopt);
    QCOMPARE(prompts.inputDialog()->Frase, QStringLiteral("кот"));
    QVERIFY(!prompts.inputDialog()->lastAccepted());
    QVERIFY(prompts.inputDialog()->isHidden());
}

void TestInputDialog::echoFollowsRequest_data() {
    QTest::addColumn<Prompts::Echo>("echo");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QLineEdit::EchoMode>("mode");

    QTest::newRow("shown") << Prompts::Echo::Shown << QString() << QLineEdit::Normal;
    QTest::newRow("hidden") << Prompts::Echo::Hidden << QString() << QLineEdit::Password;
    QTest::newRow("caption") << Prompts::Echo::Shown << QStringLiteral("Имя") << QLineEdit::Normal;
}

void TestInputDialog::echoFollowsRequest() {
    QFETCH(Prompts::Echo, echo);
    QFETCH(QString, caption);
    QFETCH(QLineEdit::EchoMode, mode);

    QWidget window;
    QtPrompts prompts(&window);
    // A hidden request before must not leak into a shown one, and the other way round.
    const Prompts::Echo other =
        echo == Prompts::Echo::Hidden ? Prompts::Echo::Shown : Prompts::Echo::Hidden;
    onNextModal<InputDialog>([](InputDialog* d) {
        if (d)
            QTest::mouseClick(d->Ok, Qt::LeftButton);
    });
    prompts.askText(QStringLiteral("earlier"), other);

    QLineEdit::EchoMode seenMode = QLineEdit::NoEcho;
    QString seenCaption = QStringLiteral("not seen");
    QString typedShown;
    onNextModal<InputDialog>([&](InputDialog* d) {
        if (!d)
            return;
        seenMode = d->Text->echoMode();
        seenCaption = d->windowTitle();
        typeText(d->Text, QStringLiteral("тайна"));
        typedShown = d->Text->displayText();
        QTest::keyClick(d->Text, Qt::Key_Return);
    });
    const std::optional<QString> answer = prompts.askText(caption, echo);

    QCOMPARE(seenMode, mode);
    QCOMPARE(seenCaption, caption);
    QCOMPARE(answer, std::optional<QString>(QStringLiteral("тайна")));
    QCOMPARE(typedShown == QStringLiteral("тайна"), echo == Prompts::Echo::Shown);
}

void TestInputDialog::focusStaysInText() {
    QWidget window;
    QtPrompts prompts(&window);

    QWidget* afterTab = nullptr;
    QWidget* afterOkFocus = nullptr;
    QLineEdit* text = nullptr;
    onNextModal<InputDialog>([&](InputDialog* d) {
        if (!d)
            return;
        text = d->Text;
        QTest::keyClick(d->Text, Qt::Key_Tab);
        afterTab = d->focusWidget();
        d->Ok->setFocus();
        afterOkFocus = d->focusWidget();
        typeText(d->focusWidget(), QStringLiteral("кот"));
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    const std::optional<QString> answer = prompts.askText(QString());

    QVERIFY(text);
    QCOMPARE(afterTab, text);
    QCOMPARE(afterOkFocus, text);
    QCOMPARE(answer, std::optional<QString>(QStringLiteral("кот")));
}

QTEST_MAIN(TestInputDialog)
#include "tst_inputdialog.moc"
