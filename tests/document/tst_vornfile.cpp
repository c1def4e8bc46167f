#include "scrim.h"
#include "vornfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// The base a load starts from: everything here that emptying keeps must come through, and
// nothing else may leak into the loaded vorn.
Vorn previousVorn() {
    Vorn base;
    base.VornName = QStringLiteral("Прежний");
    base.StartDir = QStringLiteral("/start");
    base.SearchPhrase = QStringLiteral("кот");
    base.ListBuffer = QStringLiteral("\vбуфер");
    for (int j = 1; j <= VornLimits::MaxBoxes; ++j) {
        base.descriptor(j) = BoxDescriptor{
            BoxKind::Text, QStringLiteral("старый %1").arg(j), 9, QStringLiteral("старое"), 11, 12};
        base.setBoxOrder(j, qint16(100 + j));
    }
    return base;
}

// A vorn with every kind of value, whose list order differs from its row order.
Vorn sampleVorn(int boxes = 3, int entries = 4) {
    Vorn vorn;
    vorn.reset();
    vorn.VornName = QStringLiteral("Зоопарк 🐈");
    vorn.CardWidth = 9000;
    vorn.CardHeight = 8100;
    vorn.BoxCount = qint16(boxes);
    const qint16 kinds[] = {BoxKind::Phrase, BoxKind::Picture, BoxKind::List,
                            BoxKind::Number, BoxKind::Text,    BoxKind::Word};
    for (int j = 1; j <= boxes; ++j) {
        BoxDescriptor& d = vorn.descriptor(j);
        d.Type = kinds[(j - 1) % 6];
        d.Header = QStringLiteral("Поле, №%1").arg(j);
        d.HeadPose = qint16((j - 1) % 12 + 1);
        d.DefaultValue = j == 3 ? QStringLiteral("\vодин\vдва") : QString();
        d.Left = qint16(2200 + 37 * j);
        d.Top = qint16(-j);
        vorn.setBoxOrder(j, qint16(boxes + 1 - j));
    }
    vorn.TitleBox = boxes > 0 ? 1 : VornLimits::NoTitle;
    vorn.Password = QStringLiteral(" пароль, \"с\" запятой ");
    for (int e = 0; e < entries; ++e) {
        const int p = *vorn.insertEntryAfter(e / 2);
        for (int j = 1; j <= boxes; ++j)
            vorn.setValue(
                p, j,
                j == 2 ? (e % 2 ? QStringLiteral(".\\Зоопарк\\кот %1.bmp").arg(e) : QString())
                       : QStringLiteral("значение %1/%2\r\n,%3").arg(e).arg(j));
    }
    if (entries > 2)
        vorn.swapEntries(1, entries);
    return vorn;
}

QByteArray written(const Vorn& vorn) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!writeVorn(buffer, vorn, &error))
        qWarning("write failed: %s", qPrintable(error));
    return buffer.data();
}

QList<QByteArray> fileLines(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
    QByteArray file;
    for (const QByteArray& line : lines)
        file += line + "\r\n";
    return file;
}

struct Namer {
    QString name = QStringLiteral("zoo");
    int calls = 0;
    OldFileNamer callback() {
        return [this] {
            ++calls;
            return name;
        };
    }
};

LoadResult readBytes(const QByteArray& bytes, const Vorn& base, Namer& namer) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readVorn(buffer, base, namer.callback());
}

