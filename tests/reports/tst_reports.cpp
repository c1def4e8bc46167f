#include "counting.h"
#include "exporttext.h"
#include "fileerrors.h"
#include "support/failingdevice.h"
#include "support/samplevorn.h"
#include "textfile.h"
#include "wordsplit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Vorn)

namespace {

using SampleVorn::box;

// Title phrase, word, picture, number, text, list: every kind of field.
Vorn everyKind() {
    return SampleVorn::make(
        {box(BoxKind::Phrase, "Имя"), box(BoxKind::Word, "Порода"), box(BoxKind::Picture, "Фото"),
         box(BoxKind::Number, "Возраст"), box(BoxKind::Text, "Заметки"),
         box(BoxKind::List, "Цвета")},
        {{"Мурка", "сиам", ".\\New\\cat.bmp", "3", "ест рыбу\nспит днём", "\vбелый\v  рыжий \vA"},
         {"Шарик", "", ".\\New\\dog.bmp", "5", "", "\vA"}},
        1);
}

Vorn withoutTitle(Vorn vorn) {
    vorn.TitleBox = VornLimits::NoTitle;
    return vorn;
}

} // namespace

// Word cutting, the export texts, their file form and the counting commands.
class TestReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void getWord_data() {
        QTest::addColumn<QString>("frase");
        QTest::addColumn<int>("num");
        QTest::addColumn<QString>("divis");
        QTest::addColumn<QString>("contain");
        QTest::addColumn<QString>("word");
        auto row = [](const char* tag, const char* frase, int num, const char* divis,
                      const char* word, const char* contain = "") {
            QTest::newRow(tag) << QString(frase) << num << QString(divis) << QString(contain)
                               << QString(word);
        };
        row("++, piece before the first mark is lost", "x+a", 1, "++", "a");
        row("++, blanks trimmed", "+ кот +пёс", 1, "++", "кот");
        row("++, two marks in a row", "+a++b", 2, "++", "");
        row("blanks, from the start", "x", 1, "  ", "x");
        row("(), outer", "f(a(b)c)d", 1, "()", "a(b)c");
        row("(), inner", "f(a(b)c)d", 2, "()", "b");
        row("(), unclosed", "f(ab", 1, "()", "ab");
        row("contain, second holder", "+кот+пёс+котёл+скот", 2, "++", "котёл", "кот");
        row("contain, case-sensitive", "+кот+пёс", 1, "++", "", "Кот");
        row("contain, empty word ends the search", "+пёс++котёл", 1, "++", "", "кот");
    }
    void getWord() {
        QFETCH(QString, frase);
        QFETCH(int, num);
        QFETCH(QString, divis);
        QFETCH(QString, contain);
        QFETCH(QString, word);
        QCOMPARE(GetWord(frase, qint16(num), divis, contain), word);
    }

    void fileBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Cyrillic, numero, euro; one ? per character the code page lacks")
            << QStringLiteral("Кот Ёё№€ a✓к😀") + QChar(0xD800)
            << QByteArray::fromHex("caeef220a8b8b988 20 613fea3f3f");
        QTest::newRow("every line break as CR LF")
            << "a\nb\rc\r\nd\n\r" << QByteArray("a\r\nb\r\nc\r\nd\r\n\r\n");
    }
    // Reports are saved as Windows-1251 text with CR LF. A device that fails part way makes
    // the write fail with its reason, the bytes before the failure written; a failed save names
    // its file.
    void fileBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.txt"));
        QString error;
        QVERIFY2(Counting::saveReport(path, text, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes + "\r\n");
        for (const qsizetype capacity : {qsizetype(0), bytes.size() / 2, bytes.size() - 1}) {
            FailingDevice device(capacity);
            QString reason;
            QVERIFY(!TextFile::write(device, text, &reason));
            QCOMPARE(reason, FileErrors::DiskFull);
            QCOMPARE(device.written(), bytes.left(capacity));
        }
        // A file cannot stand in for a folder.
        const QString below = path + QStringLiteral("/report.txt");
        QVERIFY2(!Counting::saveReport(below, text, &error) && error.contains(below),
                 qPrintable(error));
    }

    void exports_data() {
        QTest::addColumn<Vorn>("vorn");
        QTest::addColumn<QString>("command");
        QTest::addColumn<std::vector<int>>("picks"); // fields for the detailed list, k for one
        QTest::addColumn<QString>("expected");
        const QStringList three{"кот", "пёс", ""};
        const QString head = QStringLiteral("3 записей в ворне.\r\n\r\n");
        Vorn swapped = SampleVorn::titled(three);
        swapped.swapEntries(1, 3);
        swapped.swapEntries(2, 3);
        QTest::newRow("short, list order after swaps, empty title")
            << swapped << "short" << std::vector<int>{} << head + "001 \r\n002 кот\r\n003 пёс\r\n";

        const QString two = QStringLiteral("2 записей в ворне.\r\n\r\n");
        QTest::newRow("detailed, no title box: number lines only")
            << withoutTitle(everyKind()) << "detailed" << std::vector<int>{2, 4, 5, 6}
            << two + "001\r\n\r\n002\r\n\r\n";
        Vorn reordered = everyKind();
        reordered.setBoxOrder(2, 3);
        reordered.setBoxOrder(4, 2);
        QTest::newRow("detailed, chosen fields in output order; title, picture, empty left out")
            << reordered << "detailed" << std::vector<int>{4, 3, 1, 2}
            << two + "001 Мурка\r\n\tВозраст\t3\r\n\tПорода\tсиам\r\n\r\n"
                     "002 Шарик\r\n\tВозраст\t5\r\n\r\n";

        QTest::newRow("this entry, empty fields write nothing")
            << everyKind() << "entry" << std::vector<int>{2} << "002 Шарик\r\n\tВозраст\t5\r\n";
        QTest::newRow("this entry, the card item")
            << everyKind() << "entry" << std::vector<int>{0} << "nothing";
    }
    void exports() {
        QFETCH(Vorn, vorn);
        QFETCH(QString, command);
        QFETCH(std::vector<int>, picks);
        QFETCH(QString, expected);
        const QString got = command == u"short" ? Export::shortList(vorn)
                            : command == u"detailed"
                                ? Export::detailedList(vorn, picks)
                                : Export::thisEntry(vorn, picks[0]).value_or("nothing");
        QCOMPARE(got, expected);
    }

    void percentOf_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 of 300: no zero before the point") << 1 << 300 << ".3333";
        QTest::newRow("29 of 100: 15 digits round away the error") << 29 << 100 << "29";
        QTest::newRow("no entries") << 4 << 0 << "0";
        QTest::newRow("1234.5 keeps the point") << 2469 << 200 << "1234.";
    }
    void percentOf() {
        QFETCH(int, count);
        QFETCH(int, total);
        QFETCH(QString, text);
        QCOMPARE(Counting::percentOf(qint16(count), qint16(total)), text);
    }

    void counting_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("command"); // a query, or one of the other commands
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& titles, const char* command,
                            const char* expected) {
            QTest::newRow(name) << titles << QString(command) << QString(expected);
        };
        const QStringList pets{"кот", "котёл", "пёс и кот", "рыба"};
        row("two words summed", pets, "кот+пёс", "Найдено 4 вхождений (100%).");
        row("empty word ends the query", pets, "кот++пёс", "Найдено 3 вхождений (75%).");
        row("empty", {"кот", "", "пёс"}, "mEmpty", "Найдено 1 пустых (33.33%).");
        row("stats, case ignored", {"Кот", "кот", "", "пёс", "пёс", "пёс"}, "mStats",
            "пёс: 3 (50%).\r\nКот: 2 (33.33%).\r\nПустые: 1 (16.66%).");
        row("stats, ties in the order first met", {"б", "а", "в", "а", "б"}, "mStats",
            "б: 2 (40%).\r\nа: 2 (40%).\r\nв: 1 (20%).");
        row("stats, «пустые» joins the empty group", {"", "ПУСТЫЕ", "кот"}, "mStats",
            "Пустые: 2 (66.66%).\r\nкот: 1 (33.33%).");
    }
    void counting() {
        QFETCH(QStringList, titles);
        QFETCH(QString, command);
        QFETCH(QString, expected);
        const Vorn vorn = SampleVorn::titled(titles);
        const std::optional<QString> got = command == u"mEmpty" ? Counting::emptyMessage(vorn)
                                           : command == u"mStats"
                                               ? Counting::statsReport(vorn)
                                               : Counting::occurrencesMessage(vorn, command);
        QCOMPARE(got.value_or(QStringLiteral("nothing")), expected);
        QCOMPARE(Counting::statsReport(withoutTitle(vorn)), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
