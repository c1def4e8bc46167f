// The main window driven through its buttons, menus, popups and keys with scripted answers:
// the entry list, the card designer, the document and report commands.
#include "readmewindow.h"
#include "scriptedwindow.h"
#include "vornfile.h"

#include <QAccessible>

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessibleCard();
    void boxesMadeLate();
    void commands_data();
    void commands();
    void defaultButton();
    void lockedSize();
    void outputOrder_data();
    void outputOrder();
    void placement();
    void drops_data();
    void drops();
    void popupMarks();
    void roundTrip();
    void shownValuesStored();
    void readme();
};

// A fresh window: the vorn "New", unlocked, the card item alone, the menus in order. The boxes
// are made as they are first needed; an accessibility client walking the card still finds
// all 50 from the start, each with its parts.
void TestMainWindow::accessibleCard() {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view(prompts, random);
    QCOMPARE(view.windowTitle(), QStringLiteral("Ворн \"New\""));
    QCOMPARE(view.findChild<QListWidget*>()->item(0)->text(), QStringLiteral("000 Форма"));
    QCOMPARE(view.findChild<QListWidget*>()->count(), 1);
    QVERIFY(view.vorn().Unlocked);
    QStringList items;
    for (const char* menu : {"mVorn", "mToFile", "mCounting"})
        for (QAction* a : view.findChild<QMenu*>(QLatin1String(menu))->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items.join(u','),
             QStringLiteral("Новый,Сохранить,Сохранить как,Загрузить,Импорт из CSV,Назвать,-,"
                            "Порядок для вывода,Вывод в файл,Печать...,Сохранить в PDF...,-,Выход,"
                            "Краткий список,Детальный список,Эту запись,Таблица CSV,Вхождения,"
                            "Пустые,Непустые,Отчёт"));
    QAccessibleInterface* card =
        QAccessible::queryAccessibleInterface(view.findChild<QWidget*>(QStringLiteral("Card")));
    QVERIFY(card);
    QStringList boxes, expected;
    for (int i = 0; i < card->childCount(); ++i) {
        QAccessibleInterface* box = card->child(i);
        QStringList parts;
        for (int c = 0; c < box->childCount(); ++c)
            parts << box->child(c)->object()->objectName();
        boxes << box->object()->objectName() + ':' + parts.join(u',');
    }
    for (int k = 0; k < VornLimits::MaxBoxes; ++k)
        expected << QStringLiteral("Box(%1):Hed,Border,Fras,Tex,Lis").arg(k);
    QCOMPARE(boxes, expected);
}

// Boxes asked for out of order and the rest made by showing a vorn lie one above the other
// by index, and the Tab chain and the focus the window gives when activated are those of
// boxes made all at once: the first box's editor takes the focus. Once the window is on
// screen, the boxes nobody asked for are made too.
void TestMainWindow::boxesMadeLate() {
    ScriptedPrompts prompts;
    SequenceRandom random;
    View view(prompts, random);
    view.Box(3);
    view.Box(1);
    // Moved into place, a late box keeps the parts' focus policies it was made with.
    const DataBox alone;
    QStringList policies, made;
    for (const QWidget* part : alone.findChildren<QWidget*>())
        policies << part->objectName() + ':' + QString::number(part->focusPolicy());
    for (const QWidget* part : view.Box(7)->findChildren<QWidget*>())
        made << part->objectName() + ':' + QString::number(part->focusPolicy());
    QCOMPARE(made, policies);
    view.adoptVorn(SampleVorn::make(QStringLiteral("PTLP"), QStringLiteral("a b")));
    view.TurnEdit(false);
    QStringList stacked;
    for (const QObject* box : view.Box(0)->parentWidget()->children())
        stacked << box->objectName();
    QCOMPARE(stacked, (QStringList{"Box(0)", "Box(1)", "Box(2)", "Box(3)", "Box(7)"}));
    const auto name = [](const QWidget* w) {
        const QWidget* box = w->parentWidget();
        return box && box->objectName().startsWith(QLatin1String("Box("))
                   ? box->objectName() + '.' + w->objectName()
                   : w->objectName();
    };
    const auto tab = [&] {
        QStringList walk;
        for (QWidget* w = view.nextInFocusChain(); w != &view; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(&view))
                walk << name(w);
        return walk.join(u' ');
    };
    QCOMPARE(tab(),
             QStringLiteral("Box(0).Fras Box(1).Tex Box(2).Fras Box(2).Lis Box(3).Fras VornList "
                            "AddVorn DelVorn Lift Low Find Next AddFrase AddText AddNum AddList "
                            "AddPic HeadNam SetPass Locker"));
    // Boxes that become texts and then lists make their parts late, after the window chained
    // them: each part still takes its place.
    for (const char* kinds : {"PPTLPWIN", "TLPTLLTP", "TTPT", "LLPL"}) {
        view.adoptVorn(SampleVorn::make(QString::fromLatin1(kinds), QStringLiteral("a b")));
        view.TurnEdit(false);
    }
    QCOMPARE(tab().section(QStringLiteral(" VornList"), 0, 0),
             QStringLiteral("Box(0).Fras Box(0).Lis Box(1).Fras Box(1).Lis Box(2).Fras Box(3).Fras "
                            "Box(3).Lis"));
    view.show();
    QApplication::setActiveWindow(&view);
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("Box(0).Fras"));
    QTRY_COMPARE(
        view.Box(0)->parentWidget()->findChildren<DataBox*>(Qt::FindDirectChildrenOnly).size(),
        VornLimits::MaxBoxes);
}

