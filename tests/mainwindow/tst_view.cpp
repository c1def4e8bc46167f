// The main window driven through its controls: start-up, entries, search, title box,
// locking, password, sizes and layout transfer.
#include "databox.h"
#include "support/samplevorn.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"
#include "support/typing.h"
#include "view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include <memory>

using Kind = ScriptedPrompts::Kind;

namespace {

// One window with scripted answers, as every test needs it.
struct Fixture {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view{prompts, random};

    QListWidget* list() const { return view.findChild<QListWidget*>(QStringLiteral("VornList")); }
    QPushButton* button(const char* name) const {
        return view.findChild<QPushButton*>(QLatin1String(name));
    }
    void click(const char* name) const {
        QPushButton* b = button(name);
        QVERIFY2(b, name);
        b->click();
    }
    QLineEdit* fras(int k) const {
        return view.Box(k)->findChild<QLineEdit*>(QStringLiteral("Fras"));
    }
    QPlainTextEdit* tex(int k) const {
        return view.Box(k)->findChild<QPlainTextEdit*>(QStringLiteral("Tex"));
    }
    QStringList listTexts() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    // Shows v unlocked with the card item selected and Modified cleared.
    void open(Vorn v) {
        view.adoptVorn(std::move(v));
        view.TurnEdit(false);
        view.vorn().Modified = false;
    }
    // Selects like a click in the list; clears Modified, which the browsing sets.
    void select(int index) {
        list()->setCurrentRow(index);
        view.vorn().Modified = false;
    }
    // The titles of the entries in list order.
    QStringList titles() const {
        QStringList t;
        for (int p = 1; p <= view.vorn().EntryCount; ++p)
            t << view.vorn().value(p, 1);
        return t;
    }
    void showActive() {
        view.show();
        QApplication::setActiveWindow(&view);
        QVERIFY(QTest::qWaitForWindowActive(&view));
    }
};

QString caption(int p, const QString& title) {
    return QStringLiteral("%1 %2").arg(p, 3, 10, QLatin1Char('0')).arg(title);
}

QStringList captions(const QStringList& titles) {
    QStringList texts{QStringLiteral("000 Форма")};
    for (int i = 0; i < titles.size(); ++i)
        texts << caption(i + 1, titles[i]);
    return texts;
}

QStringList letters(int n) {
    QStringList t;
    for (int i = 0; i < n; ++i)
        t << QString(QChar(u'a' + i));
    return t;
}

// The rows in use must be exactly 1..EntryCount.
bool rowsCompact(const Vorn& v) {
    QSet<int> rows;
    for (int p = 1; p <= v.EntryCount; ++p)
        rows.insert(v.entryOrder(p));
    for (int r = 1; r <= v.EntryCount; ++r)
        if (!rows.contains(r))
            return false;
    return rows.size() == v.EntryCount;
}

} // namespace

class TestView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpState();
    void controlCaptions_data();
    void controlCaptions();
    void menus();
    void about();

    void addVornPositions_data();
    void addVornPositions();
    void addVornRefusesAt500();
    void delVornSelection_data();
    void delVornSelection();
    void delVornThenAddKeepsValues();
    void delVornIgnored_data();
    void delVornIgnored();
    void liftLow_data();
    void liftLow();

    void nextSearch_data();
    void nextSearch();
    void nextFindsNumbers();
    void findAsksForPhrase_data();
    void findAsksForPhrase();
    void countMessage_data();
    void countMessage();

    void titleFollowsTyping();
    void arrowsInTitleBox_data();
    void arrowsInTitleBox();
    void titleFromMiskPopup();
    void miskPopupOnlyOutsideDesign_data();
    void miskPopupOnlyOutsideDesign();
    void browsingSetsModified_data();
    void browsingSetsModified();
    void focusAndDefaultButton();

    void unlockWithPassword_data();
    void unlockWithPassword();
    void lockedModeDisablesEditing();
    void setPass_data();
    void setPass();
    void windowSizeRules();

    void getFormatKeepsDefaultsAndLayout_data();
    void getFormatKeepsDefaultsAndLayout();
    void getFormatClampsTo16Bits_data();
    void getFormatClampsTo16Bits();
    void boxPositionFollowsMoves();
    void organizeTabOrder();
    void organizeKeepsSelectedEntry();
    void adoptVornShowsLocked();
    void resetEmptiesVorn();
};

// --- start-up and fixed parts ------------------------------------------------------------

