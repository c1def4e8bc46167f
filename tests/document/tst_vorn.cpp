#include "vorn.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <set>

namespace {

// A card of `boxes` boxes whose default values name their box.
Vorn cardWith(int boxes) {
    Vorn vorn;
    vorn.reset();
    vorn.BoxCount = qint16(boxes);
    for (int j = 1; j <= boxes; ++j) {
        vorn.descriptor(j).Type = BoxKind::Phrase;
        vorn.descriptor(j).Header = QStringLiteral("поле %1").arg(j);
        vorn.descriptor(j).DefaultValue = QStringLiteral("по умолчанию %1").arg(j);
    }
    return vorn;
}

// Appends entries whose title box 1 holds the given texts.
void addTitledEntries(Vorn& vorn, const QStringList& titles) {
    vorn.TitleBox = 1;
    for (const QString& title : titles) {
        const auto p = vorn.insertEntryAfter(vorn.EntryCount);
        QVERIFY(p.has_value());
        vorn.setValue(*p, 1, title);
    }
}

// Rows in use are exactly 1..EntryCount, each once.
bool rowsCompact(const Vorn& vorn) {
    std::set<int> rows;
    for (int p = 1; p <= vorn.EntryCount; ++p)
        rows.insert(vorn.entryOrder(p));
    return int(rows.size()) == vorn.EntryCount &&
           (rows.empty() || (*rows.begin() == 1 && *rows.rbegin() == vorn.EntryCount));
}

QList<int> toList(const std::vector<int>& v) {
    return QList<int>(v.begin(), v.end());
}

} // namespace