// Each row runs a script on a fresh window and compares the whole outcome: the card's boxes
// too in the designer rows.
void TestMainWindow::commands_data() {
    QTest::addColumn<QString>("vorn"); // kinds:titles
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("withCard");
    QString vorn = QStringLiteral("PT:a b c d e f");
    bool withCard = false;
    const auto row = [&](const char* name, const QString& script, const QString& state,
                         const QStringList& answers = {}) {
        QTest::newRow(name) << vorn << script << answers << state << withCard;
    };
    row("add on the card item: entry 1", "#0 AddVorn", "1|x a b c d e f|*");
    row("add on entry 4: entry 5", "#4 AddVorn", "5|a b c d x e f|*");
    row("add on the last: appended", "#6 AddVorn", "7|a b c d e f x|*");
    row("remove the last: the one before", "#6 DelVorn", "5|a b c d e|*");
    row("remove and add after moves", "#1 Low Low #3 DelVorn AddVorn #1 DelVorn AddVorn",
        "2|c x d x e f|*");
    row("Lift", "#3 Lift", "2|a c b d e f|*");
    row("Lift on entry 1", "#1 Lift", "1|a b c d e f|");
    row("Low on the last", "#6 Low", "6|a b c d e f|");
    row("Up on entry 1 shows the card", "#1 ^", "0|a b c d e f|*");
    row("browsing sets Modified", "#1 v", "2|a b c d e f|*");
    row("title follows typing", "#2 type=Лис", "2|a Лис(Лис,bb) c d e f|*");
    vorn = QStringLiteral("PT:a");
    row("remove the only entry: the card", "#1 DelVorn", "0||*");
    row("lock and unlock, no password", "Locker Locker", "0|a|");
    row("right password", "SetPass Locker Locker", "0|a|* <> / <*>", {"=Кот", "=Кот"});
    row("letter case differs", "SetPass Locker Locker", "0|a|*L <> / <*> / Неверный пароль!",
        {"=Кот", "=кот"});
    row("password dialog closed", "SetPass Locker Locker", "0|a|*L <> / <*>", {"=Кот", "x"});
    vorn = QStringLiteral("PT:Кот пёс КОТЁНОК мышь кот");
    const QString animals = QStringLiteral("|Кот пёс КОТЁНОК мышь кот|");
    row("Next: only the current one", "#4 Find", "4" + animals + " <>", {"=мышь"});
    row("Next: no match beeps", "#2 Find", "2" + animals + " <> / beep", {"=слон"});
    row("Next goes on with the phrase", "#1 Find Next", "5" + animals + "* <>", {"=кот"});
    row("count", "#5 Find count", "1" + animals + "* <> / Найдено 3 случаев.", {"=кОт"});
    vorn = "PT:" + QStringLiteral("a ").repeated(500);
    row("no entry past 500", "#250 AddVorn",
        "250|500 entries| В ворне уже 500 записей: больше добавить нельзя.");
    vorn = QStringLiteral("PT:кот котёл пёскот рыба");
    row("occurrences", "mCount", "0|кот котёл пёскот рыба| <> / Найдено 4 вхождений (100%).",
        {"=кот+пёс"});
    vorn = QStringLiteral("PT:a");
    row("no counting without a title box", "mTyp(0)@0 mCount mEmpty mFull mStats", "0|~(a,aa)|*");

    vorn = QStringLiteral("PT:a b");
    const char* ask = "?Ворн был изменён. Сохранить?";
    const QString named = QStringLiteral("0|| Ворн \"Сад\" ");
    const auto goesOn = [&](const char* between, const char* after = "") {
        return named + ask + between + " / Как назвать ворн? / <>" + after;
    };
    row("New, unchanged", "mNew", named + "Как назвать ворн? / <>", {"=Сад"});
    row("New, No", "* mNew", goesOn(""), {"N", "=Сад"});
    row("New, Yes: saved", "* mNew", goesOn(" / save", " / beep / [a.vorn]"),
        {"Y", "save:%d/a.vorn", "=Сад"});
    // A save that fails or is cancelled stops the command: the changes stay.
    row("New, Yes: save failed", "* mNew",
        QStringLiteral("0|a b|* ") + ask + " / save / Ворн не сохранён в файл «%d/f/a.vorn» / [f]",
        {"Y", "save:%f/a.vorn"});
    row("New, Yes: save dialog cancelled", "* mNew", QStringLiteral("0|a b|* ") + ask + " / save",
        {"Y", "save:"});
    row("New, Cancel", "* mNew", "0|a b|* ?Ворн был изменён. Сохранить?", {"C"});
    row("Load, Cancel", "* mLoad", "0|a b|* ?Ворн был изменён. Сохранить?", {"C"});
    row("close, Cancel", "* show close", "0|a b|* ?Ворн был изменён. Сохранить? / open", {"C"});
    row("close, No", "* show close", "0|a b|* ?Ворн был изменён. Сохранить? / closed", {"N"});
    row("Save", "* mSaveAs * mSave", "0|a b| save / Сохранено успешно. / beep / [a.vorn]",
        {"save:%d/a.vorn"});
    row("Save as", "* mSaveAs", "0|a b| save / beep / [b.vorn]", {"save:%d/b"});
    row("load: not a vorn", "#1 mLoad",
        "1|a b| open / Не удалось загрузить ворн из файла «%d/f» / [f]", {"open:%f"});
    // A file of the first version has no name: the user gives it one, and its pictures move
    // into the folder of that name.
    row("load: an old file", "mLoad",
        "0|кот(.\\Сад\\кот.bmp,кот) пёс(,пёс)|L Ворн \"Сад\" open / При переходе в новую версию "
        "необходимо дать ворну имя и переместить картинки в папку с тем же названием. / <>",
        {"open:" + qEnvironmentVariable("TESSAVORN_TEST_DATA") + "/golden/old.vorn", "=Сад"});

    vorn = QStringLiteral("PT:кот пёс пёс -");
    const QStringList out{"save:%d/out.txt"};
    const QString pets = "|кот пёс пёс -|", all = "4 записей в ворне.\r\n\r\n";
    const QString pes = "пёс\r\n\tЗаметка\r\nпёспёс\r\n\r\n", saved = " / [out.txt]";
    row("short list", "mShortList",
        "0" + pets + " save / Вывод успешный. / " + all +
            "001 кот\r\n002 пёс\r\n003 пёс\r\n004 \r\n" + saved,
        out);
    row("detailed list", "fields=Заметка mLongList",
        "0" + pets + " save / Вывод успешен. / " + all +
            "001 кот\r\n\tЗаметка\r\nкоткот\r\n\r\n002 " + pes + "003 " + pes + "004 \r\n\r\n" +
            saved,
        out);
    row("this entry", "#2 mThisEntry", "2" + pets + " save / Вывод успешный / 002 " + pes + saved,
        out);
    row("this entry on the card item", "mThisEntry", "0" + pets);
    row("file dialog cancelled", "mShortList", "0" + pets + " save", {"save:"});
    row("fields dialog closed", "fields=! mLongList", "0" + pets);
    row("write fails", "#1 mThisEntry",
        "1" + pets + " save / Не удалось записать файл «%d/f/out.txt» / [f]", {"save:%f/out.txt"});
    const QString report = QStringLiteral("пёс: 2 (50%).\r\nкот: 1 (25%).\r\nПустые: 1 (25%).");
    row("report saved", "mStats",
        "0" + pets + " ?" + report + " / save / " + report + "\r\n" + saved, {"y", out[0]});
    row("report not saved", "mStats", "0" + pets + " ?" + report, {"n"});

    withCard = true;
    vorn = QStringLiteral(":a b");
    row("phrase first: the title", "AddFrase AddText", "P!: T: 0|- -|*");
    row("text first: the title", "AddText AddFrase", "T!: P: 0|- -|*");
    row("number first: the title", "AddNum AddPic", "N!: I: 0|- -|*");
    row("list first: no title", "AddList AddFrase", "L:| P: 0|~ ~|*");
    row("picture first: no title", "AddPic AddNum", "I: N: 0|~ ~|*");
    row("49 boxes at most", "AddFrase*48 AddPic AddText AddNum AddList", "49 boxes 0|- -|*");
    vorn = QStringLiteral("PL:a b");
    row("retype phrase -> text", "mTyp(2)@0", "T!:Новое поле L:|xx 0|a b|*");
    row("retype phrase -> number", "mTyp(5)@0", "N!: L:|xx 0|a b|*");
    row("retype list -> phrase, Yes", "mTyp(1)@1",
        "P!:x P:Новое поле 0|a b|* ?Это уничтожит элементы списка. Выполнить?", {"y"});
    row("retype list -> text, No", "mTyp(2)@1",
        "P!:x L:|xx 0|a b| ?Это уничтожит элементы списка. Выполнить?", {"n"});
    row("retype to the same kind", "mTyp(4)@1", "P!:x L:|xx 0|a b|");
    row("retype the title to a word", "mTyp(0)@0", "W:Новое поле L:|xx 0|~(a,|aa) ~(b,|bb)|*");
    row("add 2.5 items", "#1 mAddN@1", "P!:a L:|aa|001|002 1|a(a,|aa|001|002) b|* <>", {"=2.5"});
    row("add 3.5 items", "#1 mAddN@1",
        "P!:a L:|aa|001|002|003|004 1|a(a,|aa|001|002|003|004) b|* <>", {"=3.5"});
    row("add a word of items", "#1 mAddN@1", "P!:a L:|aa 1|a b|* <>", {"=пять"});
    row("add 99999 items", "#1 mAddN@1", "P!:a L:|aa 1|a b| <> / beep", {"=99999"});
    row("copy and paste", "#1 mCopyList@1 #2 mPasteList@1", "P!:b L:|aa 2|a b(b,|aa)|*");
    row("list commands on the card", "head=н mInsert@1 mAddN@1 AddVorn",
        "P!:x L:|н|xx|001|002 1|x(x,|н|xx|001|002) a b|* <>", {"=2"});
    // Removing the first of three boxes: the others move up with their values and the title.
    vorn = QStringLiteral("PLN:a b");
    row("remove the first box", "order=2uu mFront@2 mDelBox@0",
        "L:|xx N!:xxx 0|aaa(|aa,aaa) bbb(|bb,bbb)|*");
    vorn = QStringLiteral("PI:a b c d");
    row("picture on entry 3", "#3 head=мурка.png dbl@1",
        "P!:c I:.\\New\\мурка.png 3|a b c(c,.\\New\\мурка.png) d|*");
}