void TestView::startUpState() {
    Fixture f;
    const Vorn& v = f.view.vorn();
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"New\""));
    QCOMPARE(f.listTexts(), QStringList{QStringLiteral("000 Форма")});
    QCOMPARE(f.list()->currentRow(), 0);
    QCOMPARE(v.Unlocked, true);
    QCOMPARE(v.Designing, true);
    QCOMPARE(v.Modified, false);
    QCOMPARE(v.BoxCount, qint16(0));
    QCOMPARE(v.EntryCount, qint16(0));
    QCOMPARE(v.TitleBox, qint16(-1));
    QCOMPARE(v.CardWidth, qint16(0)); // Reset is not run at start-up
    QCOMPARE(v.VornName, QStringLiteral("New"));
    QCOMPARE(v.StartDir, QDir::currentPath());
    QCOMPARE(v.boxOrder(50), qint16(50));
    QCOMPARE(f.view.size(), QSize(8880 / 15, 7725 / 15));
    for (int k = 0; k < 50; ++k) {
        QVERIFY(f.view.Box(k));
        QCOMPARE(f.view.Box(k)->objectName(), QStringLiteral("Box(%1)").arg(k));
        QVERIFY(!f.view.Box(k)->isVisibleTo(&f.view));
    }
    QCOMPARE(f.view.Box(50), nullptr);
    QCOMPARE(f.view.Box(-1), nullptr);
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestView::controlCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("AddVorn") << "AddVorn"
                             << "Добавить";
    QTest::newRow("DelVorn") << "DelVorn"
                             << "Убрать";
    QTest::newRow("Lift") << "Lift"
                          << "Вверх";
    QTest::newRow("Low") << "Low"
                         << "Вниз";
    QTest::newRow("Find") << "Find"
                          << "Найти";
    QTest::newRow("Next") << "Next"
                          << "далее...";
    QTest::newRow("AddList") << "AddList"
                             << "Добавить список";
    QTest::newRow("AddText") << "AddText"
                             << "Добавить текст";
    QTest::newRow("AddFrase") << "AddFrase"
                              << "Добавить фразу";
    QTest::newRow("AddPic") << "AddPic"
                            << "Добавить картинку";
    QTest::newRow("AddNum") << "AddNum"
                            << "Добавить число";
    QTest::newRow("SetPass") << "SetPass"
                             << "Установить пароль";
    QTest::newRow("Locker") << "Locker"
                            << "Фиксировать";
    QTest::newRow("HeadNam") << "HeadNam"
                             << "Новое поле";
    QTest::newRow("Label2") << "Label2"
                            << "Заглавие:";
}

void TestView::controlCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Fixture f;
    QWidget* w = f.view.findChild<QWidget*>(name);
    QVERIFY(w);
    QString shown;
    if (auto* b = qobject_cast<QPushButton*>(w))
        shown = b->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        shown = e->text();
    else if (auto* l = qobject_cast<QLabel*>(w))
        shown = l->text();
    QCOMPARE(shown, text);
    QVERIFY(w->isEnabled());
}

void TestView::menus() {
    Fixture f;
    QStringList bar;
    for (QAction* a : f.view.menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"Ворн", "Посчитать", "Помощь"}));

    QVERIFY(f.view.findChild<QMenu*>(QStringLiteral("mVorn")));
    QVERIFY(f.view.findChild<QMenu*>(QStringLiteral("mCounting")));

    auto* readme = f.view.findChild<QAction*>(QStringLiteral("mReadme"));
    QVERIFY(readme);
    QCOMPARE(readme->text(), QStringLiteral("Readme .txt"));
    QVERIFY(readme->isVisible());

    auto* misk = f.view.findChild<QMenu*>(QStringLiteral("mMisk"));
    QVERIFY(misk);
    QCOMPARE(misk->title(), QStringLiteral("Разное"));
    QVERIFY(!f.view.menuBar()->actions().contains(misk->menuAction()));
    auto* front = f.view.findChild<QAction*>(QStringLiteral("mFront2"));
    QVERIFY(front);
    QCOMPARE(front->text(), QStringLiteral("Заглавный"));
}

void TestView::about() {
    Fixture f;
    auto* item = f.view.findChild<QAction*>(QStringLiteral("mAbout"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("О программе"));
    item->trigger();
    QCOMPARE(f.prompts.messages(),
             QStringList{"Тессаворн v0.99b\n\nИнструкции читайте в файле Readme.txt ."});
}

// --- adding, removing, moving ---------------------------------------------------------------

void TestView::addVornPositions_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("expected");
    QTest::newRow("card item selected: new entry 1") << 6 << 0 << 1;
    QTest::newRow("entry 4 of 6: new entry 5") << 6 << 4 << 5;
    QTest::newRow("last entry: appended") << 6 << 6 << 7;
    QTest::newRow("empty vorn") << 0 << 0 << 1;
}

void TestView::addVornPositions() {
    QFETCH(int, entries);
    QFETCH(int, selected);
    QFETCH(int, expected);
    Fixture f;
    f.open(SampleVorn::titled(letters(entries)));
    f.select(selected);

    f.click("AddVorn");

    QStringList titles = letters(entries);
    titles.insert(expected - 1, QStringLiteral("имя?"));
    const Vorn& v = f.view.vorn();
    QCOMPARE(v.EntryCount, qint16(entries + 1));
    QCOMPARE(f.list()->currentRow(), expected);
    QCOMPARE(f.listTexts(), captions(titles));
    QCOMPARE(f.titles(), titles);
    // The new entry starts with the card's default values, the others keep theirs.
    QCOMPARE(v.value(expected, 2), QStringLiteral("пусто"));
    for (int p = 1; p <= v.EntryCount; ++p)
        if (p != expected)
            QCOMPARE(v.value(p, 2), QStringLiteral("заметка ") + titles[p - 1]);
    QCOMPARE(f.view.Box(0)->Data(), QStringLiteral("имя?"));
    QCOMPARE(v.Modified, true);
    QVERIFY(rowsCompact(v));
}

void TestView::addVornRefusesAt500() {
    Fixture f;
    f.open(SampleVorn::numbered(500));
    f.select(250);
    f.click("AddVorn");
    QCOMPARE(f.prompts.messages(), QStringList{"В ворне уже 500 записей: больше добавить нельзя."});
    QCOMPARE(f.view.vorn().EntryCount, qint16(500));
    QCOMPARE(f.list()->count(), 501);
    QCOMPARE(f.list()->currentRow(), 250);
    QCOMPARE(f.view.vorn().value(251, 1), QStringLiteral("e251"));
    QCOMPARE(f.view.vorn().Modified, false);
}