// One entry per file line: what the line holds, read off a vorn. Line 1 (the version) holds
// no field of its own.
using LineField = std::function<QString(const Vorn&)>;
QList<LineField> lineFields(int boxes, int entries) {
    auto number = [](qint16 n) { return QString::number(n); };
    QList<LineField> fields;
    fields << [](const Vorn&) { return QString(); };
    fields << [](const Vorn& v) { return v.VornName; };
    fields << [=](const Vorn& v) { return number(v.BoxCount); };
    fields << [=](const Vorn& v) { return number(v.EntryCount); };
    fields << [=](const Vorn& v) { return number(v.CardWidth); };
    fields << [=](const Vorn& v) { return number(v.CardHeight); };
    for (int j = 1; j <= boxes; ++j) {
        fields << [=](const Vorn& v) { return number(v.descriptor(j).Type); };
        fields << [=](const Vorn& v) { return number(v.descriptor(j).Left); };
        fields << [=](const Vorn& v) { return number(v.descriptor(j).Top); };
        fields << [=](const Vorn& v) { return number(v.descriptor(j).HeadPose); };
        fields << [=](const Vorn& v) { return v.descriptor(j).DefaultValue; };
        fields << [=](const Vorn& v) { return v.descriptor(j).Header; };
    }
    fields << [=](const Vorn& v) { return number(v.TitleBox); };
    fields << [](const Vorn& v) { return v.Password; };
    for (int p = 1; p <= entries; ++p)
        for (int j = 1; j <= boxes; ++j)
            fields << [=](const Vorn& v) { return v.value(p, j); };
    for (int j = 1; j <= boxes; ++j)
        fields << [=](const Vorn& v) { return number(v.boxOrder(j)); };
    return fields;
}

// What a field holds when its line could not be used: emptying's value, or a fresh record.
Vorn fallbackVorn(const Vorn& base, int boxes) {
    Vorn fallback = base;
    fallback.reset();
    for (int j = 1; j <= boxes; ++j)
        fallback.descriptor(j) = BoxDescriptor{};
    return fallback;
}

// What every loaded vorn must satisfy, however damaged its file was.
void checkSound(const Vorn& v) {
    QVERIFY(v.BoxCount >= 0 && v.BoxCount <= VornLimits::MaxBoxes);
    QVERIFY(v.EntryCount >= 0 && v.EntryCount <= VornLimits::MaxEntries);
    QVERIFY(v.TitleBox == VornLimits::NoTitle || (v.TitleBox >= 1 && v.TitleBox <= v.BoxCount));
    for (int p = 1; p <= v.EntryCount; ++p)
        QCOMPARE(v.entryOrder(p), qint16(p));
    QVERIFY(!v.Unlocked);
    QVERIFY(!v.Designing);
    QVERIFY(!v.Modified);
    QCOMPARE(v.VornPath, QString());
}

// Fails every write once `budget` bytes have gone through.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 budget) : budget_(budget) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (size > budget_) {
            setErrorString(QStringLiteral("disk full"));
            return -1;
        }
        budget_ -= size;
        return size;
    }

private:
    qint64 budget_;
};

} // namespace

class TestVornFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineCount_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty vorn") << 0 << 0 << 8;
        QTest::newRow("entries without boxes") << 0 << 5 << 8;
        QTest::newRow("one box") << 1 << 0 << 6 + 7 + 2;
        QTest::newRow("three boxes") << 3 << 0 << 6 + 7 * 3 + 2;
        QTest::newRow("three boxes, four entries") << 3 << 4 << 6 + 6 * 3 + 2 + 4 * 3 + 3;
        QTest::newRow("full") << 50 << 500 << 6 + 6 * 50 + 2 + 500 * 50 + 50;
    }
    void lineCount() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        QFETCH(int, lines);
        const QByteArray file = written(sampleVorn(boxes, entries));
        QCOMPARE(int(file.count("\r\n")), lines);
        // Every line ends in CR LF, nothing else breaks a line, and the text is ASCII.
        QCOMPARE(int(file.count('\n')), lines);
        QCOMPARE(int(file.count('\r')), lines);
        QVERIFY(file.endsWith("\r\n"));
        for (const char c : file)
            QVERIFY(uchar(c) < 0x80);
    }

    void lineLayout() {
        Vorn vorn = sampleVorn(1, 0);
        vorn.descriptor(1) = BoxDescriptor{
            BoxKind::List, QStringLiteral("заголовок"), 7, QStringLiteral("значение"), 2345, 1234};
        vorn.setBoxOrder(1, 4);
        const QList<QByteArray> lines = fileLines(written(vorn));
        QCOMPARE(lines.size(), 15);
        auto text = [&](int line) {
            return Scrim::DecodeStr(QString::fromLatin1(lines[line - 1])).value_or("?");
        };
        auto number = [&](int line) {
            return int(Scrim::DecodeNum(QString::fromLatin1(lines[line - 1])).value_or(-999));
        };
        QCOMPARE(QString::fromLatin1(lines[0]),
                 Scrim::EncodeStr(QStringLiteral("version ")) + Scrim::EncodeNum(1));
        QCOMPARE(text(2), vorn.VornName);
        QCOMPARE(number(3), 1);
        QCOMPARE(number(4), 0);
        QCOMPARE(number(5), 9000);
        QCOMPARE(number(6), 8100);
        // Type, left, top, header position, value, header: not the record's order.
        QCOMPARE(number(7), int(BoxKind::List));
        QCOMPARE(number(8), 2345);
        QCOMPARE(number(9), 1234);
        QCOMPARE(number(10), 7);
        QCOMPARE(text(11), QStringLiteral("значение"));
        QCOMPARE(text(12), QStringLiteral("заголовок"));
        QCOMPARE(number(13), 1);
        QCOMPARE(text(14), vorn.Password);
        QCOMPARE(number(15), 4);
    }

    void entriesAreWrittenInListOrder() {
        const Vorn vorn = sampleVorn(2, 3);
        QVERIFY(vorn.entryOrder(2) != 2); // the sample's rows are not in list order
        const QList<QByteArray> lines = fileLines(written(vorn));
        const int first = 6 + 6 * 2 + 2;
        for (int p = 1; p <= 3; ++p)
            for (int j = 1; j <= 2; ++j)
                QCOMPARE(Scrim::DecodeStr(QString::fromLatin1(lines[first + (p - 1) * 2 + j - 1])),
                         std::optional<QString>(vorn.value(p, j)));
    }

    void roundTrip_data() {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("entries");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("boxes only") << 4 << 0;
        QTest::newRow("sample") << 3 << 4;
        QTest::newRow("every kind") << 6 << 9;
        QTest::newRow("full") << 50 << 500;
    }
    void roundTrip() {
        QFETCH(int, boxes);
        QFETCH(int, entries);
        const Vorn original = sampleVorn(boxes, entries);
        const Vorn base = previousVorn();
        Namer namer;
        const LoadResult result = readBytes(written(original), base, namer);
        QVERIFY2(result.vorn.has_value(), qPrintable(result.error));
        const Vorn& loaded = *result.vorn;
        checkSound(loaded);
        QCOMPARE(result.skippedFields, 0);
        QCOMPARE(namer.calls, 0);
        const auto fields = lineFields(boxes, entries);
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(fields[i](loaded), fields[i](original));
        // Carried over from the vorn that was open before.
        QCOMPARE(loaded.StartDir, base.StartDir);
        QCOMPARE(loaded.SearchPhrase, base.SearchPhrase);
        QCOMPARE(loaded.ListBuffer, base.ListBuffer);
        QCOMPARE(loaded.descriptor(boxes + 1), base.descriptor(boxes + 1));
        QCOMPARE(loaded.boxOrder(boxes + 1), base.boxOrder(boxes + 1));
    }

    void fieldSyntax_data() {
        QTest::addColumn<int>("variant");
        QTest::newRow("LF line ends") << 0;
        QTest::newRow("CR line ends") << 1;
        QTest::newRow("blanks around fields") << 2;
        QTest::newRow("quoted fields with a tail") << 3;
        QTest::newRow("no line end after the last line") << 4;
        QTest::newRow("garbage after the last line") << 5;
    }
    void fieldSyntax() {
        QFETCH(int, variant);
        const Vorn original = sampleVorn();
        const QList<QByteArray> lines = fileLines(written(original));
        QByteArray file;
        for (const QByteArray& line : lines) {
            switch (variant) {
            case 0:
                file += line + "\n";
                break;
            case 1:
                file += line + "\r";
                break;
            case 2:
                file += "  " + line + "   \r\n";
                break;
            case 3:
                file += "  \"" + line + "\" passed over\r\n";
                break;
            default:
                file += line + "\r\n";
                break;
            }
        }
        if (variant == 4)
            file.chop(2);
        if (variant == 5)
            file += "\xff\xfe,,\"\r\n#1\r\n";
        Namer namer;
        const LoadResult result = readBytes(file, Vorn(), namer);
        QVERIFY2(result.vorn.has_value(), qPrintable(result.error));
        QCOMPARE(result.skippedFields, 0);
        const auto fields = lineFields(3, 4);
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(fields[i](*result.vorn), fields[i](original));
    }

    void commaSeparatesFields() {
        const QByteArray file = "version_#1\r\nn\r\n#0,#0\r\n#100,#200\r\n#-1\r\n\r\n";
        Namer namer;
        const LoadResult result = readBytes(file, Vorn(), namer);
        QVERIFY2(result.vorn.has_value(), qPrintable(result.error));
        QCOMPARE(result.vorn->CardWidth, qint16(100));
        QCOMPARE(result.vorn->CardHeight, qint16(200));
        QCOMPARE(result.vorn->VornName, QStringLiteral("n"));
        QCOMPARE(result.skippedFields, 0);
    }

    void oldFilePictures_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("file name")
            << QStringLiteral("cat.bmp") << QStringLiteral(".\\zoo\\cat.bmp");
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("Cyrillic name")
            << QStringLiteral("кот.bmp") << QStringLiteral(".\\zoo\\кот.bmp");
    }
    void oldFilePictures() {
        QFETCH(QString, stored);
        QFETCH(QString, loaded);
        Vorn vorn = sampleVorn(3, 2);
        QCOMPARE(vorn.descriptor(2).Type, BoxKind::Picture);
        vorn.descriptor(2).DefaultValue = QStringLiteral("default.bmp");
        vorn.setValue(2, 1, QStringLiteral("cat.bmp"));
        vorn.setValue(2, 2, stored);
        // The old layout is the same file without its first two lines.
        QList<QByteArray> lines = fileLines(written(vorn));
        lines.remove(0, 2);
        Namer namer;
        const LoadResult result = readBytes(joinLines(lines), previousVorn(), namer);
        QVERIFY2(result.vorn.has_value(), qPrintable(result.error));
        checkSound(*result.vorn);
        QCOMPARE(namer.calls, 1);
        QCOMPARE(result.vorn->VornName, QStringLiteral("zoo"));
        QCOMPARE(result.vorn->value(2, 2), loaded);
        QCOMPARE(result.vorn->value(2, 1), QStringLiteral("cat.bmp")); // not a picture box
        QCOMPARE(result.vorn->descriptor(2).DefaultValue, QStringLiteral("default.bmp"));
        QCOMPARE(result.vorn->value(1, 3), vorn.value(1, 3));
        QCOMPARE(result.vorn->BoxCount, qint16(3));
    }

    void cutAtEveryLine() {
        const int boxes = 3;
        const int entries = 4;
        const Vorn original = sampleVorn(boxes, entries);
        const Vorn base = previousVorn();
        const Vorn fallback = fallbackVorn(base, boxes);
        const QList<QByteArray> lines = fileLines(written(original));
        const auto fields = lineFields(boxes, entries);
        QCOMPARE(lines.size(), fields.size());
        for (int kept = 0; kept <= lines.size(); ++kept) {
            Namer namer;
            const LoadResult result = readBytes(joinLines(lines.mid(0, kept)), base, namer);
            const QByteArray where = QByteArray::number(kept) + " lines kept";
            QCOMPARE(namer.calls, 0);
            if (kept < 4) { // the counts are missing
                QVERIFY2(!result.vorn && !result.error.isEmpty(), where);
                continue;
            }
            QVERIFY2(result.vorn.has_value(), where);
            checkSound(*result.vorn);
            QCOMPARE(result.skippedFields, int(lines.size()) - kept);
            for (int i = 1; i < fields.size(); ++i)
                QVERIFY2(fields[i](*result.vorn) == fields[i](i < kept ? original : fallback),
                         where + ", line " + QByteArray::number(i + 1));
        }
    }

    void cutAtEveryByte() {
        const QByteArray file = written(sampleVorn());
        for (int kept = 0; kept <= file.size(); ++kept) {
            Namer namer;
            const LoadResult result = readBytes(file.left(kept), previousVorn(), namer);
            if (result.vorn)
                checkSound(*result.vorn);
            else
                QVERIFY(!result.error.isEmpty());
        }
    }

    // A line that does not decode costs only its own field.
    void garbageLineAtEveryPosition() {
        const int boxes = 3;
        const int entries = 4;
        const Vorn original = sampleVorn(boxes, entries);
        const Vorn base = previousVorn();
        const Vorn fallback = fallbackVorn(base, boxes);
        const QList<QByteArray> lines = fileLines(written(original));
        const auto fields = lineFields(boxes, entries);
        for (int bad = 0; bad < lines.size(); ++bad) {
            QList<QByteArray> damaged = lines;
            damaged[bad] = "\xff\xfe m%%\x01 \"";
            Namer namer;
            const LoadResult result = readBytes(joinLines(damaged), base, namer);
            const QByteArray where = "garbage in line " + QByteArray::number(bad + 1);
            QCOMPARE(namer.calls, 0);
            if (bad == 0 || bad == 2 || bad == 3) { // no header means old layout: bad counts
                QVERIFY2(!result.vorn && !result.error.isEmpty(), where);
                continue;
            }
            QVERIFY2(result.vorn.has_value(), where);
            checkSound(*result.vorn);
            QCOMPARE(result.skippedFields, 1);
            for (int i = 1; i < fields.size(); ++i)
                QVERIFY2(fields[i](*result.vorn) == fields[i](i == bad ? fallback : original),
                         where + ", line " + QByteArray::number(i + 1));
        }
    }

    void extraLineAtEveryPosition() {
        const QList<QByteArray> lines = fileLines(written(sampleVorn()));
        for (int at = 0; at <= lines.size(); ++at) {
            for (const QByteArray& extra : {QByteArray("#40"), QByteArray("#-3"), QByteArray(),
                                            QByteArray("version_#1"), QByteArray(",\",")}) {
                QList<QByteArray> damaged = lines;
                damaged.insert(at, extra);
                Namer namer;
                const LoadResult result = readBytes(joinLines(damaged), previousVorn(), namer);
                if (result.vorn)
                    checkSound(*result.vorn);
                else
                    QVERIFY(!result.error.isEmpty());
            }
        }
    }

    void outOfRangeTitle_data() {
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("0") << QByteArray("#0");
        QTest::newRow("past the boxes") << QByteArray("#4");
        QTest::newRow("negative") << QByteArray("#-7");
        QTest::newRow("lowest") << QByteArray("#-32768");
    }
    void outOfRangeTitle() {
        QFETCH(QByteArray, title);
        QList<QByteArray> lines = fileLines(written(sampleVorn(3, 4)));
        lines[6 + 6 * 3] = title;
        Namer namer;
        const LoadResult result = readBytes(joinLines(lines), previousVorn(), namer);
        QVERIFY(result.vorn.has_value());
        QCOMPARE(result.vorn->TitleBox, VornLimits::NoTitle);
        QCOMPARE(result.vorn->entryCaption(1), QStringLiteral("001"));
    }

    void oddCodesAreKept_data() {
        QTest::addColumn<int>("line"); // 0-based line in the box block of box 1
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("type 99") << 0 << QByteArray("#99");
        QTest::newRow("type -1") << 0 << QByteArray("#-1");
        QTest::newRow("header position 0") << 3 << QByteArray("#0");
        QTest::newRow("header position 13") << 3 << QByteArray("#13");
    }
    void oddCodesAreKept() {
        QFETCH(int, line);
        QFETCH(QByteArray, code);
        QList<QByteArray> lines = fileLines(written(sampleVorn(3, 4)));
        lines[6 + line] = code;
        Namer namer;
        const LoadResult result = readBytes(joinLines(lines), previousVorn(), namer);
        QVERIFY(result.vorn.has_value());
        const BoxDescriptor& box = result.vorn->descriptor(1);
        QCOMPARE(QByteArray::number(line == 0 ? box.Type : box.HeadPose), code.mid(1));
        QCOMPARE(written(*result.vorn), joinLines(lines)); // and written back as read
    }

    void damagedCounts_data() {
        QTest::addColumn<QByteArray>("boxes");
        QTest::addColumn<QByteArray>("entries");
        QTest::newRow("51 boxes") << QByteArray("#51") << QByteArray("#0");
        QTest::newRow("negative boxes") << QByteArray("#-1") << QByteArray("#0");
        QTest::newRow("501 entries") << QByteArray("#0") << QByteArray("#501");
        QTest::newRow("negative entries") << QByteArray("#1") << QByteArray("#-1");
        QTest::newRow("largest") << QByteArray("#32767") << QByteArray("#32767");
        QTest::newRow("smallest") << QByteArray("#-32768") << QByteArray("#-32768");
        QTest::newRow("beyond 16 bits") << QByteArray("#99999") << QByteArray("#0");
        QTest::newRow("not a number") << QByteArray("#2") << QByteArray("zwei");
        QTest::newRow("missing") << QByteArray() << QByteArray();
    }
    void damagedCounts() {
        QFETCH(QByteArray, boxes);
        QFETCH(QByteArray, entries);
        QList<QByteArray> tail = fileLines(written(sampleVorn(1, 1))).mid(4);
        const QByteArray counts =
            boxes.isEmpty() ? QByteArray() : boxes + "\r\n" + entries + "\r\n";
        // The same counts in a current file and in an old one.
        for (const QByteArray& header : {QByteArray("version_#1\r\nname\r\n"), QByteArray()}) {
            Namer namer;
            const QByteArray file =
                header + counts + (boxes.isEmpty() ? QByteArray() : joinLines(tail));
            const LoadResult result = readBytes(file, previousVorn(), namer);
            QVERIFY(!result.vorn.has_value());
            QVERIFY(!result.error.isEmpty());
            QCOMPARE(namer.calls, 0); // nobody is asked to name a file that is not read
        }
    }

    void damagedVersionNumberMeansCurrentLayout() {
        QList<QByteArray> lines = fileLines(written(sampleVorn()));
        lines[0] = "version_#x";
        Namer namer;
        const LoadResult result = readBytes(joinLines(lines), previousVorn(), namer);
        QVERIFY(result.vorn.has_value());
        QCOMPARE(namer.calls, 0);
        QCOMPARE(result.vorn->VornName, sampleVorn().VornName);
        QCOMPARE(result.vorn->EntryCount, qint16(4));
    }

    void hugeLines_data() {
        QTest::addColumn<int>("line"); // 0-based
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<int>("skipped");
        QTest::newRow("10 MB name") << 1 << QByteArray(10 * 1024 * 1024, 'a') << true << 0;
        QTest::newRow("name past the field limit")
            << 1 << QByteArray(MaxVornFieldBytes + 10, 'a') << true << 1;
        QTest::newRow("10 MB of garbage as a value")
            << 30 << QByteArray(10 * 1024 * 1024, '\xd0') << true << 1;
        QTest::newRow("10 MB of blanks as the count")
            << 2 << QByteArray(10 * 1024 * 1024, ' ') << false << 0;
    }
    void hugeLines() {
        QFETCH(int, line);
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        QFETCH(int, skipped);
        QList<QByteArray> lines = fileLines(written(sampleVorn()));
        lines[line] = content;
        Namer namer;
        const LoadResult result = readBytes(joinLines(lines), previousVorn(), namer);
        QCOMPARE(result.vorn.has_value(), loads);
        if (!loads)
            return;
        QCOMPARE(result.skippedFields, skipped);
        checkSound(*result.vorn);
        QCOMPARE(result.vorn->BoxCount, qint16(3));
        QCOMPARE(result.vorn->boxOrder(3), sampleVorn().boxOrder(3)); // the last line
        if (line == 1)
            QCOMPARE(result.vorn->VornName.size(),
                     skipped ? previousVorn().VornName.size() : content.size());
    }

    void randomBytes() {
        QRandomGenerator random(1234567);
        const QByteArray sample = written(sampleVorn(5, 6));
        const QByteArray header = "version_#1\r\nn\r\n#3\r\n#4\r\n";
        for (int round = 0; round < 600; ++round) {
            QByteArray bytes;
            if (round % 3 == 2) { // a sound file with a few bytes changed
                bytes = sample;
                for (int flips = int(random.bounded(1, 6)); flips > 0; --flips)
                    bytes[qsizetype(random.bounded(int(bytes.size())))] = char(random.bounded(256));
            } else {
                bytes.resize(random.bounded(0, 3000));
                for (char& c : bytes)
                    c = char(random.bounded(256));
                if (round % 3 == 1)
                    bytes.prepend(header);
            }
            Namer namer;
            const LoadResult result = readBytes(bytes, previousVorn(), namer);
            if (result.vorn)
                checkSound(*result.vorn);
            else
                QVERIFY(!result.error.isEmpty());
        }
    }

    void unreadableFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("missing.vorn");
        QTest::newRow("a folder") << QStringLiteral("folder");
        QTest::newRow("below a regular file") << QStringLiteral("plain/x.vorn");
    }
    void unreadableFile() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        Namer namer;
        const QString path = dir.filePath(name);
        const LoadResult result = LoadFrom(path, previousVorn(), namer.callback());
        QVERIFY(!result.vorn.has_value());
        QVERIFY2(result.error.contains(path), qPrintable(result.error));
        QCOMPARE(namer.calls, 0);
    }

    void saveAndLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("зоопарк.vorn"));
        const Vorn original = sampleVorn();
        QString error;
        QVERIFY2(SaveTo(path, original, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written(original));
        Namer namer;
        const LoadResult result = LoadFrom(path, previousVorn(), namer.callback());
        QVERIFY2(result.vorn.has_value(), qPrintable(result.error));
        QCOMPARE(written(*result.vorn), written(original));
    }

    void failedSaveLeavesTheOldFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("boxes");
        QTest::newRow("parent is a regular file") << QStringLiteral("plain/x.vorn") << 3;
        QTest::newRow("too many boxes") << QStringLiteral("old.vorn") << 51;
        QTest::newRow("negative box count") << QStringLiteral("old.vorn") << -1;
    }
    void failedSaveLeavesTheOldFile() {
        QFETCH(QString, name);
        QFETCH(int, boxes);
        QTemporaryDir dir;
        const QByteArray old = "старое содержимое\r\n";
        for (const QString& existing : {QStringLiteral("plain"), QStringLiteral("old.vorn")}) {
            QFile file(dir.filePath(existing));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        Vorn vorn = sampleVorn();
        vorn.BoxCount = qint16(boxes);
        QString error;
        QVERIFY(!SaveTo(dir.filePath(name), vorn, &error));
        QVERIFY(error.contains(dir.filePath(name)));
        for (const QString& existing : {QStringLiteral("plain"), QStringLiteral("old.vorn")}) {
            QFile file(dir.filePath(existing));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);
    }

    void writeErrorIsReported() {
        const Vorn vorn = sampleVorn();
        const qint64 total = written(vorn).size();
        for (const qint64 budget : {qint64(0), qint64(1), qint64(13), total / 2, total - 1}) {
            FailingDevice device(budget);
            QString error;
            QVERIFY(!writeVorn(device, vorn, &error));
            QVERIFY(error.contains(QStringLiteral("disk full")));
        }
        FailingDevice roomy(total);
        QVERIFY(writeVorn(roomy, vorn));
    }
};

QTEST_GUILESS_MAIN(TestVornFile)
#include "tst_vornfile.moc"
