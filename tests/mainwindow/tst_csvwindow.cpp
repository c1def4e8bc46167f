// The CSV table through the main window's menus: «Таблица CSV» under «Вывод в файл» and
// «Импорт из CSV» under «Ворн», with scripted answers, read back from the vorn, the boxes on
// the card and the files written.
#include "csvexport.h"
#include "scriptedwindow.h"
#include "twips.h"

namespace {

// The vorn an import made, as the window shows it: caption, file, flags (* Modified, L
// locked), the selected item and the last item's caption, whether anything can be undone;
// the boxes (kind letter, ! for the title box, header); the entries' values.
QString imported(const Window& w) {
    const Vorn& v = w.view.vorn();
    const bool undo = w.at<QAction>(QStringLiteral("mUndo"))->isEnabled();
    QStringList boxes;
    for (int j = 1; j <= v.BoxCount; ++j)
        boxes << QString(QStringLiteral("WPTILN")[v.descriptor(j).Type]) +
                     (j == v.TitleBox ? "!:" : ":") + shown(v.descriptor(j).Header);
    QStringList entries;
    for (int p = 1; p <= v.EntryCount; ++p) {
        QStringList values;
        for (int j = 1; j <= v.BoxCount; ++j)
            values << shown(v.value(p, j));
        entries << values.join(u',');
    }
    return QStringLiteral("%1 path=%2 %3%4 row %5 (%6) undo %7|%8|%9")
        .arg(w.view.windowTitle(), v.VornPath, v.Modified ? "*" : "-", v.Unlocked ? "" : "L")
        .arg(w.list()->currentRow())
        .arg(w.list()->item(w.list()->count() - 1)->text(), undo ? "on" : "off", boxes.join(u' '),
             entries.join(u' '));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestCsvWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportTable_data();
    void exportTable();
    void importTable_data();
    void importTable();
    void importedBoxesApart_data();
    void importedBoxesApart();
};

void TestCsvWindow::exportTable_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("log");
    const auto row = [](const char* name, const char* script, const char* answer,
                        const QString& log) { QTest::newRow(name) << script << answer << log; };
    const QString done = QStringLiteral("save *.csv / Вывод успешный. / [t.csv]");
    row("written", "mCsv", "save:%d/t.csv", done);
    row("written while locked", "Locker mCsv", "save:%d/t.csv", done);
    row("dialog cancelled", "mCsv", "save:", "save *.csv");
    // The parent of the file is a regular file: nothing is written, nothing half-written left.
    row("write fails", "mCsv", "save:%f/t.csv",
        "save *.csv / Не удалось записать файл «%d/f/t.csv» / [f]");
}