void TestView::delVornSelection_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("expected");
    QTest::newRow("middle: the next one moves up") << 6 << 3 << 3;
    QTest::newRow("second to last") << 6 << 5 << 5;
    QTest::newRow("last: the one before") << 6 << 6 << 5;
    QTest::newRow("first") << 6 << 1 << 1;
    QTest::newRow("only entry: the card item") << 1 << 1 << 0;
}

void TestView::delVornSelection() {
    QFETCH(int, entries);
    QFETCH(int, selected);
    QFETCH(int, expected);
    Fixture f;
    f.open(SampleVorn::titled(letters(entries)));
    f.select(selected);

    f.click("DelVorn");

    QStringList titles = letters(entries);
    titles.removeAt(selected - 1);
    const Vorn& v = f.view.vorn();
    QCOMPARE(v.EntryCount, qint16(entries - 1));
    QCOMPARE(f.list()->currentRow(), expected);
    QCOMPARE(f.listTexts(), captions(titles));
    QCOMPARE(f.titles(), titles);
    for (int p = 1; p <= v.EntryCount; ++p)
        QCOMPARE(v.value(p, 2), QStringLiteral("заметка ") + titles[p - 1]);
    // The boxes show what is now selected.
    QCOMPARE(f.view.Box(0)->Data(), expected == 0 ? QStringLiteral("имя?") : titles[expected - 1]);
    QCOMPARE(v.Designing, expected == 0);
    QCOMPARE(v.Modified, true);
    QVERIFY(rowsCompact(v));
}

void TestView::delVornThenAddKeepsValues() {
    Fixture f;
    f.open(SampleVorn::titled(letters(6)));
    // Move entries about first so that list positions and rows differ.
    f.select(1);
    f.click("Low");
    f.click("Low");
    f.select(3);
    f.click("DelVorn");
    f.click("AddVorn");
    f.select(1);
    f.click("DelVorn");
    f.click("AddVorn");

    // b c a d e f after the moves; a goes, X after d; b goes, X after c.
    const QString x = QStringLiteral("имя?");
    const QStringList expected{"c", x, "d", x, "e", "f"};
    const Vorn& v = f.view.vorn();
    QCOMPARE(f.titles(), expected);
    for (int p = 1; p <= v.EntryCount; ++p) {
        const QString note = expected[p - 1] == QStringLiteral("имя?")
                                 ? QStringLiteral("пусто")
                                 : QStringLiteral("заметка ") + expected[p - 1];
        QCOMPARE(v.value(p, 2), note);
    }
    QCOMPARE(f.listTexts(), captions(expected));
    QVERIFY(rowsCompact(v));
}

void TestView::delVornIgnored_data() {
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("selected");
    QTest::newRow("card item selected") << false << 0;
    QTest::newRow("locked") << true << 2;
}

void TestView::delVornIgnored() {
    QFETCH(bool, locked);
    QFETCH(int, selected);
    Fixture f;
    f.open(SampleVorn::titled(letters(3)));
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    f.view.vorn().Modified = false;
    f.click("DelVorn");
    QCOMPARE(f.titles(), letters(3));
    QCOMPARE(f.list()->count(), 4);
    QCOMPARE(f.list()->currentRow(), selected);
    QCOMPARE(f.view.vorn().Modified, false);
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestView::liftLow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("order");
    const QStringList same{"a", "b", "c", "d"};
    QTest::newRow("Lift 3") << "Lift" << false << 3 << 2 << QStringList{"a", "c", "b", "d"};
    QTest::newRow("Lift 2") << "Lift" << false << 2 << 1 << QStringList{"b", "a", "c", "d"};
    QTest::newRow("Lift on entry 1") << "Lift" << false << 1 << 1 << same;
    QTest::newRow("Lift on the card") << "Lift" << false << 0 << 0 << same;
    QTest::newRow("Lift locked") << "Lift" << true << 3 << 3 << same;
    QTest::newRow("Low 1") << "Low" << false << 1 << 2 << QStringList{"b", "a", "c", "d"};
    QTest::newRow("Low 3") << "Low" << false << 3 << 4 << QStringList{"a", "b", "d", "c"};
    QTest::newRow("Low on the last") << "Low" << false << 4 << 4 << same;
    QTest::newRow("Low on the card") << "Low" << false << 0 << 0 << same;
    QTest::newRow("Low locked") << "Low" << true << 1 << 1 << same;
}

void TestView::liftLow() {
    QFETCH(QString, button);
    QFETCH(bool, locked);
    QFETCH(int, selected);
    QFETCH(int, expected);
    QFETCH(QStringList, order);
    Fixture f;
    f.open(SampleVorn::titled(letters(4)));
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    f.view.vorn().Modified = false;

    f.click(button.toLatin1().constData());

    const Vorn& v = f.view.vorn();
    QCOMPARE(f.titles(), order);
    QCOMPARE(f.listTexts(), captions(order));
    QCOMPARE(f.list()->currentRow(), expected);
    // Only the order moves: every entry keeps its note.
    for (int p = 1; p <= v.EntryCount; ++p)
        QCOMPARE(v.value(p, 2), QStringLiteral("заметка ") + order[p - 1]);
    QCOMPARE(v.Modified, order != (QStringList{"a", "b", "c", "d"}));
}

// --- searching and counting ----------------------------------------------------------------

namespace {
const QStringList animals{"Кот", "собака", "КОТЁНОК", "мышь", "кот"};
}

