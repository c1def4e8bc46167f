// The window side of the reports: the output order command with its dialog, the three
// text exports and the four counting commands, driven through the main window's menus.
#include "counting.h"
#include "databox.h"
#include "exporttext.h"
#include "orderdialog.h"
#include "support/modal.h"
#include "support/samplevorn.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"
#include "textfile.h"
#include "view.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using Kind = ScriptedPrompts::Kind;

namespace {

// Scripted prompts that also note what a watched file holds at the moment each message
// is shown, so that a success message can be checked to come after the file is complete.
class WatchingPrompts : public ScriptedPrompts {
public:
    QString watched;
    QList<std::optional<QByteArray>> seen;

    void message(const QString& text, const QString& title = {}) override {
        if (!watched.isEmpty()) {
            QFile file(watched);
            seen.append(file.open(QIODevice::ReadOnly) ? std::optional(file.readAll())
                                                       : std::nullopt);
        }
        ScriptedPrompts::message(text, title);
    }
};

struct Fixture {
    WatchingPrompts prompts;
    SequenceRandom random;
    View view{prompts, random};

    QAction* action(const char* name) const {
        return view.findChild<QAction*>(QLatin1String(name));
    }
    void trigger(const char* name) const {
        QAction* a = action(name);
        QVERIFY2(a, name);
        a->trigger();
    }
    // Shows v unlocked with the card item selected and Modified cleared.
    void open(Vorn v) {
        view.adoptVorn(std::move(v));
        view.TurnEdit(false);
        view.vorn().Modified = false;
    }
    void select(int index) {
        view.findChild<QListWidget*>(QStringLiteral("VornList"))->setCurrentRow(index);
    }
    QList<int> boxOrders() const {
        QList<int> order;
        for (int j = 1; j <= view.vorn().BoxCount; ++j)
            order << view.vorn().boxOrder(j);
        return order;
    }
    // The boxes (1-based) that Tab visits after Locker, in order.
    QList<int> tabWalk() const {
        auto* locker = view.findChild<QPushButton*>(QStringLiteral("Locker"));
        QList<int> visited;
        QWidget* w = locker;
        for (int step = 0; step < 1000; ++step) {
            w = w->nextInFocusChain();
            if (w == locker)
                break;
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&view) || !w->isEnabled())
                continue;
            for (int k = 0; k < view.vorn().BoxCount; ++k)
                if (view.Box(k)->isAncestorOf(w) && (visited.isEmpty() || visited.last() != k + 1))
                    visited << k + 1;
        }
        return visited;
    }
};

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

QByteArray cp1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

std::optional<QByteArray> fileContent(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

const QStringList CardHeaders{"Имя", "Порода", "Заметка", "Фото", "Цвета", "Возраст"};

// Every kind of box; box 1 is the title box. Entry 3 has an empty title.
Vorn everyKind() {
    using SampleVorn::box;
    return SampleVorn::make(
        {box(BoxKind::Phrase, "Имя", "", 2300, 1000), box(BoxKind::Word, "Порода", "", 5000, 1000),
         box(BoxKind::Text, "Заметка", "", 2300, 2500),
         box(BoxKind::Picture, "Фото", "", 6000, 3000), box(BoxKind::List, "Цвета", "", 2300, 5000),
         box(BoxKind::Number, "Возраст", "", 7000, 1200)},
        {{"Мурка", "сиам", "ест рыбу\nспит днём", "",
          "\x0b"
          "белый\x0b рыжий ",
          "3"},
         {"Шарик", "", "", "",
          "\x0b"
          "A",
          "5"},
         {"", "дворняга", "", "", "", ""}},
        1);
}

// everyKind() with Возраст moved to the second output position: output sequence 1, 6, 2,
// 3, 4, 5.
Vorn everyKindAgeSecond() {
    Vorn v = everyKind();
    const QList<qint16> order{1, 3, 4, 5, 6, 2};
    for (int j = 1; j <= order.size(); ++j)
        v.setBoxOrder(j, order[j - 1]);
    return v;
}

// What one run of the order dialog saw.
struct OrderRun {
    bool shown = false;
    QString openCaption;
    QString caption;
    QStringList headers;
};

enum class Close { Ok, Frame, Escape };

// Runs «Порядок для вывода»: selects startRow, presses ^/v for every 'u'/'d' in moves, and
// closes the dialog as asked.
OrderRun runOrder(Fixture& f, int startRow, const QString& moves, Close close) {
    OrderRun run;
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        run.shown = true;
        run.openCaption = d->windowTitle();
        if (startRow >= 0)
            d->oList->setCurrentRow(startRow);
        for (const QChar m : moves)
            QTest::mouseClick(d->LiftLow[m == u'u' ? 0 : 1], Qt::LeftButton);
        run.caption = d->windowTitle();
        run.headers = texts(d->oList);
        switch (close) {
        case Close::Ok:
            QTest::mouseClick(d->Ok, Qt::LeftButton);
            break;
        case Close::Frame:
            d->close();
            break;
        case Close::Escape:
            QTest::keyClick(d, Qt::Key_Escape);
            break;
        }
    });
    f.trigger("mBoxOrder");
    return run;
}

