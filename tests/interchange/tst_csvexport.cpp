#include "csvexport.h"
#include "support/samplevorn.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Vorn)

namespace {

using SampleVorn::box;

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Title phrase, word, picture, number, text, list: every kind of box.
Vorn everyKind() {
    return SampleVorn::make(
        {box(BoxKind::Phrase, "Имя"), box(BoxKind::Word, "Порода"), box(BoxKind::Picture, "Фото"),
         box(BoxKind::Number, "Возраст"), box(BoxKind::Text, "Заметки"),
         box(BoxKind::List, "Цвета")},
        {{"Мурка", "сиам", ".\\New\\cat.bmp", "3", "ест рыбу\nспит днём", "\vбелый\v  рыжий "},
         {"Шарик, \"пёс\"", "", ".\\New\\dog.bmp", "5", "", "\vA"}},
        1);
}

} // namespace

// The bytes of the CSV export, and saving them.
class TestCsvExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytes_data() {
        QTest::addColumn<Vorn>("vorn");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("every kind of box")
            << everyKind()
            << Bom + QStringLiteral("Имя,Порода,Фото,Возраст,Заметки,Цвета\r\n"
                                    "Мурка,сиам,.\\New\\cat.bmp,3,\"ест рыбу\nспит днём\","
                                    "\"белый\n  рыжий \"\r\n"
                                    "\"Шарик, \"\"пёс\"\"\",,.\\New\\dog.bmp,5,,\"A\"\r\n")
                         .toUtf8();

        Vorn reordered = everyKind();
        for (int j = 1; j <= reordered.BoxCount; ++j)
            reordered.setBoxOrder(j, qint16(10 - j));
        reordered.setBoxOrder(3, 1); // the picture first, the others from the last box down
        reordered.swapEntries(1, 2);
        QTest::newRow("output order and list order")
            << reordered
            << Bom + QStringLiteral("Фото,Цвета,Заметки,Возраст,Порода,Имя\r\n"
                                    ".\\New\\dog.bmp,\"A\",,5,,\"Шарик, \"\"пёс\"\"\"\r\n"
                                    ".\\New\\cat.bmp,\"белый\n  рыжий \",\"ест рыбу\nспит днём\","
                                    "3,сиам,Мурка\r\n")
                         .toUtf8();

        const Vorn awkward = SampleVorn::make(
            {box(BoxKind::Text, "Две\r\nстроки"), box(BoxKind::List, "Список, пустой"),
             box(BoxKind::List, "Один"), box(BoxKind::List, "Без метки"),
             box(BoxKind::Phrase, "Фраза;\tвторая")},
            {{"a\r\nb\rc\n", "", "\v", "x\vy", " ; с пробелом "}});
        QTest::newRow("line breaks as LF; lists empty, of one empty item, without a leading mark; "
                      "a header with a semicolon or tab quoted")
            << awkward
            << Bom + QStringLiteral("\"Две\nстроки\",\"Список, пустой\",Один,Без метки,"
                                    "\"Фраза;\tвторая\"\r\n"
                                    "\"a\nb\nc\n\",,\"\",\"x\ny\", ; с пробелом \r\n")
                         .toUtf8();

        QTest::newRow("no entries: the header row alone")
            << SampleVorn::make("PN") << Bom + QStringLiteral("Имя,Возраст\r\n").toUtf8();
    }
    void bytes() {
        QFETCH(Vorn, vorn);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CsvExport::exportVorn(vorn), bytes);
    }

    // Saving replaces the file whole; a failed save names the file and leaves none behind.
    void saveTo() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("звери.csv"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(100000, 'x'));
        }
        const Vorn vorn = everyKind();
        QString error;
        QVERIFY2(CsvExport::saveTo(path, vorn, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), CsvExport::exportVorn(vorn));

        const QString below = path + QStringLiteral("/звери.csv"); // a file is no folder
        QVERIFY(!CsvExport::saveTo(below, vorn, &error));
        QVERIFY2(error.contains(QStringLiteral("«%1»").arg(below)), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"звери.csv"});
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