void TestView::nextSearch_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected"); // -1: no match, a beep and the selection stays
    QTest::newRow("from the card, first match") << "кот" << 0 << 1;
    QTest::newRow("capitals found by lower case") << "кот" << 1 << 3;
    QTest::newRow("lower case found by capitals") << "КОТ" << 3 << 5;
    QTest::newRow("wraps round to the start") << "кот" << 5 << 1;
    QTest::newRow("only match is the current one") << "мышь" << 4 << 4;
    QTest::newRow("no match beeps") << "слон" << 2 << -1;
    QTest::newRow("no match from the card") << "слон" << 0 << -1;
    QTest::newRow("empty phrase steps on") << "" << 2 << 3;
    QTest::newRow("empty phrase from the last wraps") << "" << 5 << 1;
    QTest::newRow("number part of the caption") << "003" << 0 << 3;
    QTest::newRow("Cyrillic capital phrase") << "СОБ" << 4 << 2;
}

void TestView::nextSearch() {
    QFETCH(QString, phrase);
    QFETCH(int, start);
    QFETCH(int, expected);
    Fixture f;
    f.open(SampleVorn::titled(animals));
    f.select(start);
    f.view.vorn().SearchPhrase = phrase;

    f.click("Next");

    QCOMPARE(f.list()->currentRow(), expected < 0 ? start : expected);
    QCOMPARE(f.prompts.beeps(), expected < 0 ? 1 : 0);
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestView::nextFindsNumbers() {
    Fixture f;
    f.open(SampleVorn::numbered(70));
    f.view.vorn().SearchPhrase = QStringLiteral("07");
    QList<int> visited;
    for (int i = 0; i < 3; ++i) {
        f.click("Next");
        visited << f.list()->currentRow();
    }
    QCOMPARE(visited, (QList<int>{7, 70, 7}));
    QCOMPARE(f.prompts.beeps(), 0);
}

void TestView::findAsksForPhrase_data() {
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("OK with a phrase searches") << true << "соба" << 2 << "соба";
    QTest::newRow("OK with an empty text steps on") << true << "" << 2 << "";
    QTest::newRow("closed through the frame") << false << "" << 1 << "мышь";
}

void TestView::findAsksForPhrase() {
    QFETCH(bool, answered);
    QFETCH(QString, answer);
    QFETCH(int, expected);
    QFETCH(QString, phrase);
    Fixture f;
    f.open(SampleVorn::titled(animals));
    f.select(1);
    f.view.vorn().SearchPhrase = QStringLiteral("мышь");
    f.prompts.queueText(answered ? std::optional<QString>(answer) : std::nullopt);

    f.click("Find");

    const auto questions = f.prompts.asked(Kind::Text);
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.constFirst().text, QString());
    QCOMPARE(questions.constFirst().echo, Prompts::Echo::Shown);
    QCOMPARE(f.view.vorn().SearchPhrase, phrase);
    QCOMPARE(f.list()->currentRow(), expected);
    QCOMPARE(f.prompts.beeps(), 0);
}

void TestView::countMessage_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("message");
    QTest::newRow("three of five") << animals << "кот"
                                   << "Найдено 3 случаев.";
    QTest::newRow("empty phrase counts all") << animals << ""
                                             << "Найдено 5 случаев.";
    QTest::newRow("none found") << animals << "слон"
                                << "Найдено 0 случаев.";
    QTest::newRow("no entries") << QStringList() << ""
                                << "Найдено 0 случаев.";
}

void TestView::countMessage() {
    QFETCH(QStringList, titles);
    QFETCH(QString, phrase);
    QFETCH(QString, message);
    Fixture f;
    f.open(SampleVorn::titled(titles));
    const int start = titles.isEmpty() ? 0 : 2;
    f.select(start);
    f.view.vorn().SearchPhrase = phrase;

    QTest::mousePress(f.button("Next"), Qt::RightButton);
    QTest::mouseRelease(f.button("Next"), Qt::RightButton);

    QCOMPARE(f.prompts.messages(), QStringList{message});
    QCOMPARE(f.prompts.asked().constFirst().title, QStringLiteral("Tessavorn"));
    QCOMPARE(f.list()->currentRow(), start);
    QCOMPARE(f.prompts.beeps(), 0);
}

// --- the title box -------------------------------------------------------------------------

void TestView::titleFollowsTyping() {
    Fixture f;
    f.open(SampleVorn::titled({"a", "b", "c"}));
    f.select(2);
    QLineEdit* editor = f.fras(0);
    QVERIFY(editor);
    editor->clear();
    QCOMPARE(f.list()->item(2)->text(), QStringLiteral("002 "));
    const QString typed = QStringLiteral("Лис");
    for (int i = 0; i < typed.size(); ++i) {
        typeText(editor, typed.mid(i, 1));
        QCOMPARE(f.list()->item(2)->text(), QStringLiteral("002 ") + typed.left(i + 1));
    }
    QCOMPARE(f.view.vorn().value(2, 1), typed);
    QCOMPARE(f.listTexts(), captions({"a", "Лис", "c"}));
    QCOMPARE(f.view.vorn().descriptor(1).DefaultValue, QStringLiteral("имя?"));
    QCOMPARE(f.view.vorn().Modified, true);
}

void TestView::arrowsInTitleBox_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("Up on entry 1 shows the card") << 1 << int(Qt::Key_Up) << 0;
    QTest::newRow("Up on entry 3") << 3 << int(Qt::Key_Up) << 2;
    QTest::newRow("Up on the card") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("Down from the card") << 0 << int(Qt::Key_Down) << 1;
    QTest::newRow("Down on entry 2") << 2 << int(Qt::Key_Down) << 3;
    QTest::newRow("Down on the last") << 3 << int(Qt::Key_Down) << 3;
    QTest::newRow("other keys") << 2 << int(Qt::Key_PageDown) << 2;
}

