#include "vorn.h"

#include <QRandomGenerator>
#include <QTest>

#include <set>

namespace {

// A card of `boxes` phrase boxes whose default values name their box.
Vorn cardWith(int boxes, const QList<int>& order = {}) {
    Vorn vorn;
    vorn.BoxCount = qint16(boxes);
    for (int j = 1; j <= boxes; ++j)
        vorn.descriptor(j) = {BoxKind::Phrase, QStringLiteral("поле %1").arg(j), 1,
                              QStringLiteral("по умолчанию %1").arg(j)};
    for (int j = 1; j <= order.size(); ++j)
        vorn.setBoxOrder(j, qint16(order[j - 1]));
    return vorn;
}

// Entries whose title box 1 holds the given texts.
Vorn titled(const QStringList& titles) {
    Vorn vorn = cardWith(1);
    vorn.TitleBox = 1;
    for (const QString& title : titles)
        vorn.setValue(vorn.insertEntryAfter(vorn.EntryCount).value_or(0), 1, title);
    return vorn;
}

} // namespace

class TestVorn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeroesAndClamping() {
        QCOMPARE(QStringList({Zeroes(7, 3), Zeroes(1000, 3), Zeroes(-5, 3), Zeroes(-123, 3)}),
                 QStringList({"007", "1000", "0-5", "-123"}));
        QCOMPARE(QList<int>({clampTo16(40000), clampTo16(-40000), clampTo16(1234)}),
                 QList<int>({32767, -32768, 1234}));
    }

    void outputOrder_data() {
        QTest::addColumn<QList<int>>("order"); // BoxOrder[1..BoxCount]
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("box"); // OrderBox(pos)
        QTest::addColumn<QList<int>>("sequence");
        QTest::newRow("empty card") << QList<int>{} << 7 << 1 << QList<int>{};
        QTest::newRow("reversed") << QList<int>{3, 2, 1} << 1 << 3 << QList<int>{3, 2, 1};
        QTest::newRow("gap, position nobody holds")
            << QList<int>{1, 5, 2} << 3 << 4 << QList<int>{1, 3, 2};
        QTest::newRow("repeats: the smaller box first")
            << QList<int>{2, 1, 2, 1} << 2 << 1 << QList<int>{2, 4, 1, 3};
        QTest::newRow("odd positions") << QList<int>{0, -4, 32767} << 0 << 1 << QList<int>{2, 1, 3};
    }
    void outputOrder() {
        QFETCH(QList<int>, order);
        QFETCH(int, pos);
        QFETCH(int, box);
        QFETCH(QList<int>, sequence);
        const Vorn vorn = cardWith(int(order.size()), order);
        QCOMPARE(int(vorn.OrderBox(qint16(pos))), box);
        const std::vector<int> got = vorn.outputSequence();
        QCOMPARE(QList<int>(got.begin(), got.end()), sequence);
    }

    // Random inserts, removals, swaps and edits against a plain list of entries.
    void entryOperationsMatchReferenceModel() {
        Vorn vorn = cardWith(3);
        QList<QStringList> model; // model[p - 1][j - 1]
        const QStringList fresh{vorn.descriptor(1).DefaultValue, vorn.descriptor(2).DefaultValue,
                                vorn.descriptor(3).DefaultValue};
        QRandomGenerator random(4711);
        int refusals = 0;
        for (int step = 0; step < 6000; ++step) {
            const int count = int(model.size());
            // Drift towards the limit in the middle third, so that it is reached and refused.
            const int insertWeight = step > 2000 && step < 4000 ? 8 : 3;
            const int action = int(random.bounded(insertWeight + 6));
            const int p = int(random.bounded(count + 2)); // sometimes out of range
            const int q = action % 2 ? p + 1 : p - 1;
            const bool valid = p >= 1 && p <= count;
            if (action < insertWeight) {
                const int after = std::min(p, count);
                QCOMPARE(vorn.insertEntryAfter(after),
                         count < 500 ? std::optional<int>(after + 1) : std::nullopt);
                refusals += count == 500;
                if (count < 500)
                    model.insert(after, fresh);
            } else if (action < insertWeight + 2) {
                QCOMPARE(vorn.removeEntry(p), valid);
                if (valid)
                    model.removeAt(p - 1);
            } else if (action < insertWeight + 4) {
                QCOMPARE(vorn.swapEntries(p, q), valid && q >= 1 && q <= count);
                if (valid && q >= 1 && q <= count)
                    model.swapItemsAt(p - 1, q - 1);
            } else if (valid) {
                const QString v = QStringLiteral("v%1").arg(step);
                vorn.setValue(p, action % 3 + 1, v);
                model[p - 1][action % 3] = v;
            }
            // The rows in use are exactly 1..EntryCount, and every entry keeps its values.
            std::set<int> rows;
            QList<QStringList> now;
            for (int r = 1; r <= vorn.EntryCount; ++r) {
                rows.insert(vorn.entryOrder(r));
                now.append({vorn.value(r, 1), vorn.value(r, 2), vorn.value(r, 3)});
            }
            QCOMPARE(now, model);
            QVERIFY(int(rows.size()) == vorn.EntryCount &&
                    (rows.empty() || (*rows.begin() == 1 && *rows.rbegin() == vorn.EntryCount)));
        }
        QVERIFY(refusals > 0);
    }

    void search_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("found"); // 0: none
        QTest::addColumn<int>("count");
        const QStringList pets{"кот", "пёс", "КОТЁЛ", "рыба"};
        QTest::newRow("Cyrillic case") << pets << QStringLiteral("кОт") << 1 << 3 << 2;
        QTest::newRow("wraps round") << pets << QStringLiteral("кот") << 3 << 1 << 2;
        QTest::newRow("no match") << pets << QStringLiteral("слон") << 2 << 0 << 0;
        QTest::newRow("empty phrase") << pets << QString() << 4 << 1 << 4;
        QTest::newRow("07 matches 7 and 70")
            << QStringList(70, QString()) << QStringLiteral("07") << 7 << 70 << 2;
    }
    void search() {
        QFETCH(QStringList, titles);
        QFETCH(QString, phrase);
        QFETCH(int, current);
        QFETCH(int, found);
        QFETCH(int, count);
        const Vorn vorn = titled(titles);
        QCOMPARE(vorn.findNext(current, phrase).value_or(0), found);
        QCOMPARE(vorn.countMatches(phrase), count);
    }

    void renamePictures() {
        const QStringList values{".\\old\\cat.bmp", "", ".\\old\\sub\\c.bmp", "cat.bmp"};
        Vorn vorn = titled(values);
        vorn.BoxCount = 2;
        vorn.descriptor(2) = {BoxKind::Picture, {}, 1, QStringLiteral(".\\old\\d.bmp")};
        for (int p = 1; p <= values.size(); ++p)
            vorn.setValue(p, 2, values[p - 1]);
        vorn.renamePictures(QStringLiteral("new"));
        QStringList pictures;
        for (int p = 1; p <= values.size(); ++p)
            pictures << vorn.value(p, 2);
        QCOMPARE(pictures,
                 QStringList({".\\new\\cat.bmp", "", ".\\new\\sub\\c.bmp", ".\\new\\cat.bmp"}));
        // Only entries' picture values change; not other boxes, not the defaults.
        QCOMPARE(vorn.value(1, 1), values[0]);
        QCOMPARE(vorn.descriptor(2).DefaultValue, QStringLiteral(".\\old\\d.bmp"));
    }

    void removeBox_data() {
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("title");
        QTest::addColumn<int>("titleAfter");
        QTest::newRow("first box, title after it") << 1 << 3 << 2;
        QTest::newRow("title box itself") << 3 << 3 << -1;
        QTest::newRow("last box, title before it") << 4 << 2 << 2;
    }
    // The result must be the vorn that never had the box.
    void removeBox() {
        QFETCH(int, removed);
        QFETCH(int, title);
        QFETCH(int, titleAfter);
        const QList<int> order{3, 1, 4, 2};
        auto build = [&](const QList<int>& keep, int titleBox) {
            Vorn vorn = cardWith(int(keep.size()));
            for (int slot = 1; slot <= keep.size(); ++slot) {
                const int box = keep[slot - 1];
                vorn.descriptor(slot) = {qint16(box), QStringLiteral("h%1").arg(box), 1,
                                         QStringLiteral("d%1").arg(box), qint16(box * 100)};
                vorn.setBoxOrder(slot, qint16(order[box - 1]));
            }
            for (int e = 0; e < 5; ++e) {
                vorn.insertEntryAfter(0); // list order differs from row order
                for (int slot = 1; slot <= keep.size(); ++slot)
                    vorn.setValue(1, slot, QStringLiteral("e%1b%2").arg(e).arg(keep[slot - 1]));
            }
            vorn.TitleBox = qint16(titleBox);
            return vorn;
        };
        Vorn vorn = build({1, 2, 3, 4}, title);
        vorn.removeBox(removed);
        QCOMPARE(vorn.TitleBox, qint16(titleAfter));
        QList<int> kept{1, 2, 3, 4};
        kept.removeAll(removed);
        QCOMPARE(vorn == build(kept, titleAfter), true);
    }
};

QTEST_GUILESS_MAIN(TestVorn)
#include "tst_vorn.moc"
