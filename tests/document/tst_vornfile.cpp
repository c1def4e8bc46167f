#include "scrim.h"
#include "vornfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

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
        vorn.descriptor(j) = {qint16(j % 6),         QStringLiteral("Поле, №%1").arg(j),
                              qint16(j % 12 + 1),    QStringLiteral("\vодин\vдва"),
                              qint16(2200 + 37 * j), qint16(-j)};
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
    return readVorn(buffer, before, [] {
        ++namerCalls;
        return QStringLiteral("zoo");
    });
}

// What every load must give, however damaged its file was.
void checkSound(const LoadResult& result) {
    QVERIFY(result.vorn || !result.error.isEmpty());
    if (!result.vorn)
        return;
    const Vorn& v = *result.vorn;
    QVERIFY(v.BoxCount >= 0 && v.BoxCount <= 50 && v.EntryCount >= 0 && v.EntryCount <= 500);
    QVERIFY(v.TitleBox == VornLimits::NoTitle || (v.TitleBox >= 1 && v.TitleBox <= v.BoxCount));
    for (int p = 1; p <= v.EntryCount; ++p) // storage rows become list positions
        QCOMPARE(v.entryOrder(p), qint16(p));
    QVERIFY(!v.Unlocked && !v.Designing && !v.Modified && v.VornPath.isEmpty());
}

} // namespace