void TestView::arrowsInTitleBox() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    Fixture f;
    f.open(SampleVorn::titled({"a", "b", "c"}));
    f.select(start);
    QTest::keyClick(f.fras(0), static_cast<Qt::Key>(key));
    QCOMPARE(f.list()->currentRow(), expected);
    const QStringList shown{"имя?", "a", "b", "c"};
    QCOMPARE(f.view.Box(0)->Data(), shown[expected]);
    QCOMPARE(f.view.vorn().Designing, expected == 0);
}

void TestView::titleFromMiskPopup() {
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    f.select(1);
    QVERIFY(f.view.Box(0)->HeaderFont().bold());

    Q_EMIT f.view.Box(1)->MouseUp(2, 0, 10.0, 10.0);

    auto* misk = f.view.findChild<QMenu*>(QStringLiteral("mMisk"));
    QVERIFY(misk->isVisible());
    QCOMPARE(f.view.vorn().MenuBox, qint16(1));
    f.view.findChild<QAction*>(QStringLiteral("mFront2"))->trigger();
    misk->hide();

    QCOMPARE(f.view.vorn().TitleBox, qint16(2));
    QVERIFY(!f.view.Box(0)->HeaderFont().bold());
    QVERIFY(f.view.Box(1)->HeaderFont().bold());
    QCOMPARE(f.listTexts(), captions({"заметка a", "заметка b"}));
    QCOMPARE(f.view.vorn().Modified, true);
}

void TestView::miskPopupOnlyOutsideDesign_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("shown");
    QTest::newRow("entry, right button") << 1 << false << 2 << true;
    QTest::newRow("card while locked") << 0 << true << 2 << true;
    QTest::newRow("designing: not this menu") << 0 << false << 2 << false;
    QTest::newRow("left button") << 1 << false << 1 << false;
    QTest::newRow("middle button") << 1 << false << 4 << false;
}

void TestView::miskPopupOnlyOutsideDesign() {
    QFETCH(int, selected);
    QFETCH(bool, locked);
    QFETCH(int, button);
    QFETCH(bool, shown);
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    f.select(selected);
    if (locked)
        f.view.TurnEdit(true);
    f.view.vorn().MenuBox = 0;
    Q_EMIT f.view.Box(1)->MouseUp(button, 0, 10.0, 10.0);
    auto* misk = f.view.findChild<QMenu*>(QStringLiteral("mMisk"));
    QCOMPARE(misk->isVisible(), shown);
    // Every right-button release names the box; while designing the card menu opens.
    QCOMPARE(f.view.vorn().MenuBox, qint16(button == 2 ? 1 : 0));
    misk->hide();
    if (auto* card = f.view.findChild<QMenu*>(QStringLiteral("mBox")))
        card->hide();
}

void TestView::browsingSetsModified_data() {
    QTest::addColumn<bool>("withBoxes");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("modified");
    QTest::newRow("card with boxes") << true << false << true;
    QTest::newRow("card with boxes, locked") << true << true << true;
    QTest::newRow("card without boxes") << false << false << false;
}

void TestView::browsingSetsModified() {
    QFETCH(bool, withBoxes);
    QFETCH(bool, locked);
    QFETCH(bool, modified);
    Fixture f;
    Vorn v = withBoxes ? SampleVorn::titled({"a", "b"})
                       : SampleVorn::make({}, {QStringList(), QStringList()});
    f.view.adoptVorn(std::move(v));
    if (!locked)
        f.view.TurnEdit(false);
    QCOMPARE(f.view.vorn().Modified, false);
    f.list()->setCurrentRow(2);
    QCOMPARE(f.view.vorn().Modified, modified);
    // Showing stores the same values again: nothing is lost on the way.
    if (withBoxes)
        QCOMPARE(f.titles(), (QStringList{"a", "b"}));
}

void TestView::focusAndDefaultButton() {
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    f.showActive();
    QPushButton* add = f.button("AddVorn");
    QVERIFY(add->isDefault());

    // From the card to an entry the focus stays, from entry to entry it goes to the title.
    f.list()->setFocus();
    f.list()->setCurrentRow(1);
    QCOMPARE(QApplication::focusWidget(), f.list());
    f.list()->setCurrentRow(2);
    QVERIFY(f.view.Box(0)->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(add->isDefault());

    // Enter in a text box makes a new line, in a phrase box it adds an entry.
    f.tex(1)->setFocus();
    QVERIFY(!add->isDefault());
    QTest::keyClick(f.tex(1), Qt::Key_End);
    QTest::keyClick(f.tex(1), Qt::Key_Return);
    QCOMPARE(f.view.vorn().EntryCount, qint16(2));
    QCOMPARE(f.view.vorn().value(2, 2), QStringLiteral("заметка b\n"));

    f.fras(0)->setFocus();
    QVERIFY(add->isDefault());
    QTest::keyClick(f.fras(0), Qt::Key_Return);
    QCOMPARE(f.view.vorn().EntryCount, qint16(3));
    QCOMPARE(f.list()->currentRow(), 3);
}

// --- locking and the password ----------------------------------------------------------------

void TestView::unlockWithPassword_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("unlocked");
    QTest::addColumn<bool>("wrongMessage");
    QTest::newRow("no password asks nothing") << "" << false << "" << true << false;
    QTest::newRow("right password") << "Кот 1" << true << "Кот 1" << true << false;
    QTest::newRow("letter case differs") << "Кот 1" << true << "кот 1" << false << true;
    QTest::newRow("trailing blank") << "Кот 1" << true << "Кот 1 " << false << true;
    QTest::newRow("empty answer") << "Кот 1" << true << "" << false << true;
    QTest::newRow("closed through the frame") << "Кот 1" << false << "" << false << false;
    QTest::newRow("password of blanks") << "  " << true << "  " << true << false;
}