// Runs «Детальный список», picking the headers in pick (in that order, Ctrl+click) and
// pressing OK, or closing the fields dialog through its frame when ok is false.
bool runFields(Fixture& f, const QStringList& pick, bool ok) {
    bool shown = false;
    onNextModal<OrderDialog>([&](OrderDialog* d) {
        if (!d)
            return;
        shown = d->mList->isVisible();
        for (const QString& header : pick) {
            const QList<QListWidgetItem*> found = d->mList->findItems(header, Qt::MatchExactly);
            if (found.size() == 1)
                QTest::mouseClick(d->mList->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  d->mList->visualItemRect(found.first()).center());
        }
        if (ok)
            QTest::mouseClick(d->Ok, Qt::LeftButton);
        else
            d->close();
    });
    f.trigger("mLongList");
    return shown;
}

} // namespace

class TestReportCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuItems_data();
    void menuItems();
    void vornMenuPlaces();

    void orderMoves_data();
    void orderMoves();
    void orderLaterUseShowsNewOrder();
    void orderNotApplied_data();
    void orderNotApplied();
    void orderStoresCleanOrder_data();
    void orderStoresCleanOrder();
    void orderShowsCurrentHeaders();

    void exports_data();
    void exports();
    void exportReplacesFile();
    void exportUsesCurrentHeaders_data();
    void exportUsesCurrentHeaders();
    void exportCancelled_data();
    void exportCancelled();
    void thisEntryOnCardItem();
    void failedWrite_data();
    void failedWrite();

    void counting_data();
    void counting();
    void countingWithoutTitle_data();
    void countingWithoutTitle();
    void statsSave_data();
    void statsSave();
};

// --- menus ----------------------------------------------------------------------------

void TestReportCommands::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("export") << "mToFile"
                            << "Вывод в файл"
                            << QStringList{"mShortList", "mLongList", "mThisEntry"}
                            << QStringList{"Краткий список", "Детальный список", "Эту запись"};
    QTest::newRow("counting") << "mCounting"
                              << "Посчитать" << QStringList{"mCount", "mEmpty", "mFull", "mStats"}
                              << QStringList{"Вхождения", "Пустые", "Непустые", "Отчёт"};
}

void TestReportCommands::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    Fixture f;
    auto* m = f.view.findChild<QMenu*>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), title);
    QStringList shownNames;
    QStringList shownCaptions;
    for (QAction* a : m->actions()) {
        shownNames << a->objectName();
        shownCaptions << a->text();
    }
    QCOMPARE(shownNames, names);
    QCOMPARE(shownCaptions, captions);
}

