#include "exporttext.h"
#include "textfile.h"
#include "vornbuilder.h"

#include <QBuffer>
#include <QTest>

// The three exports, compared byte for byte as they land in the file.
class TestExportText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortList_data();
    void shortList();
    void detailedList_data();
    void detailedList();
    void thisEntry_data();
    void thisEntry();
    void thisEntryNeedsAnEntry_data();
    void thisEntryNeedsAnEntry();
};

namespace {

QByteArray fileBytes(const QString& text) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TextFile::write(buffer, text);
    return buffer.data();
}

const QString Name = QStringLiteral("Имя");

// Title phrase, word, picture, number, text, list: every kind of field.
Vorn everyKind() {
    Vorn vorn = makeVorn(
        {{BoxKind::Phrase, Name},
         {BoxKind::Word, QStringLiteral("Порода")},
         {BoxKind::Picture, QStringLiteral("Фото")},
         {BoxKind::Number, QStringLiteral("Возраст")},
         {BoxKind::Text, QStringLiteral("Заметки")},
         {BoxKind::List, QStringLiteral("Цвета")}},
        {{QStringLiteral("Мурка"), QStringLiteral("сиам"), QStringLiteral(".\\New\\cat.bmp"),
          QStringLiteral("3"), QStringLiteral("ест рыбу\nспит днём"),
          listValue({QStringLiteral("белый"), QStringLiteral("  рыжий "), QStringLiteral("A")})},
         {QStringLiteral("Шарик"), QString(), QStringLiteral(".\\New\\dog.bmp"),
          QStringLiteral("5"), QString(), listValue({QStringLiteral("A")})}},
        1);
    return vorn;
}

} // namespace

void TestExportText::shortList_data() {
    QTest::addColumn<Vorn>("vorn");
    QTest::addColumn<QString>("expected");

    const QList<BoxDef> oneBox{{BoxKind::Phrase, Name}};
    const QList<QStringList> three{{QStringLiteral("кот")}, {QStringLiteral("пёс")}, {QString()}};

    QTest::newRow("no title box") << makeVorn(oneBox, three)
                                  << "3 записей в ворне.\r\n\r\n001\r\n002\r\n003\r\n";
    QTest::newRow("title box, empty title value")
        << makeVorn(oneBox, three, 1) << "3 записей в ворне.\r\n\r\n001 кот\r\n002 пёс\r\n003 \r\n";
    QTest::newRow("no entries") << makeVorn(oneBox, {}, 1) << "0 записей в ворне.\r\n\r\n";
    QTest::newRow("empty card") << Vorn() << "0 записей в ворне.\r\n\r\n";

    Vorn swapped = makeVorn(
        oneBox, {{QStringLiteral("кот")}, {QStringLiteral("пёс")}, {QStringLiteral("рыба")}}, 1);
    swapped.swapEntries(1, 3);
    QTest::newRow("list order, not storage order")
        << swapped << "3 записей в ворне.\r\n\r\n001 рыба\r\n002 пёс\r\n003 кот\r\n";

    QTest::newRow("title from a text box keeps its lines")
        << makeVorn({{BoxKind::Text, Name}}, {{QStringLiteral("кот\nпёс")}}, 1)
        << "1 записей в ворне.\r\n\r\n001 кот\r\nпёс\r\n";
    QTest::newRow("value as stored, blanks included")
        << makeVorn(oneBox, {{QStringLiteral("  кот ")}}, 1)
        << "1 записей в ворне.\r\n\r\n001   кот \r\n";
}

void TestExportText::shortList() {
    QFETCH(Vorn, vorn);
    QFETCH(QString, expected);
    QCOMPARE(fileBytes(Export::shortList(vorn)), cp1251(expected));
}

