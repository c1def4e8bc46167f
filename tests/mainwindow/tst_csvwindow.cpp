// The CSV table through the main window's menus: «Таблица CSV» under «Вывод в файл», with
// scripted answers, read back from the files written.
#include "csvexport.h"
#include "scriptedwindow.h"

namespace {

// Everything that was asked and told, in order: messages (after a file name that the
// system's reason follows, only up to the name), ?questions, the file dialogs with their
// patterns; then beeps and the files left in the scratch folder.
QString told(const Window& w) {
    QStringList told;
    for (const ScriptedPrompts::Asked& a : w.prompts.asked()) {
        QString text = QString(a.text).replace(w.dir.path(), QLatin1String("%d"));
        if (const qsizetype end = text.indexOf(u"»: "); end >= 0)
            text.truncate(end + 1);
        switch (a.kind) {
        case Kind::YesNo:
        case Kind::YesNoCancel:
            text.prepend(u'?');
            break;
        case Kind::OpenFile:
            text.prepend(QLatin1String("open "));
            break;
        case Kind::SaveFile:
            text.prepend(QLatin1String("save "));
            break;
        default:
            break;
        }
        told << text;
    }
    for (int i = 0; i < w.prompts.beeps(); ++i)
        told << QStringLiteral("beep");
    const QStringList files = QDir(w.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (!files.isEmpty())
        told << "[" + files.join(u',') + "]";
    return told.join(QLatin1String(" / "));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCsvWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportTable_data();
    void exportTable();
};

void TestCsvWindow::exportTable_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QByteArray>("existing"); // what %d/t.csv held before, when it was there
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("told");
    QTest::addColumn<bool>("written");
    const QString done = QStringLiteral("save *.csv / Вывод успешный. / [t.csv]");
    const QString target = QStringLiteral("save:%d/t.csv");
    QTest::newRow("written") << "mCsv" << QByteArray() << target << done << true;
    QTest::newRow("written while locked")
        << "Locker mCsv" << QByteArray() << target << done << true;
    QTest::newRow("an older file replaced")
        << "mCsv" << QByteArray("old,table\r\n") << target << done << true;
    QTest::newRow("dialog cancelled") << "mCsv" << QByteArray() << "save:"
                                      << "save *.csv" << false;
    // The parent of the file is a regular file: nothing is written, nothing half-written left.
    QTest::newRow("write fails") << "mCsv" << QByteArray() << "save:%f/t.csv"
                                 << "save *.csv / Не удалось записать файл «%d/f/t.csv» / [f]"
                                 << false;
}

void TestCsvWindow::exportTable() {
    QFETCH(QString, script);
    QFETCH(QByteArray, existing);
    QFETCH(QString, answer);
    QFETCH(QString, told);
    QFETCH(bool, written);
    const QString kinds = QStringLiteral("PTLIN");
    const QString titles = QStringLiteral("кот \"пёс\",рыжий -");
    Window w(kinds, titles);
    const QString target = w.dir.filePath(QStringLiteral("t.csv"));
    if (!existing.isEmpty())
        writeFile(target, existing);
    w.answer(answer);
    w.run(script);
    QCOMPARE(::told(w), told);
    QCOMPARE(w.prompts.asked(Kind::SaveFile).value(0).startDir, w.view.vorn().StartDir);
    if (written)
        QCOMPARE(readFile(target), CsvExport::exportVorn(SampleVorn::make(kinds, titles)));
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

QTEST_MAIN(TestCsvWindow)
#include "tst_csvwindow.moc"
