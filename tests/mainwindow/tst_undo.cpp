// Undo and redo through the «Правка» menu and the keys: every kind of step comes back
// exactly, typing makes one step per box and entry, and the menu follows the history.
#include "scriptedwindow.h"
#include "vornfile.h"
#include "vornhistory.h"

#include <QUndoStack>

namespace {

// The vorn as an edit leaves it: the lock, the flags and the file are not edits.
Vorn edits(Vorn v) {
    v.Modified = v.Designing = v.Unlocked = false;
    v.VornPath.clear();
    return v;
}

QString describe(const Vorn& v) {
    QStringList out{QStringLiteral("boxes %1 entries %2 title %3 pw %4")
                        .arg(v.BoxCount)
                        .arg(v.EntryCount)
                        .arg(v.TitleBox)
                        .arg(v.Password)};
    for (int j = 1; j <= v.usedBoxes(); ++j) {
        const BoxDescriptor& d = v.descriptor(j);
        out << QStringLiteral("box %1: %2 %3 %4 %5 (%6,%7) order %8")
                   .arg(j)
                   .arg(d.Type)
                   .arg(d.Header, shown(d.DefaultValue))
                   .arg(d.HeadPose)
                   .arg(d.Left)
                   .arg(d.Top)
                   .arg(v.boxOrder(j));
    }
    for (int p = 1; p <= v.usedEntries(); ++p) {
        QStringList values;
        for (int j = 1; j <= v.usedBoxes(); ++j)
            values << shown(v.value(p, j));
        out << QStringLiteral("entry %1: ").arg(p) + values.join(u',');
    }
    return out.join(u'\n');
}

// Compares two vorns as edits, showing both in full when they differ.
#define COMPARE_EDITS(actual, expected)                                                            \
    do {                                                                                           \
        const Vorn a_ = edits(actual), e_ = edits(expected);                                       \
        QVERIFY2(a_ == e_,                                                                         \
                 qPrintable("\nactual:\n" + describe(a_) + "\nexpected:\n" + describe(e_)));       \
    } while (false)

struct Menu {
    QString undo, redo;
    bool canUndo, canRedo;
    friend bool operator==(const Menu&, const Menu&) = default;
};
char* toString(const Menu& m) {
    return QTest::toString(
        QStringLiteral("%1 [%2] / %3 [%4]")
            .arg(m.undo, m.canUndo ? "on" : "off", m.redo, m.canRedo ? "on" : "off"));
}

Menu menuOf(const Window& w) {
    const auto* undo = w.at<QAction>(QStringLiteral("mUndo"));
    const auto* redo = w.at<QAction>(QStringLiteral("mRedo"));
    return {undo->text(), redo->text(), undo->isEnabled(), redo->isEnabled()};
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
    void removeMiddleOfThree();
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
    row("PLN:a b", "", "order", "изменение порядка вывода");
    row("PL:a b", "", "drop", "перемещение поля");
}

// Each command is one step: undo gives back the vorn before it, redo the vorn after it, and
// each shows the entry list item the step was on.
void TestUndo::everyStep() {
    QFETCH(QString, vorn);
    QFETCH(QString, setup);
    QFETCH(QString, command);
    QFETCH(QStringList, answers);
    QFETCH(QString, name);
    Window w(vorn.section(u':', 0, 0), vorn.section(u':', 1));
    w.run(setup);
    for (const QString& a : answers)
        w.answer(a);
    const Vorn before = w.view.vorn();
    const int rowBefore = w.list()->currentRow();
    if (command == "order") {
        onNextModal<OrderDialog>([](OrderDialog* d) {
            d->oList->setCurrentRow(2);
            d->LiftLow[0]->click();
            d->Ok->click();
        });
        command = "mBoxOrder";
    } else if (command == "drop") {
        Q_EMIT w.view.Box(1)->MouseDown(1, 0, 100, 50);
        w.view.findChild<BoxDragger*>()->dropBox(1, {4000, 3000});
        command.clear();
    }
    w.run(command);
    VERIFY_ALL_ANSWERS_USED(w.prompts);
    const Vorn after = w.view.vorn();
    const int rowAfter = w.list()->currentRow();
    QVERIFY2(!(edits(after) == edits(before)), "the command changed nothing");
    QCOMPARE(stackOf(w)->count(), 1);
    QCOMPARE(menuOf(w).undo, "Отменить " + name);

    w.run(QStringLiteral("mUndo"));
    COMPARE_EDITS(w.view.vorn(), before);
    QCOMPARE(w.list()->currentRow(), rowBefore);
    QCOMPARE(menuOf(w).redo, "Повторить " + name);
    QVERIFY(w.view.vorn().Modified);

    w.run(QStringLiteral("mRedo"));
    COMPARE_EDITS(w.view.vorn(), after);
    QCOMPARE(w.list()->currentRow(), rowAfter);
    // What the boxes show is what the vorn holds for the item shown.
    for (int j = 1; j <= after.usedBoxes(); ++j)
        QCOMPARE(w.view.Box(j - 1)->Data(),
                 rowAfter == 0 ? after.descriptor(j).DefaultValue : after.value(rowAfter, j));
}

// Keystrokes in one box of one item make one step; another box, another item, or the same
// item shown again starts the next.
void TestUndo::typing() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    QList<int> counts;
    const auto typeInto = [&](QWidget* editor, const QString& text) {
        typeText(editor, text);
        counts << stackOf(w)->count();
    };
    w.run(QStringLiteral("#1"));
    typeInto(w.fras(0), QStringLiteral("кот"));
    typeInto(w.at(QStringLiteral("Tex"), 1), QStringLiteral("мяу"));
    typeInto(w.fras(0), QStringLiteral("ик"));
    w.run(QStringLiteral("#2"));
    typeInto(w.fras(0), QStringLiteral("пёс"));
    w.run(QStringLiteral("#1 #2"));
    typeInto(w.fras(0), QStringLiteral("ик"));
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

void TestUndo::menuState() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    const Menu empty{"Отменить", "Повторить", false, false};
    const Menu added{"Отменить добавление записи", "Повторить", true, false};
    QList<Menu> seen{menuOf(w)};
    w.run(QStringLiteral("#1 AddVorn"));
    seen << menuOf(w);
    w.run(QStringLiteral("Locker"));
    seen << Menu{menuOf(w).undo, menuOf(w).redo, menuOf(w).canUndo, menuOf(w).canRedo};
    w.run(QStringLiteral("mUndo")); // locked: nothing happens
    QCOMPARE(w.view.vorn().EntryCount, 3);
    w.run(QStringLiteral("Locker"));
    seen << menuOf(w);
    w.answer(QStringLiteral("N"));
    w.answer(QStringLiteral("=Сад"));
    w.run(QStringLiteral("mNew"));
    seen << menuOf(w);
    QCOMPARE(seen,
             (QList<Menu>{empty, added, {added.undo, added.redo, false, false}, added, empty}));

