#include "fileerrors.h"
#include "savetarget.h"
#include "scrim.h"
#include "support/failingdevice.h"
#include "support/samplevorn.h"
#include "vornfile.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

namespace {

// What a file line may hold: printable ASCII only, no comma, no leading double quote and no
// blank at either end.
bool lineSafe(const QString& encoded) {
    for (const QChar c : encoded)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E || c == u',')
            return false;
    return !encoded.startsWith(u'"') && !encoded.startsWith(u' ') && !encoded.endsWith(u' ');
}

// A vorn with boxes of several kinds and awkward texts, whose list order differs from its
// row order. Box 3 is a picture box.
Vorn sampleVorn(int boxes = 3, int entries = 4) {
    Vorn vorn;
    vorn.reset();
    vorn.VornName = QStringLiteral("Зоопарк 🐈");
    vorn.BoxCount = qint16(boxes);
    for (int j = 1; j <= boxes; ++j) {
        vorn.setDescriptor(j,
                           {qint16(j % 6), QStringLiteral("Поле, №%1").arg(j), qint16(j % 12 + 1),
                            QStringLiteral("\vодин\vдва"), qint16(2200 + 37 * j), qint16(-j)});
        vorn.setBoxOrder(j, qint16(boxes + 1 - j));
    }
    vorn.TitleBox = boxes > 0 ? 1 : VornLimits::NoTitle;
    vorn.Password = QStringLiteral(" пароль, \"с\" запятой ");
    for (int e = 0; e < entries; ++e) {
        const int p = vorn.insertEntryAfter(e / 2).value_or(0);
        for (int j = 1; j <= boxes; ++j)
            vorn.setValue(p, j, QStringLiteral("значение %1/%2\r\n,").arg(e).arg(j));
    }
    return vorn;
}

QByteArray written(const Vorn& vorn) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeVorn(buffer, vorn);
    return buffer.data();
}

QList<QByteArray> fileLines(const Vorn& vorn) {
    return written(vorn).chopped(2).replace("\r\n", "\n").split('\n');
}

QByteArray joinLines(const QList<QByteArray>& lines) {
    return lines.join("\r\n") + (lines.isEmpty() ? "" : "\r\n");
}

int namerCalls = 0;

// Reads bytes over a vorn that was open before; counts the calls for a name.
LoadResult load(const QByteArray& bytes) {
    namerCalls = 0;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Vorn before;
    before.VornPath = QStringLiteral("/old.vorn");
    return readVorn(buffer, before, [] { return ++namerCalls, QStringLiteral("zoo"); });
}

// What every load must give, however damaged its file was.
void checkSound(const LoadResult& result) {
    QVERIFY(result.vorn || !result.error.isEmpty());
    if (!result.vorn)
        return;
    const Vorn& v = *result.vorn;
    QVERIFY(v.BoxCount >= 0 && v.BoxCount <= 50 && v.EntryCount >= 0 && v.EntryCount <= 500);
    QVERIFY(v.TitleBox == VornLimits::NoTitle || (v.TitleBox >= 1 && v.TitleBox <= v.BoxCount));
    QVERIFY(!v.Unlocked && !v.Designing && !v.Modified && v.VornPath.isEmpty());
}

} // namespace