void TestExportText::detailedList_data() {
    QTest::addColumn<Vorn>("vorn");
    QTest::addColumn<std::vector<int>>("positions");
    QTest::addColumn<QString>("expected");

    const QString head = QStringLiteral("2 записей в ворне.\r\n\r\n");

    Vorn untitled = everyKind();
    untitled.TitleBox = VornLimits::NoTitle;
    QTest::newRow("no title box: number lines only")
        << untitled << std::vector<int>{1, 2, 4, 5, 6} << head + "001\r\n\r\n002\r\n\r\n";

    QTest::newRow("nothing chosen")
        << everyKind() << std::vector<int>{} << head + "001 Мурка\r\n\r\n002 Шарик\r\n\r\n";

    QTest::newRow("title and picture are never fields")
        << everyKind() << std::vector<int>{1, 3} << head + "001 Мурка\r\n\r\n002 Шарик\r\n\r\n";

    QTest::newRow("word and number; empty word left out")
        << everyKind() << std::vector<int>{4, 2}
        << head + "001 Мурка\r\n\tПорода\tсиам\r\n\tВозраст\t3\r\n\r\n"
                  "002 Шарик\r\n\tВозраст\t5\r\n\r\n";

    QTest::newRow("text keeps its lines, list items trimmed; short list left out")
        << everyKind() << std::vector<int>{6, 5}
        << head + "001 Мурка\r\n\tЗаметки\r\nест рыбу\r\nспит днём\r\n"
                  "\tЦвета\r\n\tбелый\r\n\tрыжий\r\n\tA\r\n\r\n\r\n"
                  "002 Шарик\r\n\r\n";

    // Output order 1, 4, 2, ...: positions follow it, not the box numbers.
    Vorn reordered = everyKind();
    reordered.setBoxOrder(2, 3);
    reordered.setBoxOrder(3, 4);
    reordered.setBoxOrder(4, 2);
    QTest::newRow("fields in output order, whatever order they were picked in")
        << reordered << std::vector<int>{3, 2, 1}
        << head + "001 Мурка\r\n\tВозраст\t3\r\n\tПорода\tсиам\r\n\r\n"
                  "002 Шарик\r\n\tВозраст\t5\r\n\r\n";

    // Box 2 sits at an output position past the box count: a gap at 2, nothing lost.
    Vorn gap =
        makeVorn({{BoxKind::Phrase, Name},
                  {BoxKind::Word, QStringLiteral("Порода")},
                  {BoxKind::Number, QStringLiteral("Возраст")}},
                 {{QStringLiteral("Мурка"), QStringLiteral("сиам"), QStringLiteral("3")}}, 1);
    gap.setBoxOrder(2, 9);
    QTest::newRow("gap in the output order")
        << gap << std::vector<int>{2, 3}
        << "1 записей в ворне.\r\n\r\n001 Мурка\r\n\tВозраст\t3\r\n\tПорода\tсиам\r\n\r\n";

    QTest::newRow("positions repeated or outside the list")
        << gap << std::vector<int>{0, 3, 3, 4, -1}
        << "1 записей в ворне.\r\n\r\n001 Мурка\r\n\tПорода\tсиам\r\n\r\n";

    Vorn empty = everyKind();
    empty.removeEntry(1);
    empty.removeEntry(1);
    QTest::newRow("no entries") << empty << std::vector<int>{2, 4}
                                << QStringLiteral("0 записей в ворне.\r\n\r\n");
}

void TestExportText::detailedList() {
    QFETCH(Vorn, vorn);
    QFETCH(std::vector<int>, positions);
    QFETCH(QString, expected);
    QCOMPARE(fileBytes(Export::detailedList(vorn, positions)), cp1251(expected));
}

void TestExportText::thisEntry_data() {
    QTest::addColumn<Vorn>("vorn");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every kind; text followed by an empty line")
        << everyKind() << 1
        << "001 Мурка\r\n\tПорода\tсиам\r\n\tВозраст\t3\r\n"
           "\tЗаметки\r\nест рыбу\r\nспит днём\r\n\r\n"
           "\tЦвета\r\n\tбелый\r\n\tрыжий\r\n\tA\r\n\r\n";
    QTest::newRow("empty fields and a one-letter list write nothing")
        << everyKind() << 2 << "002 Шарик\r\n\tВозраст\t5\r\n";

    Vorn untitled = everyKind();
    untitled.TitleBox = VornLimits::NoTitle;
    QTest::newRow("no title box: the title's box is a field")
        << untitled << 2 << "002\r\n\tИмя\tШарик\r\n\tВозраст\t5\r\n";

    Vorn swapped = everyKind();
    swapped.swapEntries(1, 2);
    swapped.setValue(1, 2, QStringLiteral("дворняга"));
    swapped.setBoxOrder(4, 1); // shares position 1 with the title box: comes right after it
    QTest::newRow("list position and output order")
        << swapped << 1 << "001 Шарик\r\n\tВозраст\t5\r\n\tПорода\tдворняга\r\n";

    Vorn text =
        makeVorn({{BoxKind::Phrase, Name},
                  {BoxKind::Text, QStringLiteral("Заметки")},
                  {BoxKind::Word, QStringLiteral("Порода")}},
                 {{QStringLiteral("Мурка"), QStringLiteral("a\r\nb"), QStringLiteral("сиам")}}, 1);
    QTest::newRow("empty line between a text and the next field")
        << text << 1 << "001 Мурка\r\n\tЗаметки\r\na\r\nb\r\n\r\n\tПорода\tсиам\r\n";
}

void TestExportText::thisEntry() {
    QFETCH(Vorn, vorn);
    QFETCH(int, k);
    QFETCH(QString, expected);

    const std::optional<QString> text = Export::thisEntry(vorn, k);
    QVERIFY(text.has_value());
    QCOMPARE(fileBytes(*text), cp1251(expected));
}

void TestExportText::thisEntryNeedsAnEntry_data() {
    QTest::addColumn<int>("k");
    QTest::newRow("card item") << 0;
    QTest::newRow("past the last entry") << 3;
    QTest::newRow("negative") << -1;
}

void TestExportText::thisEntryNeedsAnEntry() {
    QFETCH(int, k);
    QCOMPARE(Export::thisEntry(everyKind(), k), std::nullopt);
}

QTEST_GUILESS_MAIN(TestExportText)
#include "tst_exporttext.moc"