    // Loading starts a new history too, even where showing the card stores a list's empty
    // default back as the empty list it shows.
    Window b(QStringLiteral("PT"), QStringLiteral("a"));
    b.run(QStringLiteral("AddFrase"));
    const Vorn file = SampleVorn::make({SampleVorn::box(BoxKind::List, QStringLiteral("Цвета")),
                                        SampleVorn::box(BoxKind::Phrase, QStringLiteral("Имя"))},
                                       {{QString(), QStringLiteral("кот")}}, 2);
    QVERIFY(SaveTo(b.path(QStringLiteral("%d/a.vorn")), file));
    b.answer(QStringLiteral("N"));
    b.answer(QStringLiteral("open:%d/a.vorn"));
    b.run(QStringLiteral("mLoad Locker"));
    QCOMPARE(menuOf(b), empty);
    QCOMPARE(stackOf(b)->count(), 0);
}

// Ctrl+Z typed in a box undoes the vorn's last step, whatever the editor did; Ctrl+Y and
// Ctrl+Shift+Z redo it.
void TestUndo::keysInEditor() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    w.view.show();
    QApplication::setActiveWindow(&w.view);
    QVERIFY(QTest::qWaitForWindowActive(&w.view));
    w.run(QStringLiteral("#1 AddVorn"));
    QLineEdit* title = w.fras(0);
    title->setFocus();
    typeText(title, QStringLiteral("ёж"));
    QStringList seen;
    const auto press = [&](QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        seen << QStringLiteral("%1:%2").arg(w.list()->currentRow()).arg(w.fras(0)->text());
    };
    press(Qt::CTRL | Qt::Key_Z);
    press(Qt::CTRL | Qt::Key_Z);
    press(Qt::CTRL | Qt::Key_Y);
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(seen, (QStringList{"2:x", "1:a", "2:x", "2:xёж"}));
    QCOMPARE(w.view.vorn().value(2, 1), QStringLiteral("xёж"));
}

// Removing the middle box of three on a vorn of three entries, then undoing it: every value,
// the title and the output order come back, and the boxes show them.
void TestUndo::removeMiddleOfThree() {
    Vorn sample = SampleVorn::make(QStringLiteral("PLN"), QStringLiteral("a b c"));
    for (int j = 1; j <= 3; ++j)
        sample.setBoxOrder(j, qint16(4 - j));
    sample.TitleBox = 3;
    Window w(sample, QStringLiteral("PLN"));
    const Vorn before = w.view.vorn();
    w.run(QStringLiteral("mDelBox@1"));
    QCOMPARE(w.view.vorn().BoxCount, 2);
    QCOMPARE(w.view.vorn().TitleBox, 2);
    w.run(QStringLiteral("mUndo"));
    COMPARE_EDITS(w.view.vorn(), before);
    QCOMPARE(w.card(), QStringLiteral("P:x L:|xx N!:xxx"));
    QCOMPARE(w.view.vorn().outputSequence(), (std::vector<int>{3, 2, 1}));
    w.run(QStringLiteral("#3"));
    QCOMPARE(w.card(), QStringLiteral("P:c L:|cc N!:ccc"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
