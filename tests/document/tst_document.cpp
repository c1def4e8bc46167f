#include "fileerrors.h"
#include "savetarget.h"
#include "scrim.h"
#include "support/failingdevice.h"
#include "support/samplevorn.h"
#include "vornfile.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <set>

namespace {

// What the encoder writes: letters, digits and its marks, so that no line holds a blank, a
// comma, a quote or a line break.
bool lineSafe(const QString& encoded) {
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_%#-]*$"));
    return safe.match(encoded).hasMatch();
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

    void captionAndSearch_data() {
        QTest::addColumn<int>("kind");           // of the title box
        QTest::addColumn<QStringList>("titles"); // its values, one entry each
        QTest::addColumn<QString>("caption");    // what the entry list shows for entry 1
        QTest::addColumn<QList<int>>("search");  // from entry, entry found (0: none), matches
        QTest::addColumn<QString>("phrase");
        const int text = BoxKind::Phrase, list = BoxKind::List;
        const QString sep = ListSeparator;
        const QStringList pets{"кот", "пёс", "КОТЁЛ", "рыба"};
        QTest::newRow("Cyrillic case") << text << pets << "001 кот" << QList{1, 3, 2} << "кОт";
        QTest::newRow("wraps round") << text << pets << "001 кот" << QList{3, 1, 2} << "кот";
        QTest::newRow("no match") << text << pets << "001 кот" << QList{2, 0, 0} << "слон";
        QTest::newRow("07 matches 7 and 70")
            << text << QStringList(70, QString()) << "001 " << QList{7, 70, 2} << "07";
        QTest::newRow("phrase: as it is") << text << QStringList{" кот " + sep, "кот"}
                                          << "001  кот " + sep << QList{2, 1, 1} << "1  кот " + sep;
        // A list title reads as its items, and the search sees the same text.
        QTest::newRow("list: items joined")
            << list << QStringList{sep + "бешенство" + sep + "чумка", "чумка"}
            << "001 бешенство, чумка" << QList{2, 1, 1} << "ВО, ЧУ";
        QTest::newRow("list: blanks around items left out, an empty item kept")
            << list << QStringList{sep + " a " + sep + sep + "b  ", "b"} << "001 a, , b"
            << QList{2, 1, 1} << "1 a, , b";
        QTest::newRow("list: a value without the leading separator")
            << list << QStringList{"a" + sep + "b", "b"} << "001 a, b" << QList{2, 1, 1} << "A, B";
        QTest::newRow("list: one empty item")
            << list << QStringList{sep, sep + "a"} << "001 " << QList{1, 0, 0} << sep;
        QTest::newRow("list: nothing")
            << list << QStringList{""} << "001 " << QList{1, 1, 1} << "1 ";
    }
    void captionAndSearch() {
        QFETCH(int, kind);
        QFETCH(QStringList, titles);
        QFETCH(QString, caption);
        QFETCH(QList<int>, search);
        QFETCH(QString, phrase);
        std::vector<QStringList> entries;
        for (const QString& title : titles)
            entries.push_back({title});
        const Vorn vorn =
            SampleVorn::make({SampleVorn::box(qint16(kind), QStringLiteral("Поле"))}, entries, 1);
        QCOMPARE(vorn.entryCaption(1), caption);
        QCOMPARE(QList({vorn.findNext(search[0], phrase).value_or(0), vorn.countMatches(phrase)}),
                 search.mid(1));
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
        // Each character is encoded on its own, so all of them in a row stand for any text.
        // Surrogates are halves of characters, not characters: skipped.
        QString every;
        for (char32_t u = 0; u <= 0x10FFFF; u += u == 0xD7FF ? 0x801 : 1)
            every += QString::fromUcs4(&u, 1);
        QTest::newRow("every code point") << every;
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
            if (!lineSafe(encoded) || Scrim::DecodeNum(encoded) != qint16(n))
                QFAIL(qPrintable(QStringLiteral("%1 encodes as \"%2\"").arg(n).arg(encoded)));
        }
        // A lone surrogate cannot be kept: it becomes the replacement character, and only it.
        QCOMPARE(Scrim::DecodeStr(Scrim::EncodeStr(QString(QChar(0xD800)) + u'x')),
                 std::optional(QString(QChar(QChar::ReplacementCharacter)) + u'x'));
        // Malformed numbers are refused, not guessed at.
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
        const Vorn vorn = sampleVorn(boxes, entries);
        const QByteArray file = written(vorn);
        // Every line ends in CR LF, and nothing else breaks a line.
        QCOMPARE(QList({file.count("\r\n"), file.count('\n')}), QList<qsizetype>({lines, lines}));
        const LoadResult result = load(file);
        checkSound(result);
        QCOMPARE(result.skippedFields, 0);
        const Vorn read = result.vorn.value_or(Vorn());
        QCOMPARE(written(read), file);
        // The entries are written in list order, which is not their row order here.
        for (int p = 1; p <= entries; ++p)
            QCOMPARE(read.value(p, 1), vorn.value(p, 1));
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
            // Odd rounds change a few bytes of a sound file, even ones add noise to a header or,
            // with none, make a file of small numbers (counts and title among them).
            QByteArray bytes =
                round % 2 ? sample : QByteArray(round % 4 ? "version_#1\r\nn\r\n#3\r\n#4\r\n" : "");
            for (int n = int(round % 2 ? random.bounded(1, 6) : random.bounded(3000)); n > 0; --n)
                if (round % 2)
                    bytes[qsizetype(random.bounded(int(bytes.size())))] = char(random.bounded(256));
                else if (round % 4)
                    bytes += char(random.bounded(256));
                else
                    bytes += '#' + QByteArray::number(random.bounded(-5, 60)) + ',';
            checkSound(load(bytes));
        }
    }

    void writeFailures_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("where"); // the first byte the device refuses
        QTest::addColumn<int>("code");      // the system error it fails with; 0: a text of its own
        QTest::addColumn<QString>("reason");
        QTest::newRow("first byte, disk full")
            << 3 << 4 << "first" << ENOSPC << FileErrors::DiskFull;
        QTest::newRow("mid-line, no permission")
            << 3 << 4 << "mid-line" << EACCES << FileErrors::NoPermission;
        QTest::newRow("last byte, read-only file system")
            << 3 << 4 << "last" << EROFS << FileErrors::ReadOnlyFileSystem;
        QTest::newRow("in a later block of a full vorn, any other reason as given")
            << 50 << 500 << "later block" << 0 << "Сбой устройства";
        QTest::newRow("a real full disk") << 3 << 4 << "/dev/full" << 0 << FileErrors::DiskFull;
    }
    // A device that fails part way makes the write fail with the device's reason in Russian,
    // and nothing more is tried after the failure.
    void writeFailures() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        QFETCH(QString, where);
        QFETCH(int, code);
        QFETCH(QString, reason);
        const Vorn vorn = sampleVorn(boxes, entries);
        QString error;
        if (where.startsWith(u'/')) { // the reasons know the system's own text for it
            QFile file(where);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            QVERIFY(!writeVorn(file, vorn, &error));
            QVERIFY2(error.contains(reason), qPrintable(error));
            return;
        }
        const QByteArray whole = written(vorn);
        const qsizetype nameLine = whole.indexOf("\r\n") + 2;
        const qsizetype capacity = where == u"first" ? 0
                                   : where == u"mid-line"
                                       ? (nameLine + whole.indexOf("\r\n", nameLine)) / 2
                                   : where == u"last" ? whole.size() - 1
                                                      : whole.size() / 2;
        FailingDevice device(capacity, code ? qt_error_string(code) : reason);
        QVERIFY(!writeVorn(device, vorn, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(device.written(), whole.left(capacity));
        QCOMPARE(device.failedWrites(), 1);
    }

    void fileTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("fileExists"); // and writable: root, which runs CI, writes anywhere
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("loadReason");            // none: it loads
        QTest::addColumn<QString>("saveReason");            // none: it saves
        const QString notFolder = qt_error_string(ENOTDIR); // the system's text, as it is
        QTest::newRow("new file") << "new.vorn" << false << true << FileErrors::NotFound
                                  << QString();
        QTest::newRow("existing file") << "plain" << true << true << QString() << QString();
        QTest::newRow("a folder is no file")
            << "sub" << false << true << FileErrors::IsFolder << FileErrors::IsFolder;
        QTest::newRow("below a file") << "plain/x.vorn" << false << false << notFolder << notFolder;
        QTest::newRow("missing folder")
            << "missing/x.vorn" << false << false << FileErrors::NotFound << FileErrors::NotFound;
    }
    // What is found on disk, and what loading and saving there give: a file that cannot be
    // opened is an error naming the file and the reason, not an empty vorn.
    void fileTargets() {
        QFETCH(QString, target);
        QFETCH(bool, fileExists);
        QFETCH(bool, folderWritable);
        QFETCH(QString, loadReason);
        QFETCH(QString, saveReason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(SaveTo(dir.filePath(QStringLiteral("plain")), sampleVorn()));
        const QString path = dir.filePath(target);
        const SaveTarget::Facts facts = SaveTarget::inspect(path);
        QCOMPARE((QList<bool>{facts.fileExists, facts.fileWritable, facts.folderWritable}),
                 (QList<bool>{fileExists, fileExists, folderWritable}));
        const LoadResult loaded = LoadFrom(path, Vorn(), nullptr);
        QCOMPARE(loaded.vorn.has_value(), loadReason.isEmpty());
        QCOMPARE(loaded.error, loadReason.isEmpty()
                                   ? QString()
                                   : FileErrors::OpenFailedText.arg(path, loadReason));
        QString error;
        QCOMPARE(SaveTo(path, sampleVorn(), &error), saveReason.isEmpty());
        QVERIFY2(saveReason.isEmpty() || (error.contains(path) && error.contains(saveReason)),
                 qPrintable(error));
    }

    void saveInPlace_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("file in a writable folder") << true << true << true << false;
        QTest::newRow("writable file, folder not writable") << true << true << false << true;
        QTest::newRow("neither writable") << true << false << false << false;
    }
    // Only a writable file whose folder cannot take the temporary file is written in place.
    // Root, which runs CI, finds no folder it cannot write, so the decision is checked alone.
    void saveInPlace() {
        QFETCH(bool, fileExists);
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(bool, inPlace);
        QCOMPARE(SaveTarget::writesInPlace({fileExists, fileWritable, folderWritable}), inPlace);
    }

    // A save that fails leaves the file as it was and nothing beside it. A file in a folder
    // that cannot be written is still saved: in place for a user, through the temporary file
    // as ever for root, which runs CI.
    void saveAndLoadFiles() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        const QString folder = dir.filePath(QStringLiteral("locked"));
        const QString path = folder + QStringLiteral("/зоопарк.vorn");
        const auto onDisk = [&] {
            return written(LoadFrom(path, Vorn(), nullptr).vorn.value_or(Vorn()));
        };
        QString error;
        QVERIFY2(SaveTo(path, sampleVorn(1, 1), &error), qPrintable(error));
        Vorn tooLarge = sampleVorn();
        tooLarge.BoxCount = 51;
        QVERIFY(!SaveTo(path, tooLarge, &error) && error.contains(path));
        QCOMPARE(onDisk(), written(sampleVorn(1, 1)));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const bool saved = SaveTo(path, sampleVorn(), &error);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(saved, qPrintable(error));
        QCOMPARE(onDisk(), written(sampleVorn()));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"зоопарк.vorn"});
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
