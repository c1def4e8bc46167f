#include "textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The code page, the line ends and the all-or-nothing file writing of exports and reports.
class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void lineBreaksBecomeCrLf_data();
    void lineBreaksBecomeCrLf();
    void writeReportsShortDevice();
    void saveReplacesWholeFile();
    void saveFailureLeavesNothing_data();
    void saveFailureLeavesNothing();
};

namespace {
// A device that takes only the first limit bytes, like a full disk.
class ShortDevice : public QIODevice {
public:
    explicit ShortDevice(qint64 limit) : limit_(limit) {}
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        const qint64 n = std::min(len, limit_ - qint64(written.size()));
        if (n <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        written.append(data, n);
        return n;
    }

private:
    qint64 limit_;
};
} // namespace

void TestTextFile::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII") << QStringLiteral("001 a\t!") << QByteArray("001 a\t!");
    QTest::newRow("Cyrillic") << QStringLiteral("Кот пёс") << QByteArray::fromHex("caeef220efb8f1");
    QTest::newRow("Ё and ё") << QStringLiteral("Ёё") << QByteArray::fromHex("a8b8");
    QTest::newRow("numero, euro, dash") << QStringLiteral("№€—") << QByteArray::fromHex("b98897");
    QTest::newRow("a sign the code page lacks") << QStringLiteral("a✓b") << QByteArray("a?b");
    QTest::newRow("outside the BMP, one ?")
        << QStringLiteral("к😀т") << QByteArray::fromHex("ea3ff2");
    QTest::newRow("lone surrogate")
        << QString(QChar(0xD800)) + QLatin1Char('x') << QByteArray("?x");
    QTest::newRow("lone surrogate at the end")
        << QStringLiteral("кот") + QChar(0xD800) << QByteArray::fromHex("eaeef23f");
    QTest::newRow("control character is kept")
        << QString(QChar(0x1A)) + QChar(0x2713) << QByteArray::fromHex("1a3f");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestTextFile::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextFile::encode(text), bytes);
}

void TestTextFile::lineBreaksBecomeCrLf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");

    QTest::newRow("CR LF stays") << "a\r\nb"
                                 << "a\r\nb";
    QTest::newRow("LF") << "a\nb\n"
                        << "a\r\nb\r\n";
    QTest::newRow("CR") << "a\rb"
                        << "a\r\nb";
    QTest::newRow("LF LF") << "\n\n"
                           << "\r\n\r\n";
    QTest::newRow("CR CR LF") << "\r\r\n"
                              << "\r\n\r\n";
    QTest::newRow("LF CR") << "\n\r"
                           << "\r\n\r\n";
    QTest::newRow("none") << "a\tb"
                          << "a\tb";
}

void TestTextFile::lineBreaksBecomeCrLf() {
    QFETCH(QString, text);
    QFETCH(QString, written);

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(TextFile::write(buffer, text));
    QCOMPARE(buffer.data(), written.toLatin1());
}

void TestTextFile::writeReportsShortDevice() {
    ShortDevice device(4);
    QVERIFY(device.open(QIODevice::WriteOnly));
    QString error;
    QVERIFY(!TextFile::write(device, QStringLiteral("001 кот\r\n"), &error));
    QCOMPARE(error, QStringLiteral("No space left on device"));
}

void TestTextFile::saveReplacesWholeFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("a much longer text that was there before\r\n");
    old.close();

    QString error;
    QVERIFY(TextFile::save(path, QStringLiteral("кот\n"), &error));
    QCOMPARE(error, QString());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("eaeef20d0a"));
}

void TestTextFile::saveFailureLeavesNothing_data() {
    QTest::addColumn<QString>("relative");
    // Running as root, a read-only folder would not stop the write; a file in the place of
    // the folder does.
    QTest::newRow("parent is a regular file") << QStringLiteral("plain/list.txt");
    QTest::newRow("missing folder") << QStringLiteral("none/list.txt");
    QTest::newRow("path is a folder") << QStringLiteral("folder");
}

void TestTextFile::saveFailureLeavesNothing() {
    QFETCH(QString, relative);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("keep");
    plain.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const QString path = dir.filePath(relative);
    QString error;
    QVERIFY(!TextFile::save(path, QStringLiteral("001 кот\r\n"), &error));

    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QCOMPARE(plain.readAll(), QByteArray("keep"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty(), true);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