// The encoding of every value, then the file made of them.
class TestVornFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("marks, blanks, breaks")
            << QStringLiteral("  _%__%%25 a\r\nb,\"c\"\v") + QChar(0) + u' ';
        QTest::newRow("Cyrillic") << QStringLiteral("Съешь же ещё этих мягких булок. ЁЛКА ёлка");
        QTest::newRow("emoji") << QStringLiteral("🐈 и 🐕‍🦺, 👍🏽");
        QString every;
        for (char32_t u = 0; u <= 0x10FFFF; ++u)
            if (u < 0xD800 || u > 0xDFFF) // surrogates are halves of characters, not characters
                every += QString::fromUcs4(&u, 1);
        QTest::newRow("every code point") << every;
        QTest::newRow("long text") << QStringLiteral("строка; ").repeated(50000);
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

    void everyNumberRoundTrips() {
        for (int n = -32768; n <= 32767; ++n) {
            const QString encoded = Scrim::EncodeNum(qint16(n));
            // A count line of an old file must never pass for the version line.
            if (!lineSafe(encoded) || Scrim::DecodeNum(encoded) != qint16(n) ||
                Scrim::DecodeStr(encoded).value_or(QString()).startsWith(u"version"))
                QFAIL(qPrintable(QStringLiteral("%1 encodes as \"%2\"").arg(n).arg(encoded)));
        }
    }

    void versionLine() {
        const QString line = Scrim::EncodeStr(QStringLiteral("version ")) + Scrim::EncodeNum(1);
        QCOMPARE(Scrim::DecodeStr(line).value_or(QString()).left(8), QStringLiteral("version "));
        QCOMPARE(Scrim::DecodeNum(line.mid(8)), std::optional<qint16>(1));
        // A lone surrogate cannot be kept exactly, but its line must stay safe.
        QVERIFY(lineSafe(Scrim::EncodeStr(QString(QChar(0xD800)) + u'x')));
    }

    void malformedInputRefused() {
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
        QTest::newRow("three boxes") << 3 << 0 << 6 + 7 * 3 + 2;
        QTest::newRow("three boxes, four entries") << 3 << 4 << 6 + 7 * 3 + 2 + 4 * 3;
        QTest::newRow("full") << 50 << 500 << 6 + 7 * 50 + 2 + 500 * 50;
    }
    void roundTrip() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        QFETCH(int, lines);
        const Vorn original = sampleVorn(boxes, entries);
        const QByteArray file = written(original);
        QCOMPARE(int(file.count("\r\n")), lines);
        QCOMPARE(int(file.count('\n')), lines); // nothing else breaks a line
        const LoadResult result = load(file);
        checkSound(result);
        QVERIFY(result.vorn);
        QCOMPARE(result.skippedFields, 0);
        QCOMPARE(written(*result.vorn), file);
    }

    void lineLayout() {
        Vorn vorn = sampleVorn(1, 0);
        vorn.descriptor(1) = {
            BoxKind::List, QStringLiteral("заголовок"), 7, QStringLiteral("значение"), 2345, 1234};
        vorn.setBoxOrder(1, 3);
        for (const QString& v : {QStringLiteral("a"), QStringLiteral("b")})
            vorn.setValue(vorn.insertEntryAfter(0).value_or(0), 1, v);
        QStringList decoded;
        for (const QByteArray& line : fileLines(vorn)) {
            const QString text = QString::fromLatin1(line);
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
        vorn.descriptor(3).DefaultValue = QStringLiteral("default.bmp");
        vorn.setValue(1, 1, QStringLiteral("cat.bmp"));
        vorn.setValue(1, 3, QStringLiteral("cat.bmp"));
        vorn.setValue(2, 3, QString());
        // The old layout is the same file without its version and name lines.
        const LoadResult result = load(joinLines(fileLines(vorn).mid(2)));
        QVERIFY(result.vorn);
        QCOMPARE(namerCalls, 1);
        const Vorn& v = *result.vorn;
        QCOMPARE(QStringList({v.VornName, v.value(1, 3), v.value(2, 3), v.value(1, 1),
                              v.descriptor(3).DefaultValue}),
                 QStringList({"zoo", ".\\zoo\\cat.bmp", "", "cat.bmp", "default.bmp"}));
    }

    // A cut file loses only what is missing, a line that does not decode only its own field;
    // without readable counts nothing is read.
    void damagedLines() {
        const QList<QByteArray> lines = fileLines(sampleVorn());
        for (int i = 0; i < lines.size(); ++i) {
            const LoadResult cut = load(joinLines(lines.mid(0, i)));
            checkSound(cut);
            QCOMPARE(cut.vorn.has_value(), i >= 4);
            if (cut.vorn) {
                QCOMPARE(cut.skippedFields, int(lines.size()) - i);
                QCOMPARE(fileLines(*cut.vorn).mid(0, i), lines.mid(0, i));
            }
            QList<QByteArray> damaged = lines;
            damaged[i] = "\xff\xfe m%%\x01 \"";
            const LoadResult bad = load(joinLines(damaged));
            checkSound(bad);
            QCOMPARE(bad.vorn.has_value(), i != 0 && i != 2 && i != 3);
            QCOMPARE(namerCalls, 0);
            if (!bad.vorn)
                continue;
            QCOMPARE(bad.skippedFields, 1);
            QList<QByteArray> back = fileLines(*bad.vorn);
            back[i] = lines[i];
            QCOMPARE(back, lines);
        }
    }

    // Counts outside the tables: an error, nothing read, nobody asked for a name.
    void damagedCounts() {
        const QByteArray tail = joinLines(fileLines(sampleVorn(1, 1)).mid(4));
        for (const QByteArray counts : {"#51\r\n#0", "#-1\r\n#0", "#0\r\n#501", "#1\r\n#-1",
                                        "#32767\r\n#32767", "#-32768\r\n#-32768", "#99999\r\n#0"}) {
            // The same counts in a current file and in an old one.
            for (const QByteArray& header : {QByteArray("version_#1\r\nname\r\n"), QByteArray()}) {
                const LoadResult result = load(header + counts + "\r\n" + tail);
                QVERIFY2(!result.vorn && !result.error.isEmpty(), counts);
                QCOMPARE(namerCalls, 0);
            }
        }
    }

    void tenMegabyteLines() {
        const QList<QByteArray> lines = fileLines(sampleVorn());
        // The line replaced, its filling, and the fields skipped (-1: the file is not read).
        for (const auto& [line, fill, skipped] : std::initializer_list<std::tuple<int, char, int>>{
                 {1, 'a', 0}, {30, '\xd0', 1}, {2, ' ', -1}}) {
            QList<QByteArray> big = lines;
            big[line] = QByteArray(10 << 20, fill);
            const LoadResult result = load(joinLines(big));
            checkSound(result);
            QCOMPARE(result.vorn ? result.skippedFields : -1, skipped);
        }
    }

    void randomBytes() {
        QRandomGenerator random(1234567);
        const QByteArray sample = written(sampleVorn(5, 6));
        const QByteArray header = "version_#1\r\nn\r\n#3\r\n#4\r\n";
        for (int round = 0; round < 600; ++round) {
            QByteArray bytes = round % 2 ? sample : (round % 4 ? header : QByteArray());
            if (round % 2) { // a sound file with a few bytes changed
                for (int flips = int(random.bounded(1, 6)); flips > 0; --flips)
                    bytes[qsizetype(random.bounded(int(bytes.size())))] = char(random.bounded(256));
            } else {
                for (int n = int(random.bounded(3000)); n > 0; --n)
                    bytes += char(random.bounded(256));
            }
            checkSound(load(bytes));
        }
    }

    void saveAndLoadFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("зоопарк.vorn"));
        const QByteArray bytes = written(sampleVorn());
        QString error;
        QVERIFY2(SaveTo(path, sampleVorn(), &error), qPrintable(error));
        const LoadResult loaded = LoadFrom(path, Vorn(), nullptr);
        QVERIFY(loaded.vorn);
        QCOMPARE(written(*loaded.vorn), bytes);

        // A failed save leaves the file that was there as it was.
        Vorn broken = sampleVorn();
        broken.BoxCount = 51;
        for (const QString& target : {path, path + QStringLiteral("/below.vorn")}) {
            QVERIFY(!SaveTo(target, target == path ? broken : sampleVorn(), &error));
            QVERIFY2(error.contains(target), qPrintable(error));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

        // A file that cannot be opened is an error, not an empty vorn.
        for (const QString& target : {dir.filePath(QStringLiteral("missing.vorn")), dir.path()}) {
            const LoadResult result = LoadFrom(target, Vorn(), nullptr);
            QVERIFY(!result.vorn);
            QVERIFY2(result.error.contains(target), qPrintable(result.error));
        }
    }
};

QTEST_GUILESS_MAIN(TestVornFile)
#include "tst_vornfile.moc"
