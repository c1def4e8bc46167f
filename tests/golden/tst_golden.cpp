// The files the program reads and writes, compared byte for byte with files kept in
// tests/data/golden. A change in the written bytes fails here until the file is renewed on
// purpose: run this test with TESSAVORN_RENEW_GOLDEN=1, then review the change with git diff.
#include "counting.h"
#include "exporttext.h"
#include "support/samplevorn.h"
#include "textfile.h"
#include "vornfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Vorn)

namespace {

// A list value of these items.
QString list(const QStringList& items) {
    QString value;
    for (const QString& item : items)
        value += ListSeparator + item;
    return value;
}

using SampleVorn::box;

// A vorn as reading its file gives it: entries in rows 1..EntryCount, locked, unmodified.
Vorn fileVorn(const QString& name, const std::vector<BoxDescriptor>& boxes,
              const std::vector<QStringList>& entries, qint16 titleBox) {
    Vorn vorn = SampleVorn::make(boxes, entries, titleBox);
    vorn.VornName = name;
    vorn.CardWidth = 9900;
    vorn.CardHeight = 7725;
    vorn.Unlocked = vorn.Designing = false;
    return vorn;
}

// Every box kind; lists with empty items; Cyrillic, a character Windows-1251 lacks, line
// breaks; a picture; an output order unlike the box order; a title value twice in two cases.
Vorn zoo() {
    Vorn vorn = fileVorn(QStringLiteral("Зоопарк"),
                         {box(BoxKind::Phrase, "Кличка", "", 2400, 1100, 1),
                          box(BoxKind::Word, "Животные", "", 6000, 400, 1),
                          box(BoxKind::Number, "Возраст", "0", 2400, 1900, 5),
                          box(BoxKind::Text, "Заметки", "пусто", 2400, 2600, 1),
                          box(BoxKind::List, "Прививки", list({""}), 5900, 2600, 3),
                          box(BoxKind::Picture, "Фото", "", 5900, 5000, 11)},
                         {{"Мурка", "", "3", "Любит спать.\r\nБоится пылесоса ✓",
                           list({"бешенство", "", " чумка "}), ".\\Зоопарк\\мурка.png"},
                          {"Бобик", "", "5", "Охраняет двор.", list({"бешенство", ""}), ""},
                          {"МУРКА", "", "1", "", list({""}), ""},
                          {"", "", "", "", list({"", ""}), ""}},
                         1);
    vorn.Password = QStringLiteral("тайна, «с» запятой");
    for (const auto& [j, position] : {std::pair(1, 1), {2, 6}, {3, 3}, {4, 5}, {5, 2}, {6, 4}})
        vorn.setBoxOrder(j, qint16(position));
    return vorn;
}

// The first layout, read with the name "Сад" given: pictures move into the vorn's folder.
Vorn oldUpgraded() {
    return fileVorn(QStringLiteral("Сад"),
                    {box(BoxKind::Picture, "Фото", "d.bmp", 2400, 1100, 1),
                     box(BoxKind::Phrase, "Имя", "", 5400, 1100, 1)},
                    {{".\\Сад\\кот.bmp", "кот"}, {"", "пёс"}}, 2);
}

QString dataFolder() {
    return qEnvironmentVariable("TESSAVORN_TEST_DATA") + QStringLiteral("/golden/");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the program wrote against the kept file of that name; renewing copies it over that.
void compareWithKept(const QString& written, const QString& name) {
    const QString kept = dataFolder() + name;
    if (qEnvironmentVariableIntValue("TESSAVORN_RENEW_GOLDEN") != 0) {
        QFile::remove(kept);
        QVERIFY(QFile::copy(written, kept));
        qInfo("renewed %s", qPrintable(kept));
    }
    QCOMPARE(readAll(written), readAll(kept));
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void vornFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Vorn>("vorn");         // what reading the file gives
        QTest::addColumn<QString>("rewritten"); // the file saving that vorn writes
        QTest::newRow("current layout, every box kind") << "zoo.vorn" << zoo() << "zoo.vorn";
        QTest::newRow("old layout, a picture")
            << "old.vorn" << oldUpgraded() << "old-upgraded.vorn";
    }
    // The reader against the files, and the writer against them, each on its own.
    void vornFiles() {
        QFETCH(QString, file);
        QFETCH(Vorn, vorn);
        QFETCH(QString, rewritten);
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.vorn"));
        QString error;
        QVERIFY2(SaveTo(saved, vorn, &error), qPrintable(error));
        compareWithKept(saved, rewritten);

        int namerCalls = 0;
        const LoadResult loaded = LoadFrom(dataFolder() + file, Vorn(), [&] {
            ++namerCalls;
            return QStringLiteral("Сад");
        });
        QVERIFY2(loaded.vorn, qPrintable(loaded.error));
        QCOMPARE(loaded.skippedFields, 0);
        QCOMPARE(namerCalls, file == rewritten ? 0 : 1);
        QVERIFY(*loaded.vorn == vorn);
    }

    void exports_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("report"); // saved as the statistics report, not as an export
        const Vorn vorn = zoo();
        QTest::newRow("short list") << "short-list.txt" << Export::shortList(vorn) << false;
        QTest::newRow("detailed list, every field chosen")
            << "detailed-list.txt" << Export::detailedList(vorn, {1, 2, 3, 4, 5, 6}) << false;
        QTest::newRow("this entry")
            << "this-entry.txt" << Export::thisEntry(vorn, 1).value_or(QString()) << false;
        QTest::newRow("report") << "report.txt" << Counting::statsReport(vorn).value_or(QString())
                                << true;
    }
    void exports() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(bool, report);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QString error;
        QVERIFY2((report ? Counting::saveReport : TextFile::save)(path, text, &error),
                 qPrintable(error));
        compareWithKept(path, file);
    }
};

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