void TestMainWindow::commands() {
    QFETCH(QString, vorn);
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QString, state);
    QFETCH(bool, withCard);
    Window w(vorn.section(u':', 0, 0), vorn.section(u':', 1));
    for (const QString& a : answers)
        w.answer(a);
    w.run(script);
    COMPARE_STATE(withCard ? w.card() + " " + w.state() : w.state(), state);
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

// Enter adds an entry from a phrase box, where the Add button is the default one, but
// makes a new line in a text box, where it is not.
void TestMainWindow::defaultButton() {
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    w.run(QStringLiteral("show #1"));
    auto* add = w.at<QPushButton>(QStringLiteral("AddVorn"));
    QList<bool> defaults;
    for (QWidget* editor : {w.at(QStringLiteral("Tex"), 1), w.at(QStringLiteral("Fras"), 0)}) {
        editor->setFocus();
        defaults << add->isDefault();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QCOMPARE(defaults, (QList<bool>{false, true}));
    COMPARE_STATE(w.entries(), QStringLiteral("2|a(a,aa/) x b|*"));
}

// Locked, the window keeps the size it was locked at; unlocked, it may change again. Taking
// the layout from the window leaves the card's defaults alone.
void TestMainWindow::lockedSize() {
    Window w(QStringLiteral("PTLIN"), QStringLiteral("a b"));
    w.run(QStringLiteral("#2"));
    const Vorn before = w.view.vorn();
    w.view.GetFormat();
    QCOMPARE(w.view.vorn(), before);
    w.view.resize(700, 600);
    w.run(QStringLiteral("Locker"));
    w.view.resize(900, 800);
    const QSize locked = w.view.size();
    w.run(QStringLiteral("Locker"));
    w.view.resize(900, 800);
    QCOMPARE((QList<QSize>{locked, w.view.size()}), (QList<QSize>{{700, 600}, {900, 800}}));
}

void TestMainWindow::outputOrder_data() {
    QTest::addColumn<QString>("moves"); // as the order= step takes them
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QList<int>>("tab");
    QTest::newRow("third to the top, once more on the top")
        << "2uuu" << QList<int>{2, 3, 1, 4, 5, 6} << QList<int>{3, 1, 5, 6};
    QTest::newRow("first to the end, twice more on the end")
        << "0ddddddd" << QList<int>{6, 1, 2, 3, 4, 5} << QList<int>{3, 5, 6, 1};
    QTest::newRow("closed: dropped")
        << "!2uu" << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 3, 5, 6};
}