// The vorn's own operations, the encoding of every value, then the file made of them.
class TestDocument : public QObject {
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
        QTest::addColumn<std::vector<int>>("sequence");
        QTest::newRow("empty card") << QList<int>{} << 7 << 1 << std::vector<int>{};
        QTest::newRow("gap, position nobody holds")
            << QList<int>{1, 5, 2} << 3 << 4 << std::vector<int>{1, 3, 2};
        QTest::newRow("repeats: the smaller box first")
            << QList<int>{2, 1, 2, 1} << 2 << 1 << std::vector<int>{2, 4, 1, 3};
        QTest::newRow("extremes") << QList<int>{0, -4, 32767} << 0 << 1
                                  << std::vector<int>{2, 1, 3};
    }
    void outputOrder() {
        QFETCH(QList<int>, order);
        QFETCH(int, pos);
        QFETCH(int, box);
        QFETCH(std::vector<int>, sequence);
        Vorn vorn = SampleVorn::make(QString(order.size(), u'P'));
        for (int j = 1; j <= order.size(); ++j)
            vorn.setBoxOrder(j, qint16(order[j - 1]));
        QCOMPARE(int(vorn.OrderBox(qint16(pos))), box);
        QCOMPARE(vorn.outputSequence(), sequence);
    }

    // Random inserts, removals, swaps and edits against a plain list of entries.
    void entryOperationsMatchReferenceModel() {
        Vorn vorn = SampleVorn::make(QStringLiteral("PPP"));
        QList<QStringList> model; // model[p - 1][j - 1]
        const QStringList fresh{vorn.descriptor(1).DefaultValue, vorn.descriptor(2).DefaultValue,
                                vorn.descriptor(3).DefaultValue};
        QRandomGenerator random(4711);
        int refusals = 0;
        for (int step = 0; step < 6000; ++step) {
            const int count = int(model.size());
            const int insertWeight = step > 2000 && step < 4000 ? 8 : 3; // reach the limit
            const int action = int(random.bounded(insertWeight + 6));
            const int p = int(random.bounded(count + 2)); // sometimes out of range
            const int q = action % 2 ? p + 1 : p - 1;
            const bool valid = p >= 1 && p <= count, pair = valid && q >= 1 && q <= count;
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
                QCOMPARE(vorn.swapEntries(p, q), pair);
                if (pair)
                    model.swapItemsAt(p - 1, q - 1);
            } else if (valid) {
                model[p - 1][action % 3] = QString::number(step);
                vorn.setValue(p, action % 3 + 1, model[p - 1][action % 3]);
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
        QTest::newRow("07 matches 7 and 70")
            << QStringList(70, QString()) << QStringLiteral("07") << 7 << 70 << 2;
    }
    void search() {
        QFETCH(QStringList, titles);
        QFETCH(QString, phrase);
        QFETCH(int, current);
        QFETCH(int, found);
        QFETCH(int, count);
        const Vorn vorn = SampleVorn::titled(titles);
        QCOMPARE(vorn.findNext(current, phrase).value_or(0), found);
        QCOMPARE(vorn.countMatches(phrase), count);
    }

    void listTitleCaption_data() {
        QTest::addColumn<int>("kind");        // of the title box
        QTest::addColumn<QString>("value");   // its value in entry 1
        QTest::addColumn<QString>("caption"); // what the entry list shows
        const QChar sep = ListSeparator;
        QTest::newRow("list: items joined")
            << int(BoxKind::List)
            << sep + QStringLiteral("бешенство") + sep + QStringLiteral("чумка")
            << "001 бешенство, чумка";
        QTest::newRow("list: blanks around items left out, an empty item kept")
            << int(BoxKind::List) << sep + QStringLiteral(" a ") + sep + sep + QStringLiteral("b  ")
            << "001 a, , b";
        QTest::newRow("list: a value without the leading separator")
            << int(BoxKind::List) << QStringLiteral("a") + sep + QStringLiteral("b") << "001 a, b";
        QTest::newRow("list: one empty item") << int(BoxKind::List) << QString(sep) << "001 ";
        QTest::newRow("list: nothing") << int(BoxKind::List) << QString() << "001 ";
        QTest::newRow("phrase: as it is") << int(BoxKind::Phrase) << QStringLiteral(" кот ") + sep
                                          << QStringLiteral("001  кот ") + sep;
    }
    // A list title reads as its items, and the search sees the same text.
    void listTitleCaption() {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QString, caption);
        const Vorn vorn = SampleVorn::make({SampleVorn::box(qint16(kind), QStringLiteral("Поле"))},
                                           {{value}, {QStringLiteral("другое")}}, 1);
        QCOMPARE(vorn.entryCaption(1), caption);
        const QString shown = caption.mid(4);
        QCOMPARE(vorn.findNext(2, shown.toUpper()).value_or(0), 1);
        QCOMPARE(vorn.countMatches(shown), shown.isEmpty() ? 2 : 1);
    }

    // Only entries' picture values change; not other boxes, not the defaults.
    void renamePictures() {
        const QStringList values{".\\old\\cat.bmp", "", ".\\old\\sub\\c.bmp", "cat.bmp"};
        Vorn vorn = SampleVorn::titled(values);
        vorn.setDescriptor(2, {BoxKind::Picture, {}, 1, QStringLiteral(".\\old\\d.bmp")});
        for (int p = 1; p <= values.size(); ++p)
            vorn.setValue(p, 2, values[p - 1]);
        vorn.renamePictures(QStringLiteral("new"));
        QStringList got{vorn.descriptor(2).DefaultValue, vorn.value(1, 1)};
        for (int p = 1; p <= values.size(); ++p)
            got << vorn.value(p, 2);
        QCOMPARE(got, QStringList({".\\old\\d.bmp", values[0], ".\\new\\cat.bmp", "",
                                   ".\\new\\sub\\c.bmp", ".\\new\\cat.bmp"}));
    }

    // Removing a box gives the vorn that never had it; a removed title box leaves none.
    void removeBox() {
        const QList<int> order{3, 1, 4, 2};
        auto build = [&](const QList<int>& keep, int titleBox) {
            std::vector<BoxDescriptor> boxes;
            std::vector<QStringList> entries(5);
            for (const int box : keep) {
                boxes.push_back({qint16(box), QStringLiteral("h%1").arg(box), 1,
                                 QStringLiteral("d%1").arg(box), qint16(box * 100)});
                for (int e = 0; e < 5; ++e)
                    entries[e] << QStringLiteral("e%1b%2").arg(e).arg(box);
            }
            Vorn vorn = SampleVorn::make(boxes, entries, qint16(titleBox));
            for (int slot = 1; slot <= keep.size(); ++slot)
                vorn.setBoxOrder(slot, qint16(order[keep[slot - 1] - 1]));
            vorn.swapEntries(1, 4); // list order differs from row order
            return vorn;
        };
        // The box removed, the title box before and after.
        for (const auto& [removed, title, after] :
             std::initializer_list<std::array<int, 3>>{{1, 3, 2}, {3, 3, -1}, {4, 2, 2}}) {
            Vorn vorn = build({1, 2, 3, 4}, title);
            vorn.removeBox(removed);
            QList<int> kept{1, 2, 3, 4};
            kept.removeAll(removed);
            QVERIFY2(vorn == build(kept, after), qPrintable(QString::number(removed)));
        }
    }

    void textRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("marks, blanks, breaks")
            << QStringLiteral("  _%__%%25 a\r\nb,\"c\"\v") + QChar(0) + u' ';
        QTest::newRow("Cyrillic, emoji")
            << QStringLiteral("ЁЛКА ёлка, 🐈 и 🐕‍🦺 👍🏽");
        QString every;
        // Surrogates are halves of characters, not characters: skipped.
        for (char32_t u = 0; u <= 0x10FFFF; u += u == 0xD7FF ? 0x801 : 1)
            every += QString::fromUcs4(&u, 1);
        QTest::newRow("every code point") << every;
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("all of Windows-1251") << QString(QStringDecoder("windows-1251").decode(all));
    }
    void textRoundTrip() {
        QFETCH(QString, text);
        const QString encoded = Scrim::EncodeStr(text);
        QVERIFY(lineSafe(encoded));
        QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>(text));
    }

    void scalars() {
        for (int n = -32768; n <= 32767; ++n) {
            const QString encoded = Scrim::EncodeNum(qint16(n));
            // A count line of an old file must never pass for the version line.
            if (!lineSafe(encoded) || Scrim::DecodeNum(encoded) != qint16(n) ||
                Scrim::DecodeStr(encoded).value_or(QString()).startsWith(u"version"))
                QFAIL(qPrintable(QStringLiteral("%1 encodes as \"%2\"").arg(n).arg(encoded)));
        }
        // A lone surrogate cannot be kept exactly, but its line must stay safe.
        QVERIFY(lineSafe(Scrim::EncodeStr(QString(QChar(0xD800)) + u'x')));
        // Malformed input is refused, not guessed at.
        for (const char* bad : {"ab%", "ab%4", "%G1", "a b", "a\nb", "\xd0\xba", "%D0", "%C0%80",
                                "%ED%A0%80", "%F4%90%80%80"})
            QVERIFY2(!Scrim::DecodeStr(QString::fromUtf8(bad)), bad);
        for (const char* bad :
             {"#32768", "#-32769", "#123456789012345678901", "12", "#-", "#1a", ""})
            QVERIFY2(!Scrim::DecodeNum(QString::fromUtf8(bad)), bad);
        QCOMPARE(Scrim::DecodeNum(QStringLiteral("#00007")), std::optional<qint16>(7));
    }

    void roundTrip_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty vorn") << 0 << 0 << 8;
        QTest::newRow("three boxes, four entries") << 3 << 4 << 6 + 7 * 3 + 2 + 4 * 3;
        QTest::newRow("full") << 50 << 500 << 6 + 7 * 50 + 2 + 500 * 50;
    }
    void roundTrip() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        QFETCH(int, lines);
        const QByteArray file = written(sampleVorn(boxes, entries));
        // Every line ends in CR LF, and nothing else breaks a line.
        QCOMPARE(QList({file.count("\r\n"), file.count('\n')}), QList<qsizetype>({lines, lines}));
        const LoadResult result = load(file);
        checkSound(result);
        QCOMPARE(result.skippedFields, 0);
        QCOMPARE(written(result.vorn.value_or(Vorn())), file);
    }

    void lineLayout() {
        Vorn vorn = sampleVorn(1, 0);
        vorn.setDescriptor(1, {BoxKind::List, QStringLiteral("заголовок"), 7,
                               QStringLiteral("значение"), 2345, 1234});
        vorn.setBoxOrder(1, 3);
        for (const QString& v : {QStringLiteral("a"), QStringLiteral("b")})
            vorn.setValue(vorn.insertEntryAfter(0).value_or(0), 1, v);
        QStringList decoded;
        for (const QString& text :
             QString::fromLatin1(written(vorn)).chopped(2).split(QStringLiteral("\r\n"))) {
            const auto number = Scrim::DecodeNum(text);
            decoded << (number ? QString::number(*number) : Scrim::DecodeStr(text).value_or("?"));
        }
        // Per box: type, left, top, header position, value, header. Entries in list order.
        QCOMPARE(decoded, QStringList({"version #1", vorn.VornName, "1", "2", "8880", "7725", "4",
                                       "2345", "1234", "7", "значение", "заголовок", "1",
                                       vorn.Password, "b", "a", "3"}));
    }

    void oldFilePictures() {
        Vorn vorn = sampleVorn(3, 2);
        BoxDescriptor picture = vorn.descriptor(3);
        picture.DefaultValue = QStringLiteral("default.bmp");
        vorn.setDescriptor(3, picture);
        vorn.setValue(1, 1, QStringLiteral("cat.bmp"));
        vorn.setValue(1, 3, QStringLiteral("cat.bmp"));
        vorn.setValue(2, 3, QString());
        // The old layout is the same file without its version and name lines.
        const LoadResult result = load(joinLines(fileLines(vorn).mid(2)));
        QCOMPARE(namerCalls, 1);
        const Vorn v = result.vorn.value_or(Vorn());
        QCOMPARE(QStringList({v.VornName, v.value(1, 3), v.value(2, 3), v.value(1, 1),
                              v.descriptor(3).DefaultValue}),
                 QStringList({"zoo", ".\\zoo\\cat.bmp", "", "cat.bmp", "default.bmp"}));
    }

    // A cut file loses only what is missing, a line that does not decode only its own field;
    // without readable counts nothing is read.
    void damagedFiles() {
        const QList<QByteArray> lines = fileLines(sampleVorn());
        for (int i = 0; i < lines.size(); ++i) {
            const LoadResult cut = load(joinLines(lines.mid(0, i)));
            checkSound(cut);
            QCOMPARE(cut.vorn.has_value(), i >= 4);
            if (cut.vorn)
                QCOMPARE(std::pair(cut.skippedFields, fileLines(*cut.vorn).mid(0, i)),
                         std::pair(int(lines.size()) - i, lines.mid(0, i)));
            QList<QByteArray> damaged = lines;
            damaged[i] = "\xff\xfe m%%\x01 \"";
            const LoadResult bad = load(joinLines(damaged));
            checkSound(bad);
            QCOMPARE(bad.vorn.has_value(), i != 0 && i != 2 && i != 3);
            QCOMPARE(namerCalls, 0);
            if (bad.vorn) {
                QList<QByteArray> back = fileLines(*bad.vorn);
                back[i] = lines[i];
                QCOMPARE(std::pair(bad.skippedFields, back), std::pair(1, lines));
            }
        }
        QList<QByteArray> big = lines; // a value longer than any field may be costs only itself
        big[30] = QByteArray(MaxVornFieldBytes + 10, 'a');
        QCOMPARE(load(joinLines(big)).skippedFields, 1);

        // Counts outside the tables, in a current file or an old one: an error, nothing read,
        // nobody asked for a name.
        for (const char* counts : {"#51\r\n#0", "#-1\r\n#0", "#0\r\n#501", "#1\r\n#-1",
                                   "#32767\r\n#32767", "#-32768\r\n#-32768", "#99999\r\n#0"})
            for (const QByteArray header : {"version_#1\r\nname\r\n", ""}) {
                const LoadResult result = load(header + counts + "\r\n" + joinLines(lines.mid(4)));
                QVERIFY2(!result.vorn && !result.error.isEmpty() && namerCalls == 0, counts);
            }

        // Random damage never crashes and never gives an unsound vorn.
        QRandomGenerator random(1234567);
        const QByteArray sample = written(sampleVorn(5, 6));
        for (int round = 0; round < 600; ++round) {
            // Odd rounds change a few bytes of a sound file, even ones add noise to a header.
            QByteArray bytes =
                round % 2 ? sample : QByteArray(round % 4 ? "version_#1\r\nn\r\n#3\r\n#4\r\n" : "");
            for (int n = int(round % 2 ? random.bounded(1, 6) : random.bounded(3000)); n > 0; --n)
                if (round % 2)
                    bytes[qsizetype(random.bounded(int(bytes.size())))] = char(random.bounded(256));
                else
                    bytes += char(random.bounded(256));
            checkSound(load(bytes));
        }
    }

    void writeFailures_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("where"); // the first byte the device refuses
        QTest::newRow("first byte") << 3 << 4 << "first";
        QTest::newRow("mid-line") << 3 << 4 << "mid-line";
        QTest::newRow("last byte") << 3 << 4 << "last";
        QTest::newRow("in a later block of a full vorn") << 50 << 500 << "later block";
    }
    // A device that fails part way makes the write fail with the device's reason, and
    // nothing more is tried after the failure.
    void writeFailures() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        QFETCH(QString, where);
        const Vorn vorn = sampleVorn(boxes, entries);
        const QByteArray whole = written(vorn);
        const qsizetype nameLine = whole.indexOf("\r\n") + 2;
        const qsizetype capacity = where == u"first" ? 0
                                   : where == u"mid-line"
                                       ? (nameLine + whole.indexOf("\r\n", nameLine)) / 2
                                   : where == u"last" ? whole.size() - 1
                                                      : whole.size() / 2;
        FailingDevice device(capacity);
        QString error;
        QVERIFY(!writeVorn(device, vorn, &error));
        QVERIFY2(error.contains(FileErrors::DiskFull), qPrintable(error));
        QCOMPARE(device.written(), whole.left(capacity));
        QCOMPARE(device.failedWrites(), 1);
    }

    void failureReasons_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "read missing" << FileErrors::NotFound;
        QTest::newRow("missing folder") << "save in missing folder" << FileErrors::NotFound;
        QTest::newRow("folder read as a file") << "read folder" << FileErrors::IsFolder;
        QTest::newRow("folder saved over") << "save folder" << FileErrors::IsFolder;
        QTest::newRow("disk full") << "write full disk" << FileErrors::DiskFull;
        QTest::newRow("below a file: the system's text")
            << "save below file" << qt_error_string(ENOTDIR);
        // Root, which runs CI, may write anywhere: these two come from a device that fails
        // with the system's text for them.
        QTest::newRow("no permission") << "device EACCES" << FileErrors::NoPermission;
        QTest::newRow("read-only file system") << "device EROFS" << FileErrors::ReadOnlyFileSystem;
        QTest::newRow("anything else as given") << "device other"
                                                << "Сбой устройства";
    }
    void failureReasons() {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        std::unique_ptr<QIODevice> device;
        const auto saveFile = [&](const QString& path) {
            auto file = std::make_unique<QSaveFile>(path);
            QVERIFY(!file->open(QIODevice::WriteOnly));
            device = std::move(file);
        };
        const auto readFile = [&](const QString& path) {
            auto file = std::make_unique<QFile>(path);
            QVERIFY(!file->open(QIODevice::ReadOnly));
            device = std::move(file);
        };
        if (failure == u"read missing") {
            readFile(dir.filePath(QStringLiteral("missing.vorn")));
        } else if (failure == u"save in missing folder") {
            saveFile(dir.filePath(QStringLiteral("missing/x.vorn")));
        } else if (failure == u"read folder") {
            readFile(dir.path());
        } else if (failure == u"save folder") {
            saveFile(dir.path());
        } else if (failure == u"save below file") {
            saveFile(plain.fileName() + QStringLiteral("/x.vorn"));
        } else if (failure == u"write full disk") {
            auto file = std::make_unique<QFile>(QStringLiteral("/dev/full"));
            QVERIFY(file->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            QCOMPARE(file->write("x", 1), -1);
            device = std::move(file);
        } else {
            const int code = failure.endsWith(u"EACCES")  ? EACCES
                             : failure.endsWith(u"EROFS") ? EROFS
                                                          : 0;
            device = std::make_unique<FailingDevice>(0, code ? qt_error_string(code) : reason);
            QCOMPARE(device->write("x", 1), -1);
        }
        QVERIFY(device);
        QCOMPARE(FileErrors::reason(*device), reason);
    }

    void saveInPlace_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("new file") << false << false << true << false;
        QTest::newRow("file in a writable folder") << true << true << true << false;
        QTest::newRow("writable file, folder not writable") << true << true << false << true;
        QTest::newRow("neither writable") << true << false << false << false;
        QTest::newRow("new file, folder not writable") << false << false << false << false;
    }
    // Only a writable file whose folder cannot take the temporary file is written in place.
    void saveInPlace() {
        QFETCH(bool, fileExists);
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(bool, inPlace);
        QCOMPARE(SaveTarget::writesInPlace({fileExists, fileWritable, folderWritable}), inPlace);
    }

    void saveTargetFacts_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("new file") << "new.vorn" << false << true;
        QTest::newRow("existing file") << "plain" << true << true;
        QTest::newRow("a folder is no file") << "sub" << false << true;
        QTest::newRow("below a file: no folder") << "plain/x.vorn" << false << false;
        QTest::newRow("a link is followed") << "link" << true << true;
        QTest::newRow("missing folder") << "missing/x.vorn" << false << false;
    }
    // What is found on disk. Root, which runs CI, may write anywhere, so a folder that cannot
    // be written is not among these; the decision above covers it.
    void saveTargetFacts() {
        QFETCH(QString, target);
        QFETCH(bool, fileExists);
        QFETCH(bool, folderWritable);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile plain(dir.filePath(QStringLiteral("sub/plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QFile::copy(plain.fileName(), dir.filePath(QStringLiteral("plain"))));
        QVERIFY(QFile::link(plain.fileName(), dir.filePath(QStringLiteral("link"))));
        const SaveTarget::Facts facts = SaveTarget::inspect(dir.filePath(target));
        QCOMPARE((QList<bool>{facts.fileExists, facts.fileWritable, facts.folderWritable}),
                 (QList<bool>{fileExists, fileExists, folderWritable}));
    }

    // A file in a folder that cannot be written is still saved, with nothing left beside it.
    // As root this goes through the temporary file like any other save; as a user it is the
    // in-place write.
    void saveBesideReadOnlyFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        const QString path = folder + QStringLiteral("/zoo.vorn");
        QVERIFY(SaveTo(path, sampleVorn(1, 1)));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const Vorn vorn = sampleVorn();
        QString error;
        const bool saved = SaveTo(path, vorn, &error);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(written(LoadFrom(path, Vorn(), nullptr).vorn.value_or(Vorn())), written(vorn));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"zoo.vorn"});
    }

    void saveAndLoadFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("зоопарк.vorn"));
        const QString below = path + QStringLiteral("/below.vorn");
        Vorn vorn = sampleVorn();
        const QByteArray bytes = written(vorn);
        QString error;
        QVERIFY2(SaveTo(path, vorn, &error), qPrintable(error));
        // A failed save leaves the file that was there as it was.
        QVERIFY(!SaveTo(below, vorn, &error) && error.contains(below));
        vorn.BoxCount = 51;
        QVERIFY(!SaveTo(path, vorn, &error) && error.contains(path));
        QCOMPARE(written(LoadFrom(path, Vorn(), nullptr).vorn.value_or(Vorn())), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        // A file that cannot be opened is an error, not an empty vorn.
        for (const QString& target : {below, dir.path()}) {
            const LoadResult result = LoadFrom(target, Vorn(), nullptr);
            QVERIFY2(!result.vorn && result.error.contains(target), qPrintable(result.error));
        }
        const QString missing = dir.filePath(QStringLiteral("нет.vorn"));
        QCOMPARE(LoadFrom(missing, Vorn(), nullptr).error,
                 FileErrors::OpenFailedText.arg(missing, FileErrors::NotFound));
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