// «Порядок для вывода» follows a separator and is followed by «Вывод в файл» and a
// separator (in front of «Выход»).
void TestReportCommands::vornMenuPlaces() {
    Fixture f;
    auto* vorn = f.view.findChild<QMenu*>(QStringLiteral("mVorn"));
    auto* toFile = f.view.findChild<QMenu*>(QStringLiteral("mToFile"));
    QAction* boxOrder = f.action("mBoxOrder");
    QVERIFY(vorn && toFile && boxOrder);
    QCOMPARE(boxOrder->text(), QStringLiteral("Порядок для вывода"));
    const QList<QAction*> items = vorn->actions();
    const qsizetype at = items.indexOf(boxOrder);
    QVERIFY(at >= 1 && at + 2 < items.size());
    QVERIFY(items[at - 1]->isSeparator());
    QCOMPARE(items[at + 1], toFile->menuAction());
    QVERIFY(items[at + 2]->isSeparator());
}

// --- output order ---------------------------------------------------------------------

void TestReportCommands::orderMoves_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("boxOrder"); // output position of boxes 1..6
    QTest::addColumn<QList<int>>("tab");      // boxes in Tab order

    QTest::newRow("third to the top")
        << 2 << "uu"
        << "1" << QStringList{"Заметка", "Имя", "Порода", "Фото", "Цвета", "Возраст"}
        << QList<int>{2, 3, 1, 4, 5, 6} << QList<int>{3, 1, 5, 6};
    QTest::newRow("up on the first")
        << 0 << "u"
        << "1" << CardHeaders << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 3, 5, 6};
    QTest::newRow("down on the last")
        << 5 << "d"
        << "6" << CardHeaders << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{1, 3, 5, 6};
    QTest::newRow("one down") << 0 << "d"
                              << "2"
                              << QStringList{"Порода", "Имя", "Заметка", "Фото", "Цвета", "Возраст"}
                              << QList<int>{2, 1, 3, 4, 5, 6} << QList<int>{1, 3, 5, 6};
    QTest::newRow("first to the end")
        << 0 << "ddddddd"
        << "6" << QStringList{"Порода", "Заметка", "Фото", "Цвета", "Возраст", "Имя"}
        << QList<int>{6, 1, 2, 3, 4, 5} << QList<int>{3, 5, 6, 1};
    QTest::newRow("picture and word first")
        << 3 << "uuu"
        << "1" << QStringList{"Фото", "Имя", "Порода", "Заметка", "Цвета", "Возраст"}
        << QList<int>{2, 3, 4, 1, 5, 6} << QList<int>{1, 3, 5, 6};
}

void TestReportCommands::orderMoves() {
    QFETCH(int, startRow);
    QFETCH(QString, moves);
    QFETCH(QString, caption);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, boxOrder);
    QFETCH(QList<int>, tab);
    Fixture f;
    f.open(everyKind());

    const OrderRun run = runOrder(f, startRow, moves, Close::Ok);
    QVERIFY(run.shown);
    QCOMPARE(run.openCaption, QStringLiteral("1"));
    QCOMPARE(run.caption, caption);
    QCOMPARE(run.headers, headers);
    QCOMPARE(f.boxOrders(), boxOrder);
    QCOMPARE(f.tabWalk(), tab);
    // Word and picture boxes never take the Tab, wherever they stand.
    QVERIFY(!f.view.Box(1)->tabStop());
    QVERIFY(!f.view.Box(3)->tabStop());
    QVERIFY(f.view.Box(0)->tabStop());
    QVERIFY(!f.view.vorn().Modified);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestReportCommands::orderLaterUseShowsNewOrder() {
    Fixture f;
    f.open(everyKind());
    QVERIFY(!f.view.findChild<OrderDialog*>());
    runOrder(f, 2, QStringLiteral("uu"), Close::Ok);
    auto* first = f.view.findChild<OrderDialog*>(QStringLiteral("orderen"));
    QVERIFY(first);

    const OrderRun again = runOrder(f, -1, QString(), Close::Ok);
    QCOMPARE(again.openCaption, QStringLiteral("1"));
    QCOMPARE(again.headers, (QStringList{"Заметка", "Имя", "Порода", "Фото", "Цвета", "Возраст"}));
    // One dialog for the window's lifetime.
    QCOMPARE(f.view.findChildren<OrderDialog*>().size(), 1);
    QCOMPARE(f.view.findChild<OrderDialog*>(), first);
    QCOMPARE(f.boxOrders(), (QList<int>{2, 3, 1, 4, 5, 6}));
}