// Word and picture boxes take no Tab stop; the others follow the output order.
void TestMainWindow::outputOrder() {
    QFETCH(QString, moves);
    QFETCH(QList<int>, order);
    QFETCH(QList<int>, tab);
    Window w(QStringLiteral("PWTILN"));
    w.run("order=" + moves);
    QList<int> stored;
    for (int j = 1; j <= 6; ++j)
        stored << w.view.vorn().boxOrder(j);
    QCOMPARE(stored, order);
    QCOMPARE(w.tabWalk(), tab);
}

// A new phrase box with the numbers 0.25 and 0.5 in a window of 8880 x 7725 twips; a box
// 3000 twips long still fits as r nears 1, and starts left of the card area in a narrow window.
void TestMainWindow::placement() {
    Window w(QString(), QString(), {0.25, 0.5});
    w.run(QStringLiteral("AddFrase"));
    QCOMPARE(w.boxPosition(0), QPoint(2200 + 920, 900 + 3063));
    QCOMPARE(w.view.vorn().descriptor(1).Left, 2200 + 920);
    QCOMPARE((QList<int>{DesignerPart::randomPlace(0.9999999, 8880, 3000, 2200),
                         DesignerPart::randomPlace(0.5, 4000, 3000, 2200),
                         DesignerPart::randomPlace(0.001, 4000, 3000, 2200)}),
             (QList<int>{5880, 1600, 2198}));
}

