// Undo and redo through the «Правка» menu and the keys: every kind of step comes back
// exactly, typing makes one step per box and entry, and the menu follows the history.
#include "scriptedwindow.h"
#include "vornfile.h"
#include "vornhistory.h"

#include <QBuffer>
#include <QUndoStack>

namespace {

// The vorn as an edit leaves it: the lock, the flags and the file are not edits.
Vorn edits(Vorn v) {
    v.Modified = v.Designing = v.Unlocked = false;
    v.VornPath.clear();
    return v;
}

// The vorn as its file lines, the values readable: what a failing comparison shows.
QString asText(const Vorn& v) {
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    writeVorn(file, v);
    return QString::fromUtf8(QByteArray::fromPercentEncoding(file.data())).replace("\r\n", " | ");
}

#define COMPARE_EDITS(actual, expected)                                                            \
    do {                                                                                           \
        const Vorn a_ = edits(actual), e_ = edits(expected);                                       \
        QVERIFY2(a_ == e_, qPrintable("\nactual:   " + asText(a_) + "\nexpected: " + asText(e_))); \
    } while (false)

// The «Правка» menu: each item's text, + when it is enabled.
QString menuOf(const Window& w) {
    QStringList items;
    for (const char* name : {"mUndo", "mRedo"}) {
        const auto* action = w.at<QAction>(QLatin1String(name));
        items << action->text() + (action->isEnabled() ? "+" : "");
    }
    return items.join(QLatin1String(" / "));
}

QUndoStack* stackOf(const Window& w) {
    return w.view.findChild<VornHistory*>()->stack();
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyStep_data();
    void everyStep();
    void typing();
    void menuState();
    void keysInEditor();
};

void TestUndo::everyStep_data() {
    QTest::addColumn<QString>("vorn"); // kinds:titles
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* vorn, const char* setup, const char* command, const char* name,
                        const QStringList& answers = {}) {
        QTest::newRow(name) << vorn << setup << command << answers << QString(name);
    };
    row("PL:a b c", "#2", "AddVorn", "добавление записи");
    row("PL:a b c", "#2", "DelVorn", "удаление записи");
    row("PL:a b c", "#2", "Lift", "перемещение записи");
    row("PL:a b c", "#2", "type=Лис", "ввод");
    row("PL:a b c", "#0", "type=Форма", "ввод");
    row("PL:a b", "", "AddFrase", "добавление поля");
    row(":a b", "", "AddNum", "добавление поля");
    row("P:a b", "", "AddList", "добавление поля");
    row("PL:a b", "head=Поле", "mTyp(4)@0", "смену типа поля");
    row("PL:a b", "", "mTyp(2)@0", "смену типа поля");
    row("PL:a b", "", "mTyp(1)@1", "смену типа поля", {"y"});
    row("PLN:a b", "", "mDelBox@0", "удаление поля");
    row("PL:a b", "", "mPos(9)@1", "смену места заголовка");
    row("PL:a b", "head=Кличка", "mRenew@0", "обновление заголовка");
    row("PLN:a b", "", "mFront@2", "выбор заглавного поля");
    row("PI:a b", "#2 head=кот.png", "dbl@1", "выбор картинки");
    row("PL:a b", "#1 head=н", "mInsert@1", "вставку элемента");
    row("PL:a b", "#2", "mAddN@1", "добавление элементов", {"=2"});
    row("PL:a b", "#1 mCopyList@1 #2", "mPasteList@1", "вставку списка");
    row("PL:a b", "", "SetPass", "установку пароля", {"=кот"});
    row("PLN:a b", "", "order=2u", "изменение порядка вывода");
    row("PL:a b", "", "drop", "перемещение поля");
}

