#include "csvexport.h"
#include "support/samplevorn.h"

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

    // Saving replaces a longer file whole.
    void saveTo() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("звери.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100000, 'x')) == 100000);
        file.close();
        QString error;
        const Vorn vorn = SampleVorn::make("PTLIN", "кот пёс");
        QVERIFY2(CsvExport::saveTo(file.fileName(), vorn, &error), qPrintable(error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), CsvExport::exportVorn(vorn));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