void TestMainWindow::drops_data() {
    QTest::addColumn<int>("target"); // -1: the card
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QPoint>("expected"); // -1: flush with the right or bottom edge
    QTest::newRow("on the card") << -1 << QPoint(4100, 3050) << QPoint(4000, 3000);
    QTest::newRow("left of the card area") << -1 << QPoint(2000, 3050) << QPoint(2200, 3000);
    QTest::newRow("above the card area") << -1 << QPoint(4100, 500) << QPoint(4000, 900);
    QTest::newRow("past the right and bottom edges")
        << -1 << QPoint(30000, 30000) << QPoint(-1, -1);
    // Box 2 lies at (5400, 1100).
    QTest::newRow("on another box") << 1 << QPoint(300, 400) << QPoint(5600, 1450);
}

// The box is grabbed 100 twips right and 50 down of its corner.
void TestMainWindow::drops() {
    QFETCH(int, target);
    QFETCH(QPoint, at);
    QFETCH(QPoint, expected);
    Window w(QStringLiteral("PT"), QStringLiteral("a"));
    w.run(QStringLiteral("show"));
    Q_EMIT w.view.Box(0)->MouseDown(1, 0, 100, 50);
    auto* dragger = w.view.findChild<BoxDragger*>();
    target < 0 ? dragger->dropBox(0, at) : dragger->dropBoxOn(0, target, at);
    const QSize room = w.at(QStringLiteral("Card"))->size() * 15;
    if (expected.x() < 0)
        expected = {room.width() - w.view.Box(0)->widthTwips(),
                    room.height() - w.view.Box(0)->heightTwips()};
    QCOMPARE(w.boxPosition(0), expected);
    const BoxDescriptor& stored = w.view.vorn().descriptor(1);
    QCOMPARE(QPoint(stored.Left, stored.Top), expected);
    QVERIFY(w.view.vorn().Modified);
}