void TestReportCommands::orderNotApplied_data() {
    QTest::addColumn<int>("close");
    QTest::newRow("frame") << int(Close::Frame);
    QTest::newRow("Escape") << int(Close::Escape);
}

// Closing the dialog any way but OK drops the edit: order, Tab order and the next use.
void TestReportCommands::orderNotApplied() {
    QFETCH(int, close);
    Fixture f;
    f.open(everyKindAgeSecond());
    const QList<int> before = f.boxOrders();
    const QList<int> tabBefore = f.tabWalk();
    QCOMPARE(tabBefore, (QList<int>{1, 6, 3, 5}));

    const OrderRun run = runOrder(f, 0, QStringLiteral("dd"), Close(close));
    QCOMPARE(run.headers, (QStringList{"Возраст", "Порода", "Имя", "Заметка", "Фото", "Цвета"}));
    QCOMPARE(f.boxOrders(), before);
    QCOMPARE(f.tabWalk(), tabBefore);
    QVERIFY(!f.view.vorn().Modified);

    const OrderRun again = runOrder(f, -1, QString(), Close::Ok);
    QCOMPARE(again.headers, (QStringList{"Имя", "Возраст", "Порода", "Заметка", "Фото", "Цвета"}));
}

void TestReportCommands::orderStoresCleanOrder_data() {
    QTest::addColumn<QList<int>>("stored");   // BoxOrder of boxes 1..4 before
    QTest::addColumn<QStringList>("headers"); // as listed
    QTest::addColumn<QList<int>>("clean");    // BoxOrder after OK

    // Boxes: А (phrase), Б (text), В (number), Г (list).
    QTest::newRow("repeats") << QList<int>{3, 1, 1, 2} << QStringList{"Б", "В", "Г", "А"}
                             << QList<int>{4, 1, 2, 3};
    QTest::newRow("gaps") << QList<int>{9, 2, 40, 5} << QStringList{"Б", "Г", "А", "В"}
                          << QList<int>{3, 1, 4, 2};
    QTest::newRow("all the same") << QList<int>{7, 7, 7, 7} << QStringList{"А", "Б", "В", "Г"}
                                  << QList<int>{1, 2, 3, 4};
}

// Gaps and repeats in the stored order: every box is listed once and OK leaves 1..4.
void TestReportCommands::orderStoresCleanOrder() {
    QFETCH(QList<int>, stored);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, clean);
    using SampleVorn::box;
    Vorn v = SampleVorn::make(
        {box(BoxKind::Phrase, "А", "", 2300, 1000), box(BoxKind::Text, "Б", "", 2300, 2000),
         box(BoxKind::Number, "В", "", 2300, 3500), box(BoxKind::List, "Г", "", 5000, 1000)},
        {}, 1);
    for (int j = 1; j <= stored.size(); ++j)
        v.setBoxOrder(j, qint16(stored[j - 1]));
    Fixture f;
    f.open(std::move(v));

    const OrderRun run = runOrder(f, -1, QString(), Close::Ok);
    QCOMPARE(run.headers, headers);
    QCOMPARE(f.boxOrders(), clean);
    QList<int> tab;
    for (const QString& h : headers)
        tab << int(h.at(0).unicode() - u'А') + 1;
    QCOMPARE(f.tabWalk(), tab);
}

