#include "csvimport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <algorithm>

using Rows = QList<QStringList>;

// Files written by Python's csv module (write_files.py, run by CTest before this test) with
// semicolons, tabs, a byte-order mark, Windows-1251, more rows and more columns than a vorn
// holds. Each is imported and compared cell by cell with the rows Python wrote.
class TestCsvPythonFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QString>("error");
        const QDir folder(qEnvironmentVariable("TESSAVORN_CSV_FILES"));
        QFile manifest(folder.filePath("manifest.json"));
        QVERIFY2(manifest.open(QIODevice::ReadOnly), qPrintable(manifest.fileName()));
        const QJsonArray files = QJsonDocument::fromJson(manifest.readAll())["files"].toArray();
        QVERIFY(!files.isEmpty());
        for (const QJsonValue file : files) {
            Rows rows;
            for (const QJsonValue row : file["rows"].toArray())
                rows << row.toVariant().toStringList();
            const QString name = file["name"].toString();
            QTest::newRow(qPrintable(name))
                << folder.filePath(name) << rows << file["kinds"].toVariant().toStringList()
                << file["error"].toString();
        }
    }
    void importFile() {
        QFETCH(QString, path);
        QFETCH(Rows, rows);
        QFETCH(QStringList, kinds);
        QFETCH(QString, error);
        const CsvImport::Result result = CsvImport::importFile(path);
        if (!error.isEmpty()) {
            QVERIFY(!result.vorn);
            QVERIFY2(result.error.endsWith(error), qPrintable(result.error));
            return;
        }
        QVERIFY2(result.vorn, qPrintable(result.error));
        const Vorn& vorn = *result.vorn;
        const QStringList& header = rows.front();
        QCOMPARE(vorn.BoxCount, qint16(header.size()));
        QCOMPARE(vorn.TitleBox, qint16(1));
        const QStringList kindNames{"word", "phrase", "text", "picture", "list", "number"};
        for (int j = 1; j <= vorn.BoxCount; ++j) {
            QCOMPARE(vorn.descriptor(j).Header, header[j - 1]);
            QCOMPARE(kindNames.value(vorn.descriptor(j).Type), kinds[j - 1]);
        }
        const int dataRows = int(rows.size()) - 1;
        QCOMPARE(int(vorn.EntryCount), std::min(dataRows, VornLimits::MaxEntries));
        QCOMPARE(result.rowsLeftOut, std::max(0, dataRows - VornLimits::MaxEntries));
        QCOMPARE(result.rowsCut, 0);
        for (int p = 1; p <= vorn.EntryCount; ++p)
            for (int j = 1; j <= vorn.BoxCount; ++j)
                QCOMPARE(vorn.value(p, j), rows[p][j - 1]);
    }
};

QTEST_GUILESS_MAIN(TestCsvPythonFiles)
#include "tst_csvpythonfiles.moc"