void TestView::unlockWithPassword() {
    QFETCH(QString, password);
    QFETCH(bool, answered);
    QFETCH(QString, answer);
    QFETCH(bool, unlocked);
    QFETCH(bool, wrongMessage);
    Fixture f;
    Vorn v = SampleVorn::titled({"a"});
    v.Password = password;
    f.view.adoptVorn(std::move(v)); // loading locks without asking
    QVERIFY(f.prompts.asked().isEmpty());
    QCOMPARE(f.view.vorn().Unlocked, false);
    if (!password.isEmpty())
        f.prompts.queueText(answered ? std::optional<QString>(answer) : std::nullopt);

    f.click("Locker");

    QCOMPARE(f.view.vorn().Unlocked, unlocked);
    QCOMPARE(f.view.vorn().Designing, unlocked);
    QCOMPARE(f.button("AddFrase")->isEnabled(), unlocked);
    QCOMPARE(f.view.Box(0)->Locked(), !unlocked);
    const auto questions = f.prompts.asked(Kind::Text);
    QCOMPARE(questions.size(), password.isEmpty() ? 0 : 1);
    if (!questions.isEmpty())
        QCOMPARE(questions.constFirst().echo, Prompts::Echo::Hidden);
    QCOMPARE(f.prompts.messages(), wrongMessage ? QStringList{"Неверный пароль!"} : QStringList());
    QCOMPARE(f.view.vorn().Password, password);
    QCOMPARE(f.view.vorn().Modified, false);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

void TestView::lockedModeDisablesEditing() {
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    f.view.vorn().Password = QStringLiteral("x");
    f.click("Locker"); // locking never asks
    QVERIFY(f.prompts.asked().isEmpty());
    const Vorn& v = f.view.vorn();
    QCOMPARE(v.Unlocked, false);
    QCOMPARE(v.Designing, false);
    for (const char* name : {"AddList", "AddText", "AddFrase", "AddPic", "AddNum", "SetPass"})
        QVERIFY2(!f.button(name)->isEnabled(), name);
    QVERIFY(!f.view.findChild<QLineEdit*>(QStringLiteral("HeadNam"))->isEnabled());
    QVERIFY(f.view.Box(0)->Locked());
    QVERIFY(f.view.Box(1)->Locked());
    QVERIFY(!f.view.Box(2)->Locked()); // boxes off the card are left alone

    // Browsing and searching still work; changing does not.
    f.list()->setCurrentRow(1);
    QCOMPARE(f.view.Box(0)->Data(), QStringLiteral("a"));
    f.click("AddVorn");
    QCOMPARE(v.EntryCount, qint16(2));
}

void TestView::setPass_data() {
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("modified");
    QTest::newRow("new password") << true << "Тайна"
                                  << "Тайна" << true;
    QTest::newRow("empty answer removes it") << true << ""
                                             << "" << true;
    QTest::newRow("closed through the frame keeps it") << false << ""
                                                       << "старый" << false;
}

void TestView::setPass() {
    QFETCH(bool, answered);
    QFETCH(QString, answer);
    QFETCH(QString, password);
    QFETCH(bool, modified);
    Fixture f;
    f.open(SampleVorn::titled({"a"}));
    f.view.vorn().Password = QStringLiteral("старый");
    f.prompts.queueText(answered ? std::optional<QString>(answer) : std::nullopt);

    f.click("SetPass");

    const auto questions = f.prompts.asked(Kind::Text);
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.constFirst().echo, Prompts::Echo::Shown);
    QCOMPARE(f.view.vorn().Password, password);
    QCOMPARE(f.view.vorn().Modified, modified);
    QCOMPARE(f.view.vorn().Unlocked, true); // setting does not lock
    QVERIFY(f.prompts.messages().isEmpty());

    // The next unlocking asks for the password now in force.
    f.click("Locker");
    if (!password.isEmpty())
        f.prompts.queueText(password);
    f.click("Locker");
    QCOMPARE(f.view.vorn().Unlocked, true);
    QCOMPARE(f.prompts.asked(Kind::Text).size(), password.isEmpty() ? 1 : 2);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

void TestView::windowSizeRules() {
    Fixture f;
    const QSize smallest(8880 / 15, 7725 / 15);
    f.view.resize(300, 200);
    QCOMPARE(f.view.size(), smallest);
    f.view.resize(800, 700);
    QCOMPARE(f.view.size(), QSize(800, 700));

    f.click("Locker");
    QCOMPARE(f.view.vorn().CardWidth, qint16(800 * 15));
    QCOMPARE(f.view.vorn().CardHeight, qint16(700 * 15));
    f.view.resize(1000, 900);
    QCOMPARE(f.view.size(), QSize(800, 700));
    f.view.resize(600, 520);
    QCOMPARE(f.view.size(), QSize(800, 700));

    f.click("Locker");
    f.view.resize(600, 520);
    QCOMPARE(f.view.size(), QSize(600, 520));
    f.view.resize(100, 100);
    QCOMPARE(f.view.size(), smallest);
}

// --- layout transfer -----------------------------------------------------------------------------

namespace {
// Every kind of box once, at positions that are not whole pixels.
Vorn everyKind() {
    using SampleVorn::box;
    return SampleVorn::make(
        {box(BoxKind::Phrase, "Фраза", "ф", 2201, 901, 2),
         box(BoxKind::Word, "Слово", "", 5003, 907, 4),
         box(BoxKind::Text, "Текст", "т", 2213, 2500, 7),
         box(BoxKind::Picture, "Картинка", "", 6001, 3001, 11),
         box(BoxKind::List, "Список", "\x0bx\x0by", 2999, 5002, 12),
         box(BoxKind::Number, "Число", "42", 7777, 1234, 5)},
        {{"ф1", "", "т1", "", "\x0bx", "1"}, {"ф2", "", "т2", "", "\x0by", "2"}}, 1);
}
} // namespace

void TestView::getFormatKeepsDefaultsAndLayout_data() {
    QTest::addColumn<int>("selected");
    QTest::newRow("card item") << 0;
    QTest::newRow("entry selected") << 2;
}

void TestView::getFormatKeepsDefaultsAndLayout() {
    QFETCH(int, selected);
    Fixture f;
    const Vorn original = everyKind();
    f.open(original);
    f.select(selected);

    std::vector<QString> defaults;
    for (int j = 1; j <= original.BoxCount; ++j)
        defaults.push_back(f.view.vorn().descriptor(j).DefaultValue);

    f.view.GetFormat();

    for (int j = 1; j <= original.BoxCount; ++j) {
        const BoxDescriptor& before = original.descriptor(j);
        const BoxDescriptor& after = f.view.vorn().descriptor(j);
        QCOMPARE(after.Type, before.Type);
        QCOMPARE(after.Header, before.Header);
        QCOMPARE(after.HeadPose, before.HeadPose);
        QCOMPARE(after.Left, before.Left);
        QCOMPARE(after.Top, before.Top);
        QCOMPARE(after.DefaultValue, defaults[size_t(j - 1)]);
    }
    // Defaults keep what the card showed (a list value as the box normalised it).
    QCOMPARE(f.view.vorn().descriptor(1).DefaultValue, QStringLiteral("ф"));
    QCOMPARE(f.view.vorn().descriptor(3).DefaultValue, QStringLiteral("т"));
    QCOMPARE(f.view.vorn().descriptor(6).DefaultValue, QStringLiteral("42"));
    QCOMPARE(f.view.vorn().descriptor(5).DefaultValue, QStringLiteral("\x0bx\x0by"));
    QCOMPARE(f.view.vorn().CardWidth, qint16(8880));
    QCOMPARE(f.view.vorn().CardHeight, qint16(7725));
}

void TestView::getFormatClampsTo16Bits_data() {
    QTest::addColumn<int>("windowPixels");
    QTest::addColumn<int>("boxTwips");
    QTest::addColumn<int>("expectedWindow");
    QTest::addColumn<int>("expectedBox");
    QTest::newRow("inside 16 bits") << 2000 << 30000 << 30000 << 30000;
    QTest::newRow("largest") << 2184 << 32767 << 32760 << 32767;
    QTest::newRow("beyond: clamped, not wrapped") << 2300 << 40000 << 32767 << 32767;
}

void TestView::getFormatClampsTo16Bits() {
    QFETCH(int, windowPixels);
    QFETCH(int, boxTwips);
    QFETCH(int, expectedWindow);
    QFETCH(int, expectedBox);
    Fixture f;
    f.open(SampleVorn::titled({"a"}));
    f.view.resize(windowPixels, windowPixels);
    f.view.placeBox(1, boxTwips, boxTwips);
    f.view.GetFormat();
    QCOMPARE(int(f.view.vorn().CardWidth), expectedWindow);
    QCOMPARE(int(f.view.vorn().CardHeight), expectedWindow);
    QCOMPARE(int(f.view.vorn().descriptor(2).Left), expectedBox);
    QCOMPARE(int(f.view.vorn().descriptor(2).Top), expectedBox);
}

void TestView::boxPositionFollowsMoves() {
    Fixture f;
    f.open(SampleVorn::titled({"a"}));
    f.view.placeBox(0, 2201, 907);
    QCOMPARE(f.view.boxPosition(0), QPoint(2201, 907));
    // Moved by other means: the exact record no longer applies.
    f.view.Box(0)->moveTwips(3000, 1500);
    QCOMPARE(f.view.boxPosition(0), QPoint(3000, 1500));
    f.view.GetFormat();
    QCOMPARE(f.view.vorn().descriptor(1).Left, qint16(3000));
    QCOMPARE(f.view.vorn().descriptor(1).Top, qint16(1500));
}

void TestView::organizeTabOrder() {
    Fixture f;
    Vorn v = everyKind();
    // Output order: word, text, phrase, picture, number, list.
    const QList<qint16> order{3, 1, 2, 4, 6, 5};
    for (int j = 1; j <= order.size(); ++j)
        v.setBoxOrder(j, order[j - 1]);
    f.open(std::move(v));

    QVERIFY(!f.view.Box(1)->tabStop());
    QVERIFY(!f.view.Box(3)->tabStop());
    QList<int> visited; // 1-based box numbers in Tab order after Locker
    QWidget* w = f.button("Locker");
    for (int step = 0; step < 500 && visited.size() < 6; ++step) {
        w = w->nextInFocusChain();
        if (w == f.button("Locker"))
            break;
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&f.view) || !w->isEnabled())
            continue;
        for (int k = 0; k < 6; ++k)
            if (f.view.Box(k)->isAncestorOf(w) && (visited.isEmpty() || visited.last() != k + 1))
                visited << k + 1;
    }
    QCOMPARE(visited, (QList<int>{3, 1, 6, 5}));
}