// Each command is one step: undo gives back the vorn before it, redo the vorn after it, and
// each shows the entry list item the step was on, its values in the boxes.
void TestUndo::everyStep() {
    QFETCH(QString, vorn);
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(QStringList, answers);
    QFETCH(QString, name);
    Window w(vorn.section(u':', 0, 0), vorn.section(u':', 1));
    // What the boxes show, or what the vorn holds for the item shown.
    const auto values = [&w](bool held) {
        const Vorn& v = w.view.vorn();
        const int p = w.list()->currentRow();
        QStringList values;
        for (int j = 1; j <= v.usedBoxes(); ++j)
            values << (!held    ? w.view.Box(j - 1)->Data()
                       : p == 0 ? v.descriptor(j).DefaultValue
                                : v.value(p, j));
        return values;
    };
    w.run(setup);
    for (const QString& a : answers)
        w.answer(a);
    const Vorn before = w.view.vorn();
    const int rowBefore = w.list()->currentRow();
    if (command == "drop") {
        Q_EMIT w.view.Box(1)->MouseDown(1, 0, 100, 50);
        w.view.findChild<BoxDragger*>()->dropBox(1, {4000, 3000});
    } else {
        w.run(command);
    }
    VERIFY_ALL_ANSWERS_USED(w.prompts);
    const Vorn after = w.view.vorn();
    const int rowAfter = w.list()->currentRow();
    QVERIFY2(!(edits(after) == edits(before)), "the command changed nothing");
    QCOMPARE(stackOf(w)->count(), 1);
    QCOMPARE(menuOf(w), "Отменить " + name + "+ / Повторить");

    w.run(QStringLiteral("mUndo"));
    COMPARE_EDITS(w.view.vorn(), before);
    QCOMPARE(w.list()->currentRow(), rowBefore);
    QCOMPARE(menuOf(w), "Отменить / Повторить " + name + "+");
    QVERIFY(w.view.vorn().Modified);
    QCOMPARE(values(false), values(true));

    w.run(QStringLiteral("mRedo"));
    COMPARE_EDITS(w.view.vorn(), after);
    QCOMPARE(w.list()->currentRow(), rowAfter);
    QCOMPARE(values(false), values(true));
}

// Keystrokes in one box of one item make one step; another box, another item, or the same
// item shown again starts the next.
void TestUndo::typing() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    QList<int> counts;
    // What is run first, the box typed into (0 the title, 1 the text box) and what is typed.
    for (const auto& [script, box, text] : {std::tuple{"#1", 0, "кот"},
                                            {"", 1, "мяу"},
                                            {"", 0, "ик"},
                                            {"#2", 0, "пёс"},
                                            {"#1 #2", 0, "ик"}}) {
        w.run(QLatin1String(script));
        typeText(box ? w.at(QStringLiteral("Tex"), 1) : w.fras(0), QString::fromUtf8(text));
        counts << stackOf(w)->count();
    }
    QCOMPARE(counts, (QList<int>{1, 2, 3, 4, 5}));

    // Each undo takes back one run of keystrokes.
    QStringList titles;
    for (int i = 0; i < 5; ++i) {
        w.run(QStringLiteral("mUndo"));
        const Vorn& v = w.view.vorn();
        titles << v.value(1, 1) + "/" + v.value(2, 1) + "/" + v.value(1, 2);
    }
    QCOMPARE(titles, (QStringList{"aкотик/bпёс/мяуaa", "aкотик/b/мяуaa", "aкот/b/мяуaa",
                                  "aкот/b/aa", "a/b/aa"}));
}

// Locked, neither item can be used; a new vorn starts a new history.
void TestUndo::menuState() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    QStringList seen{menuOf(w)};
    for (const char* script : {"#1 AddVorn AddVorn mUndo", "Locker", "mUndo mRedo Locker"}) {
        w.run(QLatin1String(script));
        seen << menuOf(w);
    }
    QCOMPARE(w.view.vorn().EntryCount, 3); // neither did anything while locked
    w.answer(QStringLiteral("N"));
    w.answer(QStringLiteral("=Сад"));
    w.run(QStringLiteral("mNew"));
    seen << menuOf(w);
    const QString both =
        QStringLiteral("Отменить добавление записи+ / Повторить добавление записи+");
    QCOMPARE(seen, (QStringList{"Отменить / Повторить", both, QString(both).remove(u'+'), both,
                                "Отменить / Повторить"}));
}

// Ctrl+Z typed in a box undoes the vorn's last step, whatever the editor did; Ctrl+Y and
// Ctrl+Shift+Z redo it.
void TestUndo::keysInEditor() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    w.run(QStringLiteral("show #1 AddVorn"));
    w.fras(0)->setFocus();
    typeText(w.fras(0), QStringLiteral("ёж"));
    QStringList seen;
    for (const char* keys : {"Ctrl+Z", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"}) {
        w.run(QStringLiteral("key=") + keys);
        seen << QStringLiteral("%1:%2").arg(w.list()->currentRow()).arg(w.fras(0)->text());
    }
    QCOMPARE(seen, (QStringList{"2:x", "1:a", "2:x", "2:xёж"}));
    QCOMPARE(w.view.vorn().value(2, 1), QStringLiteral("xёж"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
