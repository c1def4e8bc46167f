#include "csvimport.h"

#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// A table of columns by rows under a header row.
QByteArray table(int columns, int rows) {
    return (QByteArray("x,").repeated(columns - 1) + "x\r\n").repeated(rows + 1);
}

} // namespace

// A new vorn from a CSV table: its boxes, entries, limits and layout.
class TestCsvImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kinds_data() {
        QTest::addColumn<QByteArray>("bytes"); // one column under the header "N"
        QTest::addColumn<qint16>("kind");
        const qint16 number = BoxKind::Number;
        const qint16 phrase = BoxKind::Phrase;
        QTest::newRow("16-bit whole numbers with signs, blanks around and empty cells")
            << QByteArray("N\n1\n-32768\n\" 32767 \"\n+5\n\"\"\n007\n") << number;
        QTest::newRow("one past the top") << QByteArray("N\n1\n32768\n") << phrase;
        QTest::newRow("one past the bottom") << QByteArray("N\n-32769\n") << phrase;
        QTest::newRow("far too many digits")
            << QByteArray("N\n99999999999999999999999\n") << phrase;
        QTest::newRow("a fraction") << QByteArray("N\n1\n2.5\n") << phrase;
        QTest::newRow("a sign alone") << QByteArray("N\n-\n") << phrase;
        QTest::newRow("digits that are not ASCII") << QStringLiteral("N\n١٢\n").toUtf8() << phrase;
        QTest::newRow("a blank cell is not empty") << QByteArray("N\n1\n\" \"\n") << phrase;
        QTest::newRow("all cells empty") << QByteArray("N\n\"\"\n\"\"\n") << phrase;
        QTest::newRow("a line break among numbers")
            << QByteArray("N\n1\n\"2\r\n3\"\n") << BoxKind::Text;
        QTest::newRow("a line break in the header does not count")
            << QByteArray("\"N\nM\"\n1\n") << number;
    }
    void kinds() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint16, kind);
        const CsvImport::Result result = CsvImport::importCsv(bytes, "x");
        QVERIFY2(result.vorn, qPrintable(result.error));
        QCOMPARE(result.vorn->BoxCount, qint16(1));
        QCOMPARE(result.vorn->descriptor(1).Type, kind);
    }

    // Headers (a blank one named after its column), kinds, values padded or cut, and the
    // state of a freshly imported vorn.
    void newVorn() {
        const QByteArray bytes = QStringLiteral("Возраст;;Заметка;  ;Имя\r\n"
                                                "3;x;\"ест\r\nспит\";;Мурка;лишнее\r\n"
                                                ";;\r\n"
                                                "12\r\n")
                                     .toUtf8();
        const CsvImport::Result result = CsvImport::importCsv(bytes, "звери");
        QVERIFY2(result.vorn, qPrintable(result.error));
        const Vorn& vorn = *result.vorn;
        QStringList boxes;
        for (int j = 1; j <= vorn.BoxCount; ++j)
            boxes << QString(u"WPTILN"[vorn.descriptor(j).Type]) + u':' + vorn.descriptor(j).Header;
        QCOMPARE(boxes, (QStringList{"N:Возраст", "P:Поле 2", "T:Заметка", "P:Поле 4", "P:Имя"}));
        QCOMPARE(vorn.TitleBox, qint16(1));
        QCOMPARE(vorn.outputSequence(), (std::vector<int>{1, 2, 3, 4, 5}));
        QList<QStringList> values(vorn.EntryCount);
        for (int p = 1; p <= vorn.EntryCount; ++p)
            for (int j = 1; j <= vorn.BoxCount; ++j)
                values[p - 1] << vorn.value(p, j);
        QCOMPARE(values, (QList<QStringList>{{"3", "x", "ест\nспит", "", "Мурка"},
                                             {"", "", "", "", ""},
                                             {"12", "", "", "", ""}}));
        QCOMPARE(result.rowsCut, 1);
        QCOMPARE(result.rowsLeftOut, 0);
        QCOMPARE(vorn.VornName, QStringLiteral("звери"));
        QVERIFY(vorn.VornPath.isEmpty() && vorn.Modified && vorn.Unlocked && vorn.Designing);
    }

    void limits_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("message");
        const QString none;
        const QString cut = QStringLiteral("Строк длиннее заголовка: 2; лишние ячейки в них "
                                           "отброшены.");
        const QString leftOut = QStringLiteral("Ворн вмещает не больше 500 записей: "
                                               "импортированы первые 500 строк, пропущено "
                                               "строк: 3.");
        QTest::newRow("byte-order mark and empty lines only")
            << Bom + "\r\n\n\r"
            << "В файле нет ни одной строки." << 0 << none;
        const QString tooWide = QStringLiteral("В файле %1, а ворн вмещает не больше 50.");
        for (const auto& [count, words] :
             std::vector<std::pair<int, const char*>>{{51, "51 столбец"},
                                                      {52, "52 столбца"},
                                                      {65, "65 столбцов"},
                                                      {111, "111 столбцов"},
                                                      {112, "112 столбцов"},
                                                      {122, "122 столбца"}})
            QTest::addRow("%d columns", count)
                << table(count, 1) << tooWide.arg(QString::fromUtf8(words)) << 0 << none;
        QTest::newRow("50 columns") << table(50, 2) << none << 2 << none;
        QTest::newRow("header row only") << QByteArray("a,b\r\n") << none << 0 << none;
        QTest::newRow("long rows cut, extra empty cells are no loss, short rows padded")
            << QByteArray("a,b\n1,2,3\n4,5,\n6\n7,8,,9\n") << none << 4 << cut;
        QTest::newRow("503 rows") << table(2, 503) << none << 500 << leftOut;
        QTest::newRow("503 rows, two of the first 500 cut")
            << QByteArray("a,b\n1,2,3\n4,5,6\n") + QByteArray("x,y\n").repeated(501) << none << 500
            << cut + u'\n' + leftOut;
    }
    // Refusals name what is wrong; what was left out or cut is told once the vorn is made.
    void limits() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QFETCH(int, entries);
        QFETCH(QString, message);
        const CsvImport::Result result = CsvImport::importCsv(bytes, "x");
        QCOMPARE(result.error, error);
        QCOMPARE(result.vorn.has_value(), error.isEmpty());
        if (!result.vorn)
            return;
        QCOMPARE(result.vorn->EntryCount, qint16(entries));
        QCOMPARE(result.message, message);
    }

    void layout_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<QSize>("measured"); // every box's size; empty: the estimate
        QTest::addColumn<bool>("fits");
        QTest::newRow("fifty wide headers: taller columns instead of a window too wide")
            << 50 << 100 << QSize() << true;
        QTest::newRow("a box taller than the default card") << 2 << 4 << QSize(3000, 9000) << true;
        QTest::newRow("more than a 16-bit window holds") << 50 << 4 << QSize(20000, 20000) << false;
    }
    // Boxes start at the card area's corner, never overlap, and the card holds them all.
    void layout() {
        QFETCH(int, columns);
        QFETCH(int, headerLength);
        QFETCH(QSize, measured);
        QFETCH(bool, fits);
        QStringList header;
        for (int c = 0; c < columns; ++c)
            header << QString::number(c) + QString(headerLength, u'Ж');
        const QByteArray bytes = (header.join(u',') + QStringLiteral("\na")).toUtf8();
        const CsvImport::BoxMeasure measure =
            measured.isEmpty() ? CsvImport::BoxMeasure(ColumnLayout::estimatedSize)
                               : [measured](const BoxDescriptor&) { return measured; };
        const CsvImport::Result result = CsvImport::importCsv(bytes, "x", measure);
        QVERIFY2(result.vorn, qPrintable(result.error));
        const Vorn& vorn = *result.vorn;
        QCOMPARE(vorn.BoxCount, qint16(columns));
        QCOMPARE(QPoint(vorn.descriptor(1).Left, vorn.descriptor(1).Top),
                 QPoint(VornLimits::CardAreaLeft, VornLimits::CardAreaTop));
        QVERIFY(vorn.CardWidth >= VornLimits::DefaultCardWidth);
        QVERIFY(vorn.CardHeight >= VornLimits::DefaultCardHeight);
        std::vector<QRect> boxes;
        for (int j = 1; j <= vorn.BoxCount; ++j) {
            const BoxDescriptor& d = vorn.descriptor(j);
            QVERIFY(d.Left >= VornLimits::CardAreaLeft && d.Top >= VornLimits::CardAreaTop);
            boxes.emplace_back(QPoint(d.Left, d.Top), measure(d));
        }
        if (!fits)
            return;
        for (std::size_t a = 0; a < boxes.size(); ++a) {
            QVERIFY2(boxes[a].right() < vorn.CardWidth && boxes[a].bottom() < vorn.CardHeight,
                     qPrintable(QStringLiteral("box %1 lies outside the card").arg(a + 1)));
            for (std::size_t b = a + 1; b < boxes.size(); ++b)
                QVERIFY2(
                    !boxes[a].intersects(boxes[b]),
                    qPrintable(QStringLiteral("boxes %1 and %2 overlap").arg(a + 1).arg(b + 1)));
        }
    }

    // A file is imported under its name without the extension; a refusal names the file.
    void importFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("мои.звери.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("a;b\n1;2\n") == 8);
        file.close();
        const CsvImport::Result result = CsvImport::importFile(path);
        QVERIFY2(result.vorn, qPrintable(result.error));
        QCOMPARE(result.vorn->VornName, QStringLiteral("мои.звери"));
        QCOMPARE(result.vorn->EntryCount, qint16(1));
        const QString error = CsvImport::importFile(dir.path()).error; // a folder is no file
        QVERIFY2(error.contains(QStringLiteral("«%1»").arg(dir.path())), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