void TestView::organizeKeepsSelectedEntry() {
    Fixture f;
    f.open(SampleVorn::titled({"a", "b"}));
    f.select(2);
    f.view.Organize();
    // Rebuilding the boxes must not write the card's defaults into the shown entry.
    QCOMPARE(f.titles(), (QStringList{"a", "b"}));
    QCOMPARE(f.view.vorn().value(2, 2), QStringLiteral("заметка b"));
    QCOMPARE(f.view.Box(0)->Data(), QStringLiteral("b"));
    QCOMPARE(f.view.Box(1)->Data(), QStringLiteral("заметка b"));
    QCOMPARE(f.view.vorn().descriptor(1).DefaultValue, QStringLiteral("имя?"));
}

void TestView::adoptVornShowsLocked() {
    Fixture f;
    f.view.vorn().SearchPhrase = QStringLiteral("ищу");
    f.view.vorn().ListBuffer = QStringLiteral("\x0bбуфер");
    Vorn v = everyKind();
    v.Password = QStringLiteral("секрет");
    v.VornName = QStringLiteral("Зоопарк");
    v.StartDir = QStringLiteral("/elsewhere");
    v.SearchPhrase = QStringLiteral("чужое");
    v.Modified = true;

    f.view.adoptVorn(std::move(v));

    const Vorn& now = f.view.vorn();
    QVERIFY(f.prompts.asked().isEmpty());
    QCOMPARE(now.Unlocked, false);
    QCOMPARE(now.Designing, false);
    QCOMPARE(now.Modified, false);
    QCOMPARE(now.Password, QStringLiteral("секрет"));
    QCOMPARE(now.StartDir, QDir::currentPath());
    QCOMPARE(now.SearchPhrase, QStringLiteral("ищу"));
    QCOMPARE(now.ListBuffer, QStringLiteral("\x0bбуфер"));
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Ворн \"Зоопарк\""));
    QCOMPARE(f.listTexts(), captions({"ф1", "ф2"}));
    QCOMPARE(f.list()->currentRow(), 0);
    QCOMPARE(f.view.size(), QSize(8880 / 15, 7725 / 15));

    // A number box is a phrase box 500 twips long; only the title box is bold.
    QCOMPARE(f.view.Box(5)->BoxType(), BoxKind::Phrase);
    QCOMPARE(f.view.Box(5)->Length(), BoxKind::NumberLength);
    QCOMPARE(f.view.Box(5)->Data(), QStringLiteral("42"));
    QCOMPARE(f.view.Box(4)->BoxType(), BoxKind::List);
    QCOMPARE(f.view.Box(1)->BoxType(), BoxKind::Word);
    QVERIFY(f.view.Box(0)->HeaderFont().bold());
    for (int k = 1; k < 6; ++k)
        QVERIFY(!f.view.Box(k)->HeaderFont().bold());
    for (int k = 0; k < 6; ++k) {
        QVERIFY(f.view.Box(k)->isVisibleTo(&f.view));
        QVERIFY(f.view.Box(k)->Locked());
    }
    QVERIFY(!f.view.Box(6)->isVisibleTo(&f.view));
    QCOMPARE(f.view.boxPosition(2), QPoint(2213, 2500));
    QCOMPARE(f.view.Box(2)->pos(), QPoint(148, 167));
}