// The table written is the export of the vorn shown.
void TestCsvWindow::exportTable() {
    QFETCH(QString, script);
    QFETCH(QString, answer);
    const QString kinds = QStringLiteral("PTLIN");
    const QString titles = QStringLiteral("кот \"пёс\",рыжий -");
    Window w(kinds, titles);
    w.patterns = true;
    w.answer(answer);
    w.run(script);
    QTEST(w.log(), "log"); // which files there are
    QCOMPARE(w.prompts.asked(Kind::SaveFile).value(0).startDir, w.view.vorn().StartDir);
    QFile written(w.dir.filePath(QStringLiteral("t.csv")));
    if (written.open(QIODevice::ReadOnly))
        QCOMPARE(written.readAll(), CsvExport::exportVorn(SampleVorn::make(kinds, titles)));
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

void TestCsvWindow::importTable_data() {
    QTest::addColumn<QByteArray>("table"); // written to %d/t.csv
    QTest::addColumn<QString>("script");   // before «Импорт из CSV»
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("result"); // imported(), or empty: as it was
    const QByteArray table =
        "Номер,Имя,Заметка\r\n1,кот,\"мурлычет\nи спит\"\r\n-2,\"пёс, рыжий\",\r\n";
    const QString t = QStringLiteral("Ворн \"t\" path= * row 0 (%1) undo off|");
    const QString tableVorn = t.arg("002 -2") + "N!:Номер P:Имя T:Заметка|1,кот,мурлычет/и спит "
                                                "-2,пёс, рыжий,";
    const QString ask = QStringLiteral("?Ворн был изменён. Сохранить?");
    const QString open = QStringLiteral("open *.csv;;* / ");
    const QStringList chosen{"open:%d/t.csv"};
    const auto row = [](const char* name, const QByteArray& table, const QString& script,
                        const QStringList& answers, const QString& log, const QString& result) {
        QTest::newRow(name) << table << script << answers << log << result;
    };
    row("imported", table, "", chosen, open + "[t.csv]", tableVorn);
    row("unsaved changes: No", table, "#0 AddVorn", {"N", chosen[0]},
        ask + " / " + open + "[t.csv]", tableVorn);
    row("unsaved changes: Cancel", table, "#0 AddVorn", {"C"}, ask + " / [t.csv]", "");
    row("into a locked window", table, "Locker", chosen, open + "[t.csv]", tableVorn);
    row("dialog cancelled", table, "#0 AddVorn *", {"N", "open:"},
        ask + " / open *.csv;;* / [t.csv]", "");
    // The log keeps the message up to the file's name; the reasons are the importer's own.
    row("a table that cannot be read", "a,b\r\n1,\"x\r\n2,y\r\n", "#0", chosen,
        open + "Не удалось импортировать файл «%d/t.csv» / [t.csv]", "");
    row("what was cut is told", "a,b\r\n1,2,3\r\n4,5,\r\n6\r\n", "", chosen,
        open + "Строк длиннее заголовка: 1; лишние ячейки в них отброшены. / [t.csv]",
        t.arg("003 6") + "N!:a N:b|1,2 4,5 6,");
}

// A table becomes a new vorn named after the file, unlocked and not saved anywhere yet;
// whatever goes wrong leaves the open vorn as it was.
void TestCsvWindow::importTable() {
    QFETCH(QByteArray, table);
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QString, result);
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    w.patterns = true;
    writeFile(w.dir.filePath(QStringLiteral("t.csv")), table);
    w.run(script);
    const Vorn before = w.view.vorn();
    const QString shownBefore = imported(w);
    for (const QString& a : answers)
        w.answer(a);
    w.run(QStringLiteral("mImport"));
    QTEST(w.log(), "log");
    if (result.isEmpty()) {
        QVERIFY(w.view.vorn() == before);
        QCOMPARE(imported(w), shownBefore);
    } else {
        QCOMPARE(imported(w), result);
        QCOMPARE(w.view.Box(0)->Locked(), false);
    }
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

void TestCsvWindow::importedBoxesApart_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("kinds");  // per column, repeated: n number, p phrase, t text
    QTest::addColumn<QString>("header"); // %1: the column's number
    const auto row = [](const char* name, int columns, const char* kinds, const char* header) {
        QTest::newRow(name) << columns << QString(kinds) << QString(header);
    };
    row("twelve, long headers", 12, "pnt",
        "Очень длинный заголовок столбца номер %1, с пояснением в скобках");
    row("fifty mixed", 50, "nptpt", "Поле %1");
    row("wide letters, two lines", 20, "npt", "ЖШЩЮМЖШЩЮМ\nЖШЩЮМЖШЩЮМЖШЩЮМ %1");
}

// The layout is made for the boxes the window really shows: in the shown window no two boxes
// of an imported card overlap, every box lies inside the card, and the window holds the card.
void TestCsvWindow::importedBoxesApart() {
    QFETCH(int, columns);
    QFETCH(QString, kinds);
    QFETCH(QString, header);
    QStringList headers, row;
    for (int c = 0; c < columns; ++c) {
        headers << "\"" + header.arg(c + 1) + "\"";
        const QChar kind = kinds[c % kinds.size()];
        row << (kind == u'n'   ? QString::number(c * 311)
                : kind == u't' ? QStringLiteral("\"строка\nещё одна\"")
                               : QStringLiteral("слово ").repeated(c % 7 + 1));
    }
    Window w;
    writeFile(w.dir.filePath(QStringLiteral("wide.csv")),
              (headers.join(u',') + "\r\n" + row.join(u',') + "\r\n").toUtf8());
    w.answer(QStringLiteral("open:%d/wide.csv"));
    w.run(QStringLiteral("show mImport"));
    QCOMPARE(w.log(), QStringLiteral("open / [wide.csv]"));
    QList<QRect> boxes;
    for (int k = 0; k < VornLimits::MaxBoxes; ++k)
        if (w.view.Box(k)->isVisible())
            boxes << w.view.Box(k)->geometry();
    QCOMPARE(boxes.size(), columns);
    const QRect card = w.at(QStringLiteral("Card"))->rect();
    for (qsizetype a = 0; a < boxes.size(); ++a) {
        QVERIFY2(card.contains(boxes[a]), qPrintable(QStringLiteral("box %1 outside").arg(a + 1)));
        for (qsizetype b = a + 1; b < boxes.size(); ++b)
            QVERIFY2(!boxes[a].intersects(boxes[b]),
                     qPrintable(QStringLiteral("boxes %1 and %2 overlap").arg(a + 1).arg(b + 1)));
    }
    const Vorn& v = w.view.vorn();
    QCOMPARE(w.view.size(), QSize(Twips::toPixels(v.CardWidth), Twips::toPixels(v.CardHeight)));
}

QTEST_MAIN(TestCsvWindow)
#include "tst_csvwindow.moc"