// A header edited on the card and not yet taken into the layout shows as it is now.
void TestReportCommands::orderShowsCurrentHeaders() {
    Fixture f;
    f.open(everyKind());
    f.view.Box(2)->setHeader(QStringLiteral("Привычки"));
    const OrderRun run = runOrder(f, -1, QString(), Close::Ok);
    QCOMPARE(run.headers, (QStringList{"Имя", "Порода", "Привычки", "Фото", "Цвета", "Возраст"}));
}

// --- exports --------------------------------------------------------------------------

void TestReportCommands::exports_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");     // entry list item
    QTest::addColumn<QStringList>("pick"); // headers picked for the detailed list
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("done");

    const QString count = QStringLiteral("3 записей в ворне.\r\n\r\n");
    QTest::newRow("short list")
        << "mShortList" << 0 << QStringList()
        << QByteArray("3 \xe7\xe0\xef\xe8\xf1\xe5\xe9 \xe2 \xe2\xee\xf0\xed\xe5.\r\n\r\n"
                      "001 \xcc\xf3\xf0\xea\xe0\r\n002 \xd8\xe0\xf0\xe8\xea\r\n003 \r\n")
        << "Вывод успешный.";
    QTest::newRow("short list from an entry")
        << "mShortList" << 2 << QStringList()
        << cp1251(count + "001 Мурка\r\n002 Шарик\r\n003 \r\n") << "Вывод успешный.";
    // Picked out of order, with the title and the picture box, which add nothing.
    QTest::newRow("detailed list")
        << "mLongList" << 0 << QStringList{"Заметка", "Имя", "Фото", "Возраст"}
        << cp1251(count + "001 Мурка\r\n\tВозраст\t3\r\n\tЗаметка\r\nест рыбу\r\nспит днём\r\n\r\n"
                          "002 Шарик\r\n\tВозраст\t5\r\n\r\n"
                          "003 \r\n\r\n")
        << "Вывод успешен.";
    QTest::newRow("detailed list, list and word")
        << "mLongList" << 1 << QStringList{"Цвета", "Порода"}
        << cp1251(count + "001 Мурка\r\n\tПорода\tсиам\r\n\tЦвета\r\n\tбелый\r\n\tрыжий\r\n\r\n\r\n"
                          "002 Шарик\r\n\r\n"
                          "003 \r\n\tПорода\tдворняга\r\n\r\n")
        << "Вывод успешен.";
    QTest::newRow("detailed list, nothing picked")
        << "mLongList" << 0 << QStringList()
        << cp1251(count + "001 Мурка\r\n\r\n002 Шарик\r\n\r\n003 \r\n\r\n") << "Вывод успешен.";
    QTest::newRow("this entry") << "mThisEntry" << 1 << QStringList()
                                << cp1251("001 Мурка\r\n\tВозраст\t3\r\n\tПорода\tсиам\r\n"
                                          "\tЗаметка\r\nест рыбу\r\nспит днём\r\n\r\n"
                                          "\tЦвета\r\n\tбелый\r\n\tрыжий\r\n\r\n")
                                << "Вывод успешный";
    QTest::newRow("this entry, short list value")
        << "mThisEntry" << 2 << QStringList() << cp1251("002 Шарик\r\n\tВозраст\t5\r\n")
        << "Вывод успешный";
}

