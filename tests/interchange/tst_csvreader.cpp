#include "csvreader.h"

#include <QTest>

using Rows = QList<QStringList>;

namespace {

// What a file of these bytes reads as, the way the import reads it.
CsvReader::Table read(const QByteArray& bytes, qsizetype keepRows, QChar* separator = nullptr) {
    const QString text = CsvReader::decode(bytes);
    const QChar found = CsvReader::detectSeparator(text);
    if (separator)
        *separator = found;
    return CsvReader::parse(text, found, keepRows);
}

} // namespace

// The file's encoding, its separator, and how its bytes split into rows and cells.
class TestCsvReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<Rows>("rows");
        const QChar comma = u',';
        const QChar semicolon = u';';
        const QChar tab = u'\t';
        QTest::newRow("tab, lone CR")
            << QByteArray("a\tb c\r1\t2\r") << tab << Rows{{"a", "b c"}, {"1", "2"}};
        QTest::newRow("quoted separators and doubled quotes")
            << QByteArray(R"("a,b","say ""hi""",c,"""")") << comma
            << Rows{{"a,b", R"(say "hi")", "c", "\""}};
        QTest::newRow("line breaks in quotes: CR LF, CR and LF all become LF; empty lines kept")
            << QByteArray("\"x\r\ny\",\"p\rq\",\"m\n\nn\"\r\nz,z,z") << comma
            << Rows{{"x\ny", "p\nq", "m\n\nn"}, {"z", "z", "z"}};
        QTest::newRow("separators inside quotes do not count")
            << QByteArray("\"a,b,c\";d\n1;2") << semicolon << Rows{{"a,b,c", "d"}, {"1", "2"}};
        QTest::newRow("the first row decides, not the later ones")
            << QByteArray("a;b\n1,5,0;2,5") << semicolon << Rows{{"a", "b"}, {"1,5,0", "2,5"}};
        QTest::newRow("tie between comma and semicolon: semicolon")
            << QByteArray("a,b;c") << semicolon << Rows{{"a,b", "c"}};
        QTest::newRow("tie between semicolon and tab: tab")
            << QByteArray("a;b\tc") << tab << Rows{{"a;b", "c"}};
        QTest::newRow("no separator: one column")
            << QStringLiteral("Имя\nКот").toUtf8() << comma << Rows{{"Имя"}, {"Кот"}};
        QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                               "a;b\r\n")
                                                 << semicolon << Rows{{"a", "b"}};
        // "Кот;Пёс" and "Ёж" in Windows-1251.
        QTest::newRow("Windows-1251 when not UTF-8")
            << QByteArray::fromHex("caeef2 3b cfb8f1 0d0a a8e6") << semicolon
            << Rows{{QStringLiteral("Кот"), QStringLiteral("Пёс")}, {QStringLiteral("Ёж")}};
        QTest::newRow("Windows-1251 whose last byte looks like the start of UTF-8")
            << QByteArray("ab\xD0") << comma << Rows{{QStringLiteral("abР")}};
        QTest::newRow("Windows-1251 behind a byte-order mark")
            << QByteArray::fromHex("efbbbf caeef2") << comma << Rows{{QStringLiteral("Кот")}};
        QTest::newRow("empty lines are no rows")
            << QByteArray("\r\n\r\na\r\n\r\n\nb\r\n\r\n") << comma << Rows{{"a"}, {"b"}};
        QTest::newRow("an empty quoted field is a row")
            << QByteArray("a\n\"\"\n") << comma << Rows{{"a"}, {""}};
        QTest::newRow("short and long rows as written")
            << QByteArray("a,b,c\n1\n1,2,3,4\n,\n") << comma
            << Rows{{"a", "b", "c"}, {"1"}, {"1", "2", "3", "4"}, {"", ""}};
        QTest::newRow("no line end at the end; separator last")
            << QByteArray("a,b,") << comma << Rows{{"a", "b", ""}};
        QTest::newRow("quote inside an unquoted field is a character")
            << QByteArray("5\"5, \"x\"") << comma << Rows{{"5\"5", " \"x\""}};
        QTest::newRow("text after a closing quote is kept")
            << QByteArray("\"ab\"c,d") << comma << Rows{{"abc", "d"}};
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QChar, separator);
        QFETCH(Rows, rows);
        QChar found;
        const CsvReader::Table table = read(bytes, 1000, &found);
        QCOMPARE(found, separator);
        QCOMPARE(table.unterminatedLine, 0);
        QCOMPARE(Rows(table.rows.begin(), table.rows.end()), rows);
        QCOMPARE(table.rowCount, rows.size());
    }

    void unterminatedQuote_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("keepRows");
        QTest::addColumn<int>("line");
        QTest::newRow("in the header") << QByteArray("\"a,b\n") << qsizetype(10) << 1;
        QTest::newRow("after a field with line breaks; CR LF is one line end")
            << QByteArray("a,b\r\n\"1\r\n2\",x\r\n\r\n3,\"open\r\nmore") << qsizetype(10) << 5;
        QTest::newRow("lone CRs count as line ends")
            << QByteArray("a\r\rb\r\"c") << qsizetype(10) << 4;
        QTest::newRow("a quote that ends its line")
            << QByteArray("a\n\"\nb\n") << qsizetype(10) << 2;
        QTest::newRow("past the rows kept") << QByteArray("a\n1\n2\n3\n\"4") << qsizetype(2) << 5;
    }
    // The line where the unclosed field began, however many line breaks it swallowed.
    void unterminatedQuote() {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, keepRows);
        QFETCH(int, line);
        const CsvReader::Table table = read(bytes, keepRows);
        QCOMPARE(table.unterminatedLine, line);
        QVERIFY(table.rows.empty());
    }

    // Rows past the ones kept are counted, a field's line breaks within its row, but not held.
    void keepRows() {
        const CsvReader::Table table = read("h\n1\n\"2\n2\"\n3\n\"4\r\n4\"\n", 2);
        QCOMPARE(Rows(table.rows.begin(), table.rows.end()), (Rows{{"h"}, {"1"}}));
        QCOMPARE(table.rowCount, qsizetype(5));
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