class TestVorn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpState() {
        const Vorn vorn;
        QCOMPARE(vorn.VornName, QStringLiteral("New"));
        QCOMPARE(vorn.BoxCount, qint16(0));
        QCOMPARE(vorn.EntryCount, qint16(0));
        QCOMPARE(vorn.TitleBox, VornLimits::NoTitle);
        QCOMPARE(vorn.CardWidth, qint16(0));
        QVERIFY(vorn.Unlocked);
        QVERIFY(!vorn.Modified);
        for (int j = 1; j <= VornLimits::MaxBoxes; ++j)
            QCOMPARE(vorn.boxOrder(j), qint16(j));
    }

    void resetEmptiesButKeepsWhatItShould() {
        Vorn vorn = cardWith(3);
        vorn.setBoxOrder(1, 3);
        vorn.setBoxOrder(3, 1);
        vorn.insertEntryAfter(0);
        vorn.setValue(1, 2, QStringLiteral("x"));
        vorn.TitleBox = 2;
        vorn.CardWidth = 100;
        vorn.CardHeight = 200;
        vorn.VornPath = QStringLiteral("/tmp/a.vorn");
        vorn.Password = QStringLiteral("секрет");
        vorn.VornName = QStringLiteral("Зоопарк");
        vorn.SearchPhrase = QStringLiteral("кот");
        vorn.ListBuffer = QStringLiteral("\vа");
        vorn.StartDir = QStringLiteral("/home");
        vorn.Unlocked = false;
        vorn.Modified = true;
        const BoxDescriptor second = vorn.descriptor(2);

        vorn.reset();
        QCOMPARE(vorn.EntryCount, qint16(0));
        QCOMPARE(vorn.BoxCount, qint16(0));
        QCOMPARE(vorn.TitleBox, VornLimits::NoTitle);
        QCOMPARE(vorn.CardWidth, VornLimits::DefaultCardWidth);
        QCOMPARE(vorn.CardHeight, VornLimits::DefaultCardHeight);
        QCOMPARE(vorn.VornPath, QString());
        QCOMPARE(vorn.Password, QString());
        QVERIFY(vorn.Unlocked);
        QVERIFY(!vorn.Modified);
        QCOMPARE(vorn.cell(1, 2), QString());
        // Kept: name, output order, descriptors, search phrase, list buffer, start folder.
        QCOMPARE(vorn.VornName, QStringLiteral("Зоопарк"));
        QCOMPARE(vorn.boxOrder(1), qint16(3));
        QCOMPARE(vorn.boxOrder(3), qint16(1));
        QCOMPARE(vorn.descriptor(2), second);
        QCOMPARE(vorn.SearchPhrase, QStringLiteral("кот"));
        QCOMPARE(vorn.ListBuffer, QStringLiteral("\vа"));
        QCOMPARE(vorn.StartDir, QStringLiteral("/home"));
    }

    void orderBox_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QList<int>>("order"); // BoxOrder[1..]
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("box");
        QTest::newRow("empty card") << 0 << QList<int>{} << 1 << 1;
        QTest::newRow("empty card, any position") << 0 << QList<int>{} << 7 << 1;
        QTest::newRow("identity") << 3 << QList<int>{1, 2, 3} << 2 << 2;
        QTest::newRow("reversed") << 3 << QList<int>{3, 2, 1} << 1 << 3;
        QTest::newRow("position nobody holds") << 3 << QList<int>{1, 2, 5} << 3 << 4;
        QTest::newRow("repeat takes the smaller box") << 3 << QList<int>{2, 1, 1} << 1 << 2;
        QTest::newRow("boxes past the count do not answer") << 2 << QList<int>{1, 2, 3} << 3 << 3;
    }
    void orderBox() {
        QFETCH(int, boxes);
        QFETCH(QList<int>, order);
        QFETCH(int, pos);
        QFETCH(int, box);
        Vorn vorn = cardWith(boxes);
        for (int j = 1; j <= order.size(); ++j)
            vorn.setBoxOrder(j, qint16(order[j - 1]));
        QCOMPARE(int(vorn.OrderBox(qint16(pos))), box);
    }

    void outputSequence_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QList<int>>("sequence");
        QTest::newRow("empty") << 0 << QList<int>{} << QList<int>{};
        QTest::newRow("identity") << 3 << QList<int>{1, 2, 3} << QList<int>{1, 2, 3};
        QTest::newRow("permuted") << 3 << QList<int>{2, 3, 1} << QList<int>{3, 1, 2};
        QTest::newRow("gap") << 3 << QList<int>{1, 5, 2} << QList<int>{1, 3, 2};
        QTest::newRow("repeats keep box order")
            << 4 << QList<int>{2, 1, 2, 1} << QList<int>{2, 4, 1, 3};
        QTest::newRow("odd positions") << 3 << QList<int>{0, -4, 32767} << QList<int>{2, 1, 3};
    }
    void outputSequence() {
        QFETCH(int, boxes);
        QFETCH(QList<int>, order);
        QFETCH(QList<int>, sequence);
        Vorn vorn = cardWith(boxes);
        for (int j = 1; j <= order.size(); ++j)
            vorn.setBoxOrder(j, qint16(order[j - 1]));
        QCOMPARE(toList(vorn.outputSequence()), sequence);
    }

    void accessOutsideTablesIsHarmless_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0;
        QTest::newRow("51, past the boxes") << 51;
        QTest::newRow("501, past the rows") << 501;
        QTest::newRow("negative") << -1;
        QTest::newRow("huge") << 1000000;
    }
    void accessOutsideTablesIsHarmless() {
        QFETCH(int, index);
        Vorn vorn = cardWith(2);
        vorn.insertEntryAfter(0);
        const Vorn before = vorn;
        const bool isRow = index >= 1 && index <= VornLimits::MaxEntries;
        // No index of the table is a box number; some are row numbers.
        vorn.setBoxOrder(index, 7);
        vorn.descriptor(index).Header = QStringLiteral("x");
        vorn.setCell(1, index, QStringLiteral("x"));
        vorn.setValue(1, index, QStringLiteral("x"));
        if (!isRow) {
            vorn.setEntryOrder(index, 7);
            vorn.setCell(index, 1, QStringLiteral("x"));
            vorn.setValue(index, 1, QStringLiteral("x"));
        }
        QCOMPARE(vorn == before, true);
        QCOMPARE(vorn.cell(1, index), QString());
        QCOMPARE(vorn.value(1, index), QString());
        QCOMPARE(vorn.boxOrder(index), qint16(0));
        QCOMPARE(vorn.descriptor(index).Header, QString());
        QCOMPARE(std::as_const(vorn).descriptor(index), BoxDescriptor{});
        if (!isRow) {
            QCOMPARE(vorn.cell(index, 1), QString());
            QCOMPARE(vorn.entryOrder(index), qint16(0));
        }
    }

    // Equality looks at the values, not at which cells were ever written.
    void clearedValuesCompareEqual() {
        Vorn written = cardWith(2);
        Vorn untouched = written;
        written.setCell(3, 1, QStringLiteral("kept"));
        untouched.setCell(3, 1, QStringLiteral("kept"));
        written.setCell(500, 50, QStringLiteral("x"));
        written.setCell(9, 2, QStringLiteral("y"));
        QCOMPARE(written == untouched, false);
        written.setCell(500, 50, QString());
        written.setCell(9, 2, QStringLiteral(""));
        QCOMPARE(written == untouched, true);
        QCOMPARE(written.cell(3, 1), QStringLiteral("kept"));
    }

    void countsOutsideTablesNeverReachOut() {
        Vorn vorn = cardWith(2);
        vorn.EntryCount = 32767;
        vorn.BoxCount = -5;
        QCOMPARE(vorn.OrderBox(3), qint16(1));
        QCOMPARE(vorn.outputSequence().size(), std::size_t(0));
        QCOMPARE(vorn.countMatches(QString()), VornLimits::MaxEntries);
        QCOMPARE(vorn.insertEntryAfter(0), std::nullopt);
        vorn.BoxCount = 999;
        vorn.TitleBox = 999;
        QCOMPARE(vorn.entryCaption(1), QStringLiteral("001"));
        vorn.removeBox(60);
        vorn.renamePictures(QStringLiteral("n"));
        QCOMPARE(vorn.removeEntry(600), false);
    }

    void insertEntry_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("after");
        QTest::addColumn<QStringList>("titles"); // titles by list position afterwards
        QTest::newRow("into an empty list") << 0 << 0 << QStringList{"new"};
        QTest::newRow("card item selected") << 3 << 0 << QStringList{"new", "1", "2", "3"};
        QTest::newRow("entry 4 of 6") << 6 << 4 << QStringList{"1", "2", "3", "4", "new", "5", "6"};
        QTest::newRow("after the last") << 2 << 2 << QStringList{"1", "2", "new"};
    }
    void insertEntry() {
        QFETCH(int, entries);
        QFETCH(int, after);
        QFETCH(QStringList, titles);
        Vorn vorn = cardWith(3);
        vorn.descriptor(1).DefaultValue = QStringLiteral("new");
        QStringList initial;
        for (int i = 1; i <= entries; ++i)
            initial << QString::number(i);
        addTitledEntries(vorn, initial);

        const auto p = vorn.insertEntryAfter(after);
        QCOMPARE(p, std::optional<int>(after + 1));
        QCOMPARE(int(vorn.EntryCount), entries + 1);
        QCOMPARE(int(vorn.entryOrder(*p)), entries + 1);
        QStringList now;
        for (int q = 1; q <= vorn.EntryCount; ++q)
            now << vorn.value(q, 1);
        QCOMPARE(now, titles);
        for (int j = 2; j <= 3; ++j)
            QCOMPARE(vorn.value(*p, j), vorn.descriptor(j).DefaultValue);
    }

    void insertRefused_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("after");
        QTest::newRow("full") << VornLimits::MaxEntries << 0;
        QTest::newRow("full, after the last") << VornLimits::MaxEntries << VornLimits::MaxEntries;
        QTest::newRow("before the card item") << 3 << -1;
        QTest::newRow("past the end") << 3 << 4;
    }
    void insertRefused() {
        QFETCH(int, entries);
        QFETCH(int, after);
        Vorn vorn = cardWith(2);
        for (int i = 0; i < entries; ++i)
            QVERIFY(vorn.insertEntryAfter(i).has_value());
        const Vorn before = vorn;
        QCOMPARE(vorn.insertEntryAfter(after), std::nullopt);
        QCOMPARE(vorn == before, true);
    }

    // Random inserts, removals, swaps and edits against a plain list of entries.
    void entryOperationsMatchReferenceModel() {
        const int boxes = 4;
        Vorn vorn = cardWith(boxes);
        QList<QStringList> model; // model[p - 1][j - 1]
        QRandomGenerator random(4711);
        int serial = 0;
        for (int step = 0; step < 6000; ++step) {
            const int count = int(model.size());
            // Drift towards the limit in the middle third, so that it is reached and refused.
            const int insertWeight = step > 2000 && step < 4000 ? 8 : 3;
            const int action = int(random.bounded(insertWeight + 6));
            if (action < insertWeight) {
                const int after = int(random.bounded(count + 1));
                const auto p = vorn.insertEntryAfter(after);
                if (count == VornLimits::MaxEntries) {
                    QCOMPARE(p, std::nullopt);
                } else {
                    QCOMPARE(p, std::optional<int>(after + 1));
                    QStringList fresh;
                    for (int j = 1; j <= boxes; ++j)
                        fresh << vorn.descriptor(j).DefaultValue;
                    model.insert(after, fresh);
                }
            } else if (action < insertWeight + 2) {
                const int p = int(random.bounded(count + 2)); // sometimes out of range
                QCOMPARE(vorn.removeEntry(p), p >= 1 && p <= count);
                if (p >= 1 && p <= count)
                    model.removeAt(p - 1);
            } else if (action < insertWeight + 4) {
                const int p = int(random.bounded(count + 2));
                const int q = p + (random.bounded(2) ? 1 : -1);
                const bool valid = p >= 1 && p <= count && q >= 1 && q <= count;
                QCOMPARE(vorn.swapEntries(p, q), valid);
                if (valid)
                    model.swapItemsAt(p - 1, q - 1);
            } else if (count > 0) {
                const int p = int(random.bounded(count)) + 1;
                const int j = int(random.bounded(boxes)) + 1;
                const QString v = QStringLiteral("v%1").arg(++serial);
                vorn.setValue(p, j, v);
                model[p - 1][j - 1] = v;
            }

            QCOMPARE(int(vorn.EntryCount), int(model.size()));
            QVERIFY2(rowsCompact(vorn), qPrintable(QStringLiteral("step %1").arg(step)));
            for (int p = 1; p <= vorn.EntryCount; ++p)
                for (int j = 1; j <= boxes; ++j)
                    if (vorn.value(p, j) != model[p - 1][j - 1])
                        QFAIL(qPrintable(QStringLiteral("step %1: entry %2 box %3 is \"%4\"")
                                             .arg(step)
                                             .arg(p)
                                             .arg(j)
                                             .arg(vorn.value(p, j))));
        }
    }

    void freedRowsStartEmpty() {
        Vorn vorn = cardWith(1);
        vorn.BoxCount = 1;
        vorn.insertEntryAfter(0);
        vorn.setCell(1, 30, QStringLiteral("left over")); // a column no box uses
        QVERIFY(vorn.removeEntry(1));
        vorn.BoxCount = 30;
        vorn.insertEntryAfter(0);
        QCOMPARE(vorn.value(1, 30), QString());
    }

    void entryCaption_data() {
        QTest::addColumn<int>("title");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        QTest::newRow("no title box") << -1 << 7 << "007";
        QTest::newRow("title box") << 1 << 2 << "002 Кот";
        QTest::newRow("empty title value") << 2 << 2 << "002 ";
        QTest::newRow("title box past the count") << 5 << 2 << "002";
    }
    void entryCaption() {
        QFETCH(int, title);
        QFETCH(int, position);
        QFETCH(QString, caption);
        Vorn vorn = cardWith(2);
        vorn.descriptor(2).DefaultValue.clear();
        for (int i = 0; i < 10; ++i)
            vorn.insertEntryAfter(i);
        vorn.setValue(2, 1, QStringLiteral("Кот"));
        vorn.TitleBox = qint16(title);
        QCOMPARE(vorn.entryCaption(position), caption);
    }

    void countMatches_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("count");
        QTest::newRow("no entries") << QStringList{} << QString() << 0;
        QTest::newRow("empty phrase counts all") << QStringList{"a", "b", "c"} << QString() << 3;
        QTest::newRow("Cyrillic case")
            << QStringList{"КОТ", "Кот учёный", "пёс", "котёнок"} << QStringLiteral("кОт") << 3;
        QTest::newRow("ё is its own letter")
            << QStringList{"ёж", "еж", "ЁЖИК"} << QStringLiteral("ёж") << 2;
        QTest::newRow("Latin case")
            << QStringList{"Cat", "CAT", "dog"} << QStringLiteral("cat") << 2;
        QStringList seventy;
        for (int i = 0; i < 70; ++i)
            seventy << QString();
        QTest::newRow("07 matches 7 and 70") << seventy << QStringLiteral("07") << 2;
        QTest::newRow("number and title together")
            << QStringList{"x", "y"} << QStringLiteral("002 y") << 1;
        QTest::newRow("no match") << QStringList{"a", "b"} << QStringLiteral("z") << 0;
    }
    void countMatches() {
        QFETCH(QStringList, titles);
        QFETCH(QString, phrase);
        QFETCH(int, count);
        Vorn vorn = cardWith(1);
        addTitledEntries(vorn, titles);
        QCOMPARE(vorn.countMatches(phrase), count);
    }

    void findNext_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("found"); // 0: none
        const QStringList pets{"кот", "пёс", "КОТЁЛ", "рыба"};
        QTest::newRow("forward") << pets << 1 << QStringLiteral("кот") << 3;
        QTest::newRow("wraps round") << pets << 3 << QStringLiteral("кот") << 1;
        QTest::newRow("only match is current") << pets << 2 << QStringLiteral("пёс") << 2;
        QTest::newRow("from the card item") << pets << 0 << QStringLiteral("кот") << 1;
        QTest::newRow("no match") << pets << 2 << QStringLiteral("слон") << 0;
        QTest::newRow("empty phrase steps on") << pets << 2 << QString() << 3;
        QTest::newRow("empty phrase from the last") << pets << 4 << QString() << 1;
        QTest::newRow("no entries") << QStringList{} << 0 << QString() << 0;
        QTest::newRow("current past the end") << pets << 99 << QStringLiteral("рыба") << 4;
    }
    void findNext() {
        QFETCH(QStringList, titles);
        QFETCH(int, current);
        QFETCH(QString, phrase);
        QFETCH(int, found);
        Vorn vorn = cardWith(1);
        addTitledEntries(vorn, titles);
        QCOMPARE(vorn.findNext(current, phrase).value_or(0), found);
    }

    void renamePictures_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("renamed");
        QTest::newRow("usual path")
            << QStringLiteral(".\\old\\cat.bmp") << QStringLiteral(".\\new\\cat.bmp");
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("deeper path keeps the rest")
            << QStringLiteral(".\\old\\sub\\cat.bmp") << QStringLiteral(".\\new\\sub\\cat.bmp");
        QTest::newRow("folder without dot")
            << QStringLiteral("old\\cat.bmp") << QStringLiteral(".\\new\\cat.bmp");
        QTest::newRow("backslash at third character")
            << QStringLiteral("ab\\c.bmp") << QStringLiteral(".\\new\\c.bmp");
        QTest::newRow("bare file name")
            << QStringLiteral("cat.bmp") << QStringLiteral(".\\new\\cat.bmp");
        QTest::newRow("backslash only early")
            << QStringLiteral("\\cat") << QStringLiteral(".\\new\\\\cat");
        QTest::newRow("ends in backslash")
            << QStringLiteral(".\\old\\") << QStringLiteral(".\\new\\");
    }
    void renamePictures() {
        QFETCH(QString, value);
        QFETCH(QString, renamed);
        Vorn vorn = cardWith(2);
        vorn.descriptor(2).Type = BoxKind::Picture;
        vorn.descriptor(2).DefaultValue = QStringLiteral(".\\old\\default.bmp");
        vorn.insertEntryAfter(0);
        vorn.insertEntryAfter(1);
        vorn.setValue(1, 1, value);
        vorn.setValue(1, 2, value);
        vorn.setValue(2, 2, QString());

        vorn.renamePictures(QStringLiteral("new"));
        QCOMPARE(vorn.value(1, 2), renamed);
        QCOMPARE(vorn.value(2, 2), QString());
        QCOMPARE(vorn.value(1, 1), value); // not a picture box
        QCOMPARE(vorn.descriptor(2).DefaultValue, QStringLiteral(".\\old\\default.bmp"));
        QVERIFY(!vorn.Modified);
    }

    void removeBox_data() {
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("title");
        QTest::addColumn<int>("titleAfter");
        QTest::newRow("first box, title after it") << 1 << 3 << 2;
        QTest::newRow("middle box, title before it") << 2 << 1 << 1;
        QTest::newRow("title box itself") << 3 << 3 << -1;
        QTest::newRow("last box") << 4 << 2 << 2;
        QTest::newRow("no title") << 2 << -1 << -1;
    }
    // The result must be the vorn that never had the box.
    void removeBox() {
        QFETCH(int, removed);
        QFETCH(int, title);
        QFETCH(int, titleAfter);
        const QList<int> order{3, 1, 4, 2};
        auto build = [&](const QList<int>& keep) {
            Vorn vorn;
            vorn.reset();
            vorn.BoxCount = qint16(keep.size());
            for (int slot = 1; slot <= keep.size(); ++slot) {
                const int box = keep[slot - 1];
                BoxDescriptor& d = vorn.descriptor(slot);
                d.Type = qint16(box % 5);
                d.Header = QStringLiteral("h%1").arg(box);
                d.DefaultValue = QStringLiteral("d%1").arg(box);
                d.Left = qint16(box * 100);
                vorn.setBoxOrder(slot, qint16(order[box - 1]));
            }
            for (int e = 0; e < 5; ++e) {
                vorn.insertEntryAfter(0); // list order differs from row order
                for (int slot = 1; slot <= keep.size(); ++slot)
                    vorn.setValue(1, slot, QStringLiteral("e%1b%2").arg(e).arg(keep[slot - 1]));
            }
            return vorn;
        };
        Vorn vorn = build({1, 2, 3, 4});
        vorn.TitleBox = qint16(title);
        QList<int> kept{1, 2, 3, 4};
        kept.removeAll(removed);
        Vorn expected = build(kept);
        expected.TitleBox = qint16(titleAfter);

        vorn.removeBox(removed);
        QCOMPARE(vorn.TitleBox, qint16(titleAfter));
        QCOMPARE(vorn.BoxCount, qint16(3));
        for (int j = 1; j <= 4; ++j) {
            QCOMPARE(vorn.descriptor(j), expected.descriptor(j));
            QCOMPARE(vorn.boxOrder(j), expected.boxOrder(j));
            for (int p = 1; p <= 5; ++p)
                QCOMPARE(vorn.value(p, j), expected.value(p, j));
        }
        QCOMPARE(vorn == expected, true);
    }

    void removeBoxOutOfRange_data() {
        QTest::addColumn<int>("removed");
        QTest::newRow("0") << 0;
        QTest::newRow("past the count") << 3;
        QTest::newRow("past the table") << 51;
    }
    void removeBoxOutOfRange() {
        QFETCH(int, removed);
        Vorn vorn = cardWith(2);
        vorn.insertEntryAfter(0);
        const Vorn before = vorn;
        vorn.removeBox(removed);
        QCOMPARE(vorn == before, true);
    }
};

QTEST_GUILESS_MAIN(TestVorn)
#include "tst_vorn.moc"
