// The files the program reads and writes, compared byte for byte with files kept in
// tests/data/golden. A change in the written bytes fails here until the file is renewed on
// purpose: run this test with TESSAVORN_RENEW_GOLDEN=1, then review the change with git diff.
#include "counting.h"
#include "exporttext.h"
#include "textfile.h"
#include "vornfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Writes one of the text files to a path; false and error set when it could not.
using SaveFunction = std::function<bool(const QString& path, QString* error)>;

Q_DECLARE_METATYPE(Vorn)
Q_DECLARE_METATYPE(SaveFunction)

namespace {

// A list value of these items.
QString list(const QStringList& items) {
    QString value;
    for (const QString& item : items)
        value += ListSeparator + item;
    return value;
}

BoxDescriptor box(qint16 type, const QString& header, const QString& defaultValue, qint16 left,
                  qint16 top, qint16 headPose) {
    return {type, header, headPose, defaultValue, left, top};
}

// A vorn as reading its file gives it: entries in rows 1..EntryCount, locked, unmodified.
Vorn fileVorn(const QString& name, const std::vector<BoxDescriptor>& boxes,
              const std::vector<QStringList>& entries, qint16 titleBox) {
    Vorn vorn;
    vorn.reset();
    vorn.VornName = name;
    vorn.BoxCount = qint16(boxes.size());
    vorn.EntryCount = qint16(entries.size());
    vorn.TitleBox = titleBox;
    vorn.CardWidth = 9900;
    vorn.CardHeight = 7725;
    for (int j = 1; j <= vorn.BoxCount; ++j)
        vorn.setDescriptor(j, boxes[j - 1]);
    for (int p = 1; p <= vorn.EntryCount; ++p)
        for (int j = 1; j <= vorn.BoxCount; ++j)
            vorn.setCell(p, j, entries[p - 1].value(j - 1));
    vorn.Unlocked = false;
    vorn.Designing = false;
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

bool renewing() {
    return qEnvironmentVariableIntValue("TESSAVORN_RENEW_GOLDEN") != 0;
}

// Renewing copies what the program wrote over the kept file.
void renew(const QString& written, const QString& kept) {
    QFile::remove(kept);
    QVERIFY(QFile::copy(written, kept));
    qInfo("renewed %s", qPrintable(kept));
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QDir(dataFolder()).exists(),
                 "TESSAVORN_TEST_DATA must name tests/data (CTest sets it)");
    }

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
        if (renewing())
            renew(saved, dataFolder() + rewritten);
        QCOMPARE(readAll(saved), readAll(dataFolder() + rewritten));

        int namerCalls = 0;
        const LoadResult loaded = LoadFrom(dataFolder() + file, Vorn(), [&] {
            ++namerCalls;
            return QStringLiteral("Сад");
        });
        QVERIFY2(loaded.vorn, qPrintable(loaded.error));
        QCOMPARE(loaded.skippedFields, 0);
        QCOMPARE(namerCalls, file == rewritten ? 0 : 1);
        // Written out again, a difference shows where it is.
        QVERIFY2(SaveTo(saved, *loaded.vorn, &error), qPrintable(error));
        QCOMPARE(readAll(saved), readAll(dataFolder() + rewritten));
        QVERIFY(*loaded.vorn == vorn);
    }

    void exports_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<SaveFunction>("save");
        const Vorn vorn = zoo();
        const auto text = [](const QString& content) {
            return SaveFunction([content](const QString& path, QString* error) {
                return TextFile::save(path, content, error);
            });
        };
        QTest::newRow("short list") << "short-list.txt" << text(Export::shortList(vorn));
        QTest::newRow("detailed list, every field chosen")
            << "detailed-list.txt" << text(Export::detailedList(vorn, {1, 2, 3, 4, 5, 6}));
        QTest::newRow("this entry")
            << "this-entry.txt" << text(Export::thisEntry(vorn, 1).value_or(QString()));
        const QString report = Counting::statsReport(vorn).value_or(QString());
        QTest::newRow("report") << "report.txt"
                                << SaveFunction([report](const QString& path, QString* error) {
                                       return Counting::saveReport(path, report, error);
                                   });
    }
    void exports() {
        QFETCH(QString, file);
        QFETCH(SaveFunction, save);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QString error;
        QVERIFY2(save(path, &error), qPrintable(error));
        if (renewing())
            renew(path, dataFolder() + file);
        QCOMPARE(readAll(path), readAll(dataFolder() + file));
    }
};

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
