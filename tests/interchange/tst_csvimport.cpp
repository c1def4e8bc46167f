#include "csvexport.h"
#include "csvimport.h"
#include "support/samplevorn.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Vorn)

namespace {

using SampleVorn::box;

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// A file of rows whose cells are cell(row, column); row 0 is the header.
QByteArray table(int columns, int rows, QChar separator = u',') {
    QString text;
    for (int r = 0; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c)
            text +=
                (c > 1 ? QString(separator) : QString()) +
                (r == 0 ? QStringLiteral("h%1").arg(c) : QStringLiteral("r%1c%2").arg(r).arg(c));
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

qint16 kindOf(QChar letter) {
    return letter == u'N' ? BoxKind::Number : letter == u'T' ? BoxKind::Text : BoxKind::Phrase;
}

// A value as it comes back from the CSV table: a list's items one per line.
QString asCell(const Vorn& vorn, int p, int j) {
    QString value = vorn.value(p, j);
    if (vorn.descriptor(j).Type != BoxKind::List)
        return value;
    if (value.startsWith(ListSeparator))
        value.remove(0, 1);
    return value.replace(ListSeparator, u'\n');
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
        QTest::newRow("header only") << QByteArray("N\n") << phrase;
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

    // Headers, kinds, values padded or cut, and the state of a freshly imported vorn.
    void newVorn() {
        const QByteArray bytes = QStringLiteral("Возраст;;Заметка;  ;Имя\r\n"
                                                "3;x;\"ест\r\nспит\";;Мурка;лишнее\r\n"
                                                ";;\r\n"
                                                "12\r\n")
                                     .toUtf8();
        const CsvImport::Result result = CsvImport::importCsv(bytes, "звери");
        QVERIFY2(result.vorn, qPrintable(result.error));
        const Vorn& vorn = *result.vorn;
        QCOMPARE(vorn.BoxCount, qint16(5));
        QStringList headers;
        QString kinds;
        for (int j = 1; j <= vorn.BoxCount; ++j) {
            const BoxDescriptor& box = vorn.descriptor(j);
            headers << box.Header;
            kinds += QString(u"WPTILN"[box.Type]);
            QCOMPARE(box.HeadPose, qint16(1));
            QVERIFY(box.DefaultValue.isEmpty());
        }
        QCOMPARE(headers, (QStringList{"Возраст", "Поле 2", "Заметка", "Поле 4", "Имя"}));
        QCOMPARE(kinds, QStringLiteral("NPTPP"));
        QCOMPARE(vorn.TitleBox, qint16(1));
        QCOMPARE(vorn.outputSequence(), (std::vector<int>{1, 2, 3, 4, 5}));

        const QList<QStringList> values{
            {"3", "x", "ест\nспит", "", "Мурка"}, {"", "", "", "", ""}, {"12", "", "", "", ""}};
        QCOMPARE(vorn.EntryCount, qint16(values.size()));
        for (int p = 1; p <= vorn.EntryCount; ++p)
            for (int j = 1; j <= vorn.BoxCount; ++j)
                QCOMPARE(vorn.value(p, j), values[p - 1][j - 1]);
        QCOMPARE(result.rowsCut, 1);
        QCOMPARE(result.rowsLeftOut, 0);

        QCOMPARE(vorn.VornName, QStringLiteral("звери"));
        QVERIFY(vorn.VornPath.isEmpty());
        QVERIFY(vorn.Modified);
        QVERIFY(vorn.Unlocked);
        QVERIFY(vorn.Designing);
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
        QTest::newRow("empty file") << QByteArray() << "В файле нет ни одной строки." << 0 << none;
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
        QTest::newRow("unclosed quote") << QByteArray("a,b\n1,\"2\n3,4\n")
                                        << "Кавычка, открытая в строке 2, не закрыта." << 0 << none;
        QTest::newRow("header row only") << QByteArray("a,b\r\n") << none << 0 << none;
        QTest::newRow("long rows cut, extra empty cells are no loss, short rows padded")
            << QByteArray("a,b\n1,2,3\n4,5,\n6\n7,8,,9\n") << none << 4 << cut;
        QTest::newRow("exactly 500 rows") << table(2, 500) << none << 500 << none;
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

    // The rows taken are the first ones, in the file's order.
    void firstRowsKept() {
        const CsvImport::Result result = CsvImport::importCsv(table(2, 503, u';'), "x");
        QVERIFY2(result.vorn, qPrintable(result.error));
        QCOMPARE(result.rowsLeftOut, 3);
        QCOMPARE(result.vorn->value(1, 1), QStringLiteral("r1c1"));
        QCOMPARE(result.vorn->value(500, 2), QStringLiteral("r500c2"));
    }

    void layout_data() {
        QTest::addColumn<QString>("kinds"); // a column per letter: P phrase, N number, T text
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<QSize>("measured"); // every box's size; empty: the estimate
        QTest::addColumn<bool>("fits");
        QTest::newRow("one phrase") << "P" << 3 << QSize() << true;
        QTest::newRow("a mix that needs a second column") << "PNTTPNTPPNNT" << 8 << QSize() << true;
        QTest::newRow("fifty text boxes") << QString(50, u'T') << 10 << QSize() << true;
        QTest::newRow("fifty wide headers: taller columns instead of a window too wide")
            << QString(50, u'P') << 100 << QSize() << true;
        QTest::newRow("sizes from the window")
            << QString(20, u'N') << 4 << QSize(4000, 2000) << true;
        QTest::newRow("a box taller than the default card")
            << "TP" << 4 << QSize(3000, 9000) << true;
        QTest::newRow("more than a 16-bit window holds")
            << QString(50, u'P') << 4 << QSize(20000, 20000) << false;
    }
    // Boxes start at the card area's corner, never overlap, and the card holds them all.
    void layout() {
        QFETCH(QString, kinds);
        QFETCH(int, headerLength);
        QFETCH(QSize, measured);
        QFETCH(bool, fits);
        QStringList header;
        QStringList row;
        for (int c = 0; c < kinds.size(); ++c) {
            header << QString::number(c) + QString(headerLength, u'Ж');
            row << (kinds[c] == u'N' ? "1" : kinds[c] == u'T' ? "\"a\nb\"" : "a");
        }
        const QByteArray bytes = (header.join(u',') + u'\n' + row.join(u',')).toUtf8();
        const CsvImport::BoxMeasure measure =
            measured.isEmpty() ? CsvImport::BoxMeasure(ColumnLayout::estimatedSize)
                               : [measured](const BoxDescriptor&) { return measured; };
        const CsvImport::Result result = CsvImport::importCsv(bytes, "x", measure);
        QVERIFY2(result.vorn, qPrintable(result.error));
        const Vorn& vorn = *result.vorn;
        QCOMPARE(vorn.BoxCount, qint16(kinds.size()));
        QCOMPARE(QPoint(vorn.descriptor(1).Left, vorn.descriptor(1).Top),
                 QPoint(VornLimits::CardAreaLeft, VornLimits::CardAreaTop));
        QVERIFY(vorn.CardWidth >= VornLimits::DefaultCardWidth);
        QVERIFY(vorn.CardHeight >= VornLimits::DefaultCardHeight);
        std::vector<QRect> boxes;
        for (int j = 1; j <= vorn.BoxCount; ++j) {
            const BoxDescriptor& d = vorn.descriptor(j);
            QCOMPARE(d.Type, kindOf(kinds[j - 1]));
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

    void roundTrip_data() {
        QTest::addColumn<Vorn>("vorn"); // its title box comes first in output order
        QTest::addColumn<QString>("kinds");
        const Vorn everyKind =
            SampleVorn::make({box(BoxKind::Phrase, "Имя, кличка"), box(BoxKind::Word, "Порода"),
                              box(BoxKind::Picture, "Фото"), box(BoxKind::Number, "Возраст"),
                              box(BoxKind::Text, "Заметки"), box(BoxKind::List, "Цвета"),
                              box(BoxKind::List, "Один цвет")},
                             {{"Мурка", "сиам", ".\\New\\cat.bmp", "3", "ест \"рыбу\"\nспит днём",
                               "\vбелый\v  рыжий ", "\vсерый"},
                              {"Шарик, пёс", "", ".\\New\\dog.bmp", "-5", "", "\vA\v\vB", ""},
                              {"", ";", "", "", "\n", "", "\vчёрный"}},
                             1);
        QTest::newRow("every kind of box") << everyKind << "PPPNTTP";

        Vorn reordered = everyKind;
        reordered.TitleBox = 5;
        reordered.setBoxOrder(5, 0);
        reordered.swapEntries(1, 3);
        QTest::newRow("output order and list order") << reordered << "TPPPNTP";

        QTest::newRow("semicolons and tabs in the first row")
            << SampleVorn::make({box(BoxKind::Text, "a;b\tc"), box(BoxKind::Number, "d;e")},
                                {{"x;y", "7"}}, 1)
            << "PN";
    }
    // The export read back: the same headers, values and title; lists come back as lines.
    void roundTrip() {
        QFETCH(Vorn, vorn);
        QFETCH(QString, kinds);
        const CsvImport::Result result = CsvImport::importCsv(CsvExport::exportVorn(vorn), "x");
        QVERIFY2(result.vorn, qPrintable(result.error));
        QVERIFY(result.message.isEmpty());
        const Vorn& back = *result.vorn;
        const std::vector<int> order = vorn.outputSequence();
        QCOMPARE(back.BoxCount, vorn.BoxCount);
        QCOMPARE(back.EntryCount, vorn.EntryCount);
        for (int c = 1; c <= back.BoxCount; ++c) {
            const int j = order[std::size_t(c - 1)];
            QCOMPARE(back.descriptor(c).Header, vorn.descriptor(j).Header);
            QCOMPARE(back.descriptor(c).Type, kindOf(kinds[c - 1]));
            for (int p = 1; p <= vorn.EntryCount; ++p)
                QCOMPARE(back.value(p, c), asCell(vorn, p, j));
        }
        for (int p = 1; p <= vorn.EntryCount; ++p)
            QCOMPARE(back.value(p, back.TitleBox), vorn.value(p, vorn.TitleBox));
    }

    // A file is imported under its name without the extension; every refusal names it.
    void importFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("мои.звери.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a;b\n1;2\n");
        file.close();
        CsvImport::Result result = CsvImport::importFile(path);
        QVERIFY2(result.vorn, qPrintable(result.error));
        QCOMPARE(result.vorn->VornName, QStringLiteral("мои.звери"));
        QCOMPARE(result.vorn->EntryCount, qint16(1));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.close();
        const QString named = QStringLiteral("«%1»").arg(path);
        result = CsvImport::importFile(path);
        QVERIFY(!result.vorn);
        QVERIFY2(result.error.contains(named) &&
                     result.error.endsWith(QStringLiteral("В файле нет ни одной строки.")),
                 qPrintable(result.error));

        for (const QString& unreadable : {dir.filePath("нет.csv"), dir.path()}) {
            result = CsvImport::importFile(unreadable);
            QVERIFY(!result.vorn);
            QVERIFY2(result.error.contains(QStringLiteral("«%1»").arg(unreadable)),
                     qPrintable(result.error));
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