// The kind and header position of the box are checked; the list submenu and "make title"
// show only where they apply.
void TestMainWindow::popupMarks() {
    Window w(QStringLiteral("WPTILN"));
    QStringList marks;
    for (int k = 0; k < 6; ++k) {
        QMenu* menu = w.designer()->prepareBoxPopup(k);
        QCOMPARE(menu, w.at<QMenu>(QStringLiteral("mBox")));
        QString m;
        for (const QAction* a : menu->findChildren<QAction*>())
            if (a->isChecked())
                m += a->objectName() + " ";
        m += QString(w.at<QMenu>(QStringLiteral("mList"))->menuAction()->isVisible() ? "list "
                                                                                     : "") +
             (w.at<QAction>(QStringLiteral("mFront"))->isVisible() ? "front" : "");
        marks << m.trimmed();
    }
    QCOMPARE(marks, (QStringList{"mTyp(0) mPos(1)", "mTyp(1) mPos(2) front",
                                 "mTyp(2) mPos(3) front", "mTyp(3) mPos(4)",
                                 "mTyp(4) mPos(5) list front", "mTyp(5) mPos(6) front"}));
}

// Everything a file holds comes back through the menu in a fresh window, locked.
void TestMainWindow::roundTrip() {
    Window a(QStringLiteral("PITL"), QStringLiteral("Ёж Zebra,\"в\" -"));
    for (const char* answer : {"=пароль, \"с кавычками\"", "=Зоопарк", "save:%d/зоопарк.vorn"})
        a.answer(QString::fromUtf8(answer));
    a.run(QStringLiteral("SetPass mNaming mSaveAs"));
    Window b;
    b.answer(QStringLiteral("open:") + a.dir.filePath(QStringLiteral("зоопарк.vorn")));
    b.run(QStringLiteral("mLoad"));
    Vorn expected = a.view.vorn();
    expected.Unlocked = expected.Designing = false;
    expected.VornPath.clear();
    QCOMPARE(b.view.vorn(), expected);
    // Naming it rewrites the picture paths.
    b.answer(QStringLiteral("="));
    b.run(QStringLiteral("mNaming"));
    QCOMPARE(b.log(), QStringLiteral("open / <>"));
    QCOMPARE(b.view.windowTitle(), QStringLiteral("Ворн \"\""));
    const Vorn& named = b.view.vorn();
    QCOMPARE((QStringList{named.value(1, 2), named.value(3, 2)}),
             (QStringList{".\\\\ЁжЁж.png", ""}));
}

// Loading shows the card, and what the boxes show is stored back as every display is: a
// list's empty default comes back as the empty list a list box holds, a header position 0 as
// the position 1 the box shows. Values of entries not shown stay as the file has them. That
// is no step to undo, and nothing done before the loading can be undone either.
void TestMainWindow::shownValuesStored() {
    Window w(QStringLiteral("PT"), QStringLiteral("a"));
    Vorn file = SampleVorn::make(
        {SampleVorn::box(BoxKind::List, QStringLiteral("Цвета")),
         SampleVorn::box(BoxKind::Phrase, QStringLiteral("Имя"), {}, 2400, 2000, 0)},
        {{QString(), QStringLiteral("кот")}}, 2);
    QVERIFY(SaveTo(w.path(QStringLiteral("%d/in.vorn")), file));
    w.answer(QStringLiteral("N"));
    w.answer(QStringLiteral("open:%d/in.vorn"));
    w.answer(QStringLiteral("save:%d/out.vorn"));
    w.run(QStringLiteral("AddFrase mLoad Locker mSaveAs"));
    QVERIFY(!w.at<QAction>(QStringLiteral("mUndo"))->isEnabled());
    const LoadResult saved = LoadFrom(w.path(QStringLiteral("%d/out.vorn")), Vorn(), nullptr);
    QVERIFY(saved.vorn);
    QCOMPARE((QStringList{saved.vorn->descriptor(1).DefaultValue, saved.vorn->value(1, 1),
                          QString::number(saved.vorn->descriptor(2).HeadPose)}),
             (QStringList{QString(ListSeparator), QString(), "1"}));
}

void TestMainWindow::readme() {
    Window w;
    w.run(QStringLiteral("mReadme"));
    auto* window = w.view.findChild<ReadmeWindow*>();
    QVERIFY(window && window->isVisible() && window->textView()->isReadOnly());
    QVERIFY(!window->textView()->toPlainText().isEmpty());
    QCOMPARE(w.log(), QString());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