void TestReportCommands::exports() {
    QFETCH(QString, command);
    QFETCH(int, selected);
    QFETCH(QStringList, pick);
    QFETCH(QByteArray, expected);
    QFETCH(QString, done);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("вывод.txt"));
    Fixture f;
    f.open(everyKindAgeSecond());
    f.select(selected);
    f.view.vorn().Modified = false;
    const Vorn before = f.view.vorn();
    f.prompts.watched = path;
    f.prompts.queueSaveFileName(path);

    if (command == QLatin1String("mLongList"))
        QVERIFY(runFields(f, pick, true));
    else
        f.trigger(qPrintable(command));

    const std::optional<QByteArray> written = fileContent(path);
    QVERIFY(written);
    QCOMPARE(*written, expected);

    // The same text the export functions build, in the export code page.
    QString text;
    if (command == QLatin1String("mShortList")) {
        text = Export::shortList(f.view.vorn());
    } else if (command == QLatin1String("mLongList")) {
        auto* dialog = f.view.findChild<OrderDialog*>();
        QVERIFY(dialog);
        text = Export::detailedList(f.view.vorn(), dialog->selectedPositions());
    } else {
        text = Export::thisEntry(f.view.vorn(), selected).value_or(QString());
    }
    QCOMPARE(*written, cp1251(TextFile::withCrLf(text)));

    const QList<ScriptedPrompts::Asked> files = f.prompts.asked(Kind::SaveFile);
    QCOMPARE(files.size(), 1);
    QCOMPARE(files.first().text, QStringLiteral("*.txt"));
    QCOMPARE(files.first().startDir, f.view.vorn().StartDir);
    QCOMPARE(f.prompts.messages(), QStringList{done});
    QCOMPARE(f.prompts.asked(Kind::Message).first().title, QStringLiteral("Tessavorn"));
    // The message came once the file was complete.
    QCOMPARE(f.prompts.seen.size(), 1);
    QCOMPARE(f.prompts.seen.first(), std::optional(expected));
    // Exporting changes nothing in the vorn.
    QVERIFY(f.view.vorn() == before);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

void TestReportCommands::exportReplacesFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4000, 'x'));
    }
    Fixture f;
    f.open(SampleVorn::titled({"кот"}));
    f.prompts.queueSaveFileName(path);
    f.trigger("mShortList");
    QCOMPARE(fileContent(path), std::optional(cp1251("1 записей в ворне.\r\n\r\n001 кот\r\n")));
}

void TestReportCommands::exportUsesCurrentHeaders_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("detailed list")
        << "mLongList"
        << cp1251("2 записей в ворне.\r\n\r\n001 кот\r\n\tПривычки\r\nзаметка кот\r\n\r\n"
                  "002 пёс\r\n\tПривычки\r\nзаметка пёс\r\n\r\n");
    QTest::newRow("this entry") << "mThisEntry"
                                << cp1251("001 кот\r\n\tПривычки\r\nзаметка кот\r\n\r\n");
}

// A header edited on the card and not yet taken into the layout is written as it is now.
void TestReportCommands::exportUsesCurrentHeaders() {
    QFETCH(QString, command);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    Fixture f;
    f.open(SampleVorn::titled({"кот", "пёс"}));
    f.select(1);
    f.view.Box(1)->setHeader(QStringLiteral("Привычки"));
    f.prompts.queueSaveFileName(path);
    if (command == QLatin1String("mLongList"))
        QVERIFY(runFields(f, {QStringLiteral("Привычки")}, true));
    else
        f.trigger(qPrintable(command));
    QCOMPARE(fileContent(path), std::optional(expected));
}

void TestReportCommands::exportCancelled_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("fieldsOk");
    QTest::addColumn<int>("fileDialogs");

    QTest::newRow("short list") << "mShortList" << true << 1;
    QTest::newRow("detailed list, file dialog") << "mLongList" << true << 1;
    QTest::newRow("detailed list, fields dialog closed") << "mLongList" << false << 0;
    QTest::newRow("this entry") << "mThisEntry" << true << 1;
}

