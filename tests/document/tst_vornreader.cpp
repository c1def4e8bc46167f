// How the vorn reader splits a file into fields, whatever sizes the device hands the bytes
// over in: commas, quotes, blanks, the three line ends, the end of the file, the field size limit.
#include "vornfile.h"

#include <QTest>

namespace {

// Hands its bytes over at most step at a time, as a pipe or a slow disk may.
class TrickleDevice : public QIODevice {
public:
    TrickleDevice(const QByteArray& data, qint64 step) : data_(data), step_(step) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 maxSize) override {
        const qint64 n = std::min({maxSize, step_, qint64(data_.size()) - at_});
        memcpy(out, data_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 step_;
    qint64 at_ = 0;
};

// The sizes a read is cut into: one byte at a time, small odd sizes, all at once.
const QList<qint64> Steps = {1, 2, 3, 7, 4099, std::numeric_limits<qint64>::max()};

LoadResult readInPieces(const QByteArray& bytes, qint64 step) {
    TrickleDevice device(bytes, step);
    return readVorn(device, Vorn(), [] { return QStringLiteral("zoo"); });
}

} // namespace

class TestVornReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The entry block of a vorn with one box, followed by the box's output position 7, written
    // in every field syntax the reader accepts.
    void fieldSyntax_data() {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("skipped");
        const QList<std::tuple<const char*, QByteArray, QStringList, int>> rows = {
            {"no line end at the end of the file", "a\r\n#7", {"a"}, 0},
            {"comma splits a line", "a,b\r\n#7\r\n", {"a", "b"}, 0},
            {"comma at the end gives an empty field", "a,\r\n#7\r\n", {"a", ""}, 0},
            {"blanks around dropped", "  ab  ,  c \r\n #7 \r\n", {"ab", "c"}, 0},
            {"LF and a lone CR end lines", "a\nb\rc\r\n#7\n", {"a", "b", "c"}, 0},
            {"empty lines of each ending", "\r\n\n\r#7\r\n", {"", "", ""}, 0},
            {"CR CR LF", "a\r\r\n#7\r\n", {"a", ""}, 0},
            {"quoted keeps commas", "\"a,b\"\r\n#7\r\n", {"a,b"}, 0},
            {"quoted keeps blanks", "\" c \"\r\n#7\r\n", {""}, 1},
            {"blanks before a quote", "   \"a_b\"\r\n#7\r\n", {"a b"}, 0},
            {"rest after the quote passed over",
             "\"a\"junk,b\r\n\"c\" x y\r\n#7\r\n",
             {"a", "b", "c"},
             0},
            {"quote runs to the line end at most", "\"ab\r\nc\r\n#7\r\n", {"ab", "c"}, 0},
            {"quote inside a field is text", "a\"b\r\n#7\r\n", {"a\"b"}, 0},
            {"empty quoted field", "\"\"\r\n#7\r\n", {""}, 0},
        };
        for (const auto& [name, block, values, skipped] : rows)
            QTest::newRow(name) << block << values << skipped;
    }
    void fieldSyntax() {
        QFETCH(QByteArray, block);
        QFETCH(QStringList, values);
        QFETCH(int, skipped);
        const QByteArray file =
            "version_#1\r\nzoo\r\n#1\r\n#" + QByteArray::number(values.size()) +
            "\r\n#900\r\n#800\r\n#1\r\n#10\r\n#20\r\n#2\r\nd\r\nh\r\n#1\r\n\r\n" + block;
        for (const qint64 step : Steps) {
            const LoadResult result = readInPieces(file, step);
            QVERIFY2(result.vorn, qPrintable(result.error));
            QStringList got;
            for (int p = 1; p <= result.vorn->EntryCount; ++p)
                got << result.vorn->value(p, 1);
            QCOMPARE(got, values);
            QCOMPARE(result.vorn->boxOrder(1), qint16(7));
            QCOMPARE(result.skippedFields, skipped);
        }
    }

    // A field is at most MaxVornFieldBytes long, counted before its blanks at the end are
    // dropped; a longer one is skipped as damaged.
    void fieldSizeLimit_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("accepted");
        const QByteArray full(MaxVornFieldBytes, 'a');
        QTest::newRow("at the limit") << full << true;
        QTest::newRow("one over") << full + 'a' << false;
        QTest::newRow("blanks after it count") << full + ' ' << false;
        QTest::newRow("blanks before it do not") << "   " + full << true;
        QTest::newRow("quoted, at the limit") << '"' + full + '"' << true;
        QTest::newRow("quoted, one over") << '"' + full + "a\"" << false;
    }
    void fieldSizeLimit() {
        QFETCH(QByteArray, field);
        QFETCH(bool, accepted);
        const QByteArray file =
            "version_#1\r\n" + field + "\r\n#0\r\n#0\r\n#1\r\n#2\r\n#-1\r\nx\r\n";
        for (const qint64 step : {qint64(65537), std::numeric_limits<qint64>::max()}) {
            const LoadResult result = readInPieces(file, step);
            QVERIFY2(result.vorn, qPrintable(result.error));
            // The fields after it are read all the same.
            QCOMPARE(result.vorn->CardHeight, qint16(2));
            QCOMPARE(result.vorn->Password, QStringLiteral("x"));
            QCOMPARE(result.skippedFields, accepted ? 0 : 1);
            // A skipped name leaves the one a new vorn has.
            QCOMPARE(result.vorn->VornName,
                     accepted ? QString(MaxVornFieldBytes, u'a') : Vorn().VornName);
        }
    }
};

QTEST_GUILESS_MAIN(TestVornReader)
#include "tst_vornreader.moc"