void TestView::resetEmptiesVorn() {
    Fixture f;
    Vorn v = everyKind();
    v.Password = QStringLiteral("секрет");
    v.VornName = QStringLiteral("Зоопарк");
    v.setBoxOrder(1, 4);
    f.view.adoptVorn(std::move(v));
    f.view.vorn().SearchPhrase = QStringLiteral("ищу");
    f.list()->setCurrentRow(2);

    f.view.Reset();

    const Vorn& now = f.view.vorn();
    QVERIFY(f.prompts.asked().isEmpty()); // the password went with the vorn
    QCOMPARE(now.Unlocked, true);
    QCOMPARE(now.Designing, true);
    QCOMPARE(now.Modified, false);
    QCOMPARE(now.BoxCount, qint16(0));
    QCOMPARE(now.EntryCount, qint16(0));
    QCOMPARE(now.TitleBox, qint16(-1));
    QCOMPARE(now.Password, QString());
    QCOMPARE(now.CardWidth, qint16(8880));
    QCOMPARE(now.CardHeight, qint16(7725));
    QCOMPARE(now.VornName, QStringLiteral("Зоопарк"));
    QCOMPARE(now.SearchPhrase, QStringLiteral("ищу"));
    QCOMPARE(now.boxOrder(1), qint16(4));
    QCOMPARE(f.listTexts(), QStringList{QStringLiteral("000 Форма")});
    QCOMPARE(f.list()->currentRow(), 0);
    QVERIFY(f.button("AddFrase")->isEnabled());
    for (int k = 0; k < 50; ++k) {
        QVERIFY(!f.view.Box(k)->isVisibleTo(&f.view));
        QVERIFY(!f.view.Box(k)->Locked());
    }
    // Unlocked again: the window may grow.
    f.view.resize(900, 800);
    QCOMPARE(f.view.size(), QSize(900, 800));
}

QTEST_MAIN(TestView)
#include "tst_view.moc"