void TestReportCommands::exportCancelled() {
    QFETCH(QString, command);
    QFETCH(bool, fieldsOk);
    QFETCH(int, fileDialogs);
    QTemporaryDir dir;
    Fixture f;
    f.open(everyKind());
    f.select(1);
    if (fileDialogs > 0)
        f.prompts.queueSaveFileName(std::nullopt);
    if (command == QLatin1String("mLongList"))
        QVERIFY(runFields(f, {QStringLiteral("Заметка")}, fieldsOk));
    else
        f.trigger(qPrintable(command));

    QCOMPARE(f.prompts.asked(Kind::SaveFile).size(), fileDialogs);
    QVERIFY(f.prompts.messages().isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

// The card item is no entry: nothing to write, and nothing is asked.
void TestReportCommands::thisEntryOnCardItem() {
    Fixture f;
    f.open(everyKind());
    f.select(0);
    f.trigger("mThisEntry");
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestReportCommands::failedWrite_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("short list") << "mShortList";
    QTest::newRow("detailed list") << "mLongList";
    QTest::newRow("this entry") << "mThisEntry";
    QTest::newRow("report") << "mStats";
}

// A file that cannot be written: a message naming it, no success message, nothing left.
void TestReportCommands::failedWrite() {
    QFETCH(QString, command);
    QTemporaryDir dir;
    // A regular file where a folder should be: not even root can write below it.
    const QString plain = dir.filePath(QStringLiteral("plain"));
    {
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    const QString path = plain + QStringLiteral("/out.txt");
    Fixture f;
    f.open(everyKind());
    f.select(1);
    if (command == QLatin1String("mStats"))
        f.prompts.queueYesNo(true);
    f.prompts.queueSaveFileName(path);
    if (command == QLatin1String("mLongList"))
        QVERIFY(runFields(f, {QStringLiteral("Заметка")}, true));
    else
        f.trigger(qPrintable(command));

    const QStringList shown = f.prompts.messages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(path), qPrintable(shown.first()));
    QVERIFY(!shown.first().startsWith(QStringLiteral("Вывод")));
    QCOMPARE(fileContent(plain), std::optional(QByteArray("keep")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{"plain"});
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

// --- counting -------------------------------------------------------------------------

void TestReportCommands::counting_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<std::optional<QString>>("query"); // typed for «Вхождения»
    QTest::addColumn<QStringList>("shown");

    const QStringList animals{"кот", "котёл", "пёс и кот", "рыба"};
    const QStringList withEmpty{"кот", "", "пёс"};
    QTest::newRow("occurrences") << "mCount" << animals << std::optional<QString>("кот+пёс")
                                 << QStringList{"Найдено 4 вхождений (100%)."};
    QTest::newRow("occurrences, capitals") << "mCount" << animals << std::optional<QString>("  КОТ")
                                           << QStringList{"Найдено 3 вхождений (75%)."};
    QTest::newRow("occurrences, empty word ends")
        << "mCount" << animals << std::optional<QString>("кот++пёс")
        << QStringList{"Найдено 3 вхождений (75%)."};
    QTest::newRow("occurrences, input closed")
        << "mCount" << animals << std::optional<QString>() << QStringList();
    QTest::newRow("occurrences, no entries")
        << "mCount" << QStringList() << std::optional<QString>("кот")
        << QStringList{"Найдено 0 вхождений (0%)."};
    QTest::newRow("empty") << "mEmpty" << withEmpty << std::optional<QString>()
                           << QStringList{"Найдено 1 пустых (33.33%)."};
    QTest::newRow("empty, no entries") << "mEmpty" << QStringList() << std::optional<QString>()
                                       << QStringList{"Найдено 0 пустых (0%)."};
    QTest::newRow("full") << "mFull" << withEmpty << std::optional<QString>()
                          << QStringList{"Найдено 2 непустых (66.66%)."};
    QTest::newRow("full, no entries") << "mFull" << QStringList() << std::optional<QString>()
                                      << QStringList{"Найдено 0 непустых (0%)."};
}

void TestReportCommands::counting() {
    QFETCH(QString, command);
    QFETCH(QStringList, titles);
    QFETCH(std::optional<QString>, query);
    QFETCH(QStringList, shown);
    Fixture f;
    f.open(SampleVorn::titled(titles));
    const bool asks = command == QLatin1String("mCount");
    if (asks)
        f.prompts.queueText(query);
    f.trigger(qPrintable(command));

    const QList<ScriptedPrompts::Asked> asked = f.prompts.asked(Kind::Text);
    QCOMPARE(asked.size(), asks ? 1 : 0);
    if (asks)
        QCOMPARE(asked.first().text, QString()); // the input dialog has no caption
    QCOMPARE(f.prompts.messages(), shown);
    for (const ScriptedPrompts::Asked& m : f.prompts.asked(Kind::Message))
        QCOMPARE(m.title, QStringLiteral("Tessavorn"));
    QVERIFY(!f.view.vorn().Modified);
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

void TestReportCommands::countingWithoutTitle_data() {
    QTest::addColumn<QString>("command");
    for (const char* c : {"mCount", "mEmpty", "mFull", "mStats"})
        QTest::newRow(c) << c;
}

void TestReportCommands::countingWithoutTitle() {
    QFETCH(QString, command);
    Vorn v = SampleVorn::titled({"кот", "", "пёс"});
    v.TitleBox = VornLimits::NoTitle;
    Fixture f;
    f.open(std::move(v));
    f.trigger(qPrintable(command));
    QVERIFY(f.prompts.asked().isEmpty());
}

void TestReportCommands::statsSave_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("fileChosen");
    QTest::addColumn<QString>("report");
    QTest::addColumn<std::optional<QByteArray>>("file");

    const QStringList animals{"Кот", "кот", "", "пёс", "пёс", "пёс"};
    const QString report =
        QStringLiteral("пёс: 3 (50%).\r\nКот: 2 (33.33%).\r\nПустые: 1 (16.66%).");
    QTest::newRow("yes") << animals << true << true << report
                         << std::optional(QByteArray("\xef\xb8\xf1: 3 (50%).\r\n"
                                                     "\xca\xee\xf2: 2 (33.33%).\r\n"
                                                     "\xcf\xf3\xf1\xf2\xfb\xe5: 1 (16.66%).\r\n"));
    QTest::newRow("no") << animals << false << false << report << std::optional<QByteArray>();
    QTest::newRow("yes, file dialog cancelled")
        << animals << true << false << report << std::optional<QByteArray>();
    QTest::newRow("no entries") << QStringList() << true << true << QString()
                                << std::optional(QByteArray("\r\n"));
}

void TestReportCommands::statsSave() {
    QFETCH(QStringList, titles);
    QFETCH(bool, yes);
    QFETCH(bool, fileChosen);
    QFETCH(QString, report);
    QFETCH(std::optional<QByteArray>, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("отчёт.txt"));
    Fixture f;
    f.open(SampleVorn::titled(titles));
    f.prompts.queueYesNo(yes);
    if (yes)
        f.prompts.queueSaveFileName(fileChosen ? std::optional(path) : std::nullopt);
    f.trigger("mStats");

    const QList<ScriptedPrompts::Asked> question = f.prompts.asked(Kind::YesNo);
    QCOMPARE(question.size(), 1);
    QCOMPARE(question.first().text, report);
    QCOMPARE(question.first().text, Counting::statsReport(f.view.vorn()).value_or(QString()));
    QCOMPARE(question.first().title, QStringLiteral("Сохранить?"));
    const QList<ScriptedPrompts::Asked> files = f.prompts.asked(Kind::SaveFile);
    QCOMPARE(files.size(), yes ? 1 : 0);
    if (yes) {
        QCOMPARE(files.first().text, QStringLiteral("*.txt"));
        QCOMPARE(files.first().startDir, f.view.vorn().StartDir);
    }
    QCOMPARE(fileContent(path), file);
    if (!file)
        QVERIFY(QDir(dir.path()).isEmpty());
    QVERIFY(f.prompts.messages().isEmpty()); // saving is not announced
    VERIFY_ALL_ANSWERS_USED(f.prompts);
}

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
