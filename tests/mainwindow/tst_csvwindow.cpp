// The CSV table through the main window's menus: «Таблица CSV» under «Вывод в файл» and
// «Импорт из CSV» under «Ворн», with scripted answers, read back from the vorn, the boxes on
// the card and the files written.
#include "csvexport.h"
#include "listvalue.h"
#include "scriptedwindow.h"
#include "twips.h"

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

// The vorn an import made, as the window shows it: caption, file, flags (* Modified, L
// locked), the selected item, whether anything can be undone; the boxes (kind letter, ! for
// the title box, header); the entries' values (up to five entries).
QString imported(const Window& w) {
    const Vorn& v = w.view.vorn();
    const bool undo = w.at<QAction>(QStringLiteral("mUndo"))->isEnabled();
    QStringList boxes;
    for (int j = 1; j <= v.BoxCount; ++j)
        boxes << QString(QStringLiteral("WPTILN")[v.descriptor(j).Type]) +
                     (j == v.TitleBox ? "!:" : ":") + shown(v.descriptor(j).Header);
    QStringList entries;
    for (int p = 1; p <= v.EntryCount && v.EntryCount <= 5; ++p) {
        QStringList values;
        for (int j = 1; j <= v.BoxCount; ++j)
            values << shown(v.value(p, j));
        entries << values.join(u',');
    }
    if (v.EntryCount > 5)
        entries << QStringLiteral("%1 entries").arg(v.EntryCount);
    return QStringLiteral("%1 path=%2 %3%4 row %5 undo %6|%7|%8")
        .arg(w.view.windowTitle(), v.VornPath, v.Modified ? "*" : "-", v.Unlocked ? "" : "L")
        .arg(w.list()->currentRow())
        .arg(undo ? "on" : "off", boxes.join(u' '), entries.join(u' '));
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

const QString Untouched = QStringLiteral("untouched");

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
    void roundTrip();
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

void TestCsvWindow::importTable_data() {
    QTest::addColumn<QByteArray>("table"); // written to %d/t.csv
    QTest::addColumn<QString>("script");   // before «Импорт из CSV»
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("result"); // imported(), or untouched
    const QByteArray table =
        "Номер,Имя,Заметка\r\n1,кот,\"мурлычет\nи спит\"\r\n-2,\"пёс, рыжий\",\r\n";
    const QString t = QStringLiteral("Ворн \"t\" path= * row 0 undo off|N!:Номер P:Имя T:Заметка|");
    const QString tableVorn = t + "1,кот,мурлычет/и спит -2,пёс, рыжий,";
    const QString ask = QStringLiteral("?Ворн был изменён. Сохранить? / ");
    const QString open = QStringLiteral("open *.csv;;* / ");
    const QStringList chosen{"open:%d/t.csv"};
    const auto row = [](const char* name, const QByteArray& table, const QString& script,
                        const QStringList& answers, const QString& told, const QString& result) {
        QTest::newRow(name) << table << script << answers << told << result;
    };
    row("imported", table, "", chosen, open + "[t.csv]", tableVorn);
    row("unsaved changes: No", table, "#0 AddVorn", {"N", chosen[0]}, ask + open + "[t.csv]",
        tableVorn);
    row("unsaved changes: Yes saves them first", table, "#0 AddVorn", {"Y", chosen[0]},
        ask + "Сохранено успешно. / " + open + "[t.csv]", tableVorn);
    row("unsaved changes: Cancel", table, "#0 AddVorn", {"C"}, ask.chopped(3) + " / [t.csv]",
        Untouched);
    row("into a locked window", table, "Locker", chosen, open + "[t.csv]", tableVorn);
    row("dialog cancelled", table, "#0 AddVorn *", {"N", "open:"}, ask + "open *.csv;;* / [t.csv]",
        Untouched);
    row("no such file", table, "#0", {"open:%d/none.csv"},
        open + "Не удалось прочитать файл «%d/none.csv» / [t.csv]", Untouched);
    row("unclosed quote", "a,b\r\n1,\"x\r\n2,y\r\n", "#0", chosen,
        open +
            "Не удалось импортировать файл «%d/t.csv». Кавычка, открытая в строке 2, не закрыта. "
            "/ [t.csv]",
        Untouched);
    row("empty file", "", "#0", chosen,
        open + "Не удалось импортировать файл «%d/t.csv». В файле нет ни одной строки. / [t.csv]",
        Untouched);
    row("51 columns", QByteArray("a,").repeated(50) + "a\r\n", "#0", chosen,
        open + "Не удалось импортировать файл «%d/t.csv». В файле 51 столбец, а ворн вмещает не "
               "больше 50. / [t.csv]",
        Untouched);
    row("rows cut", "a,b\r\n1,2,3\r\n4,5,\r\n6\r\n", "", chosen,
        open + "Строк длиннее заголовка: 1; лишние ячейки в них отброшены. / [t.csv]",
        t.left(t.indexOf(u'|') + 1) + "N!:a N:b|1,2 4,5 6,");
    row("rows left out", "a\r\n" + QByteArray("1\r\n").repeated(502), "", chosen,
        open + "Ворн вмещает не больше 500 записей: импортированы первые 500 строк, пропущено "
               "строк: 2. / [t.csv]",
        t.left(t.indexOf(u'|') + 1) + "N!:a|500 entries");
}

// A table becomes a new vorn named after the file and not saved anywhere yet; whatever goes
// wrong leaves the open vorn as it was.
void TestCsvWindow::importTable() {
    QFETCH(QByteArray, table);
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QString, told);
    QFETCH(QString, result);
    Window w(QStringLiteral("PT"), QStringLiteral("a b"));
    writeFile(w.dir.filePath(QStringLiteral("t.csv")), table);
    w.run(script);
    const Vorn before = w.view.vorn();
    const QString caption = w.view.windowTitle();
    const bool couldUndo = w.at<QAction>(QStringLiteral("mUndo"))->isEnabled();
    for (const QString& a : answers)
        w.answer(a);
    w.run(QStringLiteral("mImport"));
    QCOMPARE(::told(w), told);
    if (result == Untouched) {
        QVERIFY(w.view.vorn() == before);
        QCOMPARE(w.view.windowTitle(), caption);
        QCOMPARE(w.at<QAction>(QStringLiteral("mUndo"))->isEnabled(), couldUndo);
    } else {
        QCOMPARE(imported(w), result);
        QCOMPARE(w.view.vorn().StartDir, before.StartDir);
        QCOMPARE(w.view.Box(0)->Locked(), false);
        // The next Save asks for a file.
        w.answer(QStringLiteral("save:%d/t.vorn"));
        w.prompts.clearRecord();
        w.run(QStringLiteral("mSave"));
        QCOMPARE(::told(w), QStringLiteral("save *.vorn / beep / [t.csv,t.vorn]"));
    }
    VERIFY_ALL_ANSWERS_USED(w.prompts);
}

void TestCsvWindow::importedBoxesApart_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("kinds");  // per column, repeated: n number, p phrase, t text
    QTest::addColumn<QString>("header"); // %1: the column's number
    QTest::newRow("three short") << 3 << "npt"
                                 << "%1";
    QTest::newRow("twelve, long headers")
        << 12 << "pnt"
        << "Очень длинный заголовок столбца номер %1, с пояснением в скобках";
    QTest::newRow("fifty mixed") << 50 << "nptpt"
                                 << "Поле %1";
    QTest::newRow("fifty texts, long headers") << 50 << "t"
                                               << "Заметка о том, что было в день номер %1";
    QTest::newRow("fifty numbers, two-line headers") << 50 << "n"
                                                     << "Число\nномер %1";
    QTest::newRow("wide letters") << 20 << "pnt"
                                  << "ЖШЩЮМ WWW %1 ЖШЩЮМ";
    QTest::newRow("wide letters, two lines") << 20 << "npt"
                                             << "ЖШЩЮМЖШЩЮМ\nЖШЩЮМЖШЩЮМЖШЩЮМ %1";
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
    QCOMPARE(::told(w), QStringLiteral("open *.csv;;* / [wide.csv]"));
    const Vorn& v = w.view.vorn();
    QCOMPARE(int(v.BoxCount), columns);

    const QRect card = w.at(QStringLiteral("Card"))->rect();
    QList<QRect> boxes;
    QStringList faults;
    for (int k = 0; k < VornLimits::MaxBoxes; ++k) {
        const DataBox* box = w.view.Box(k);
        if (!box->isVisible())
            continue;
        const QRect r = box->geometry();
        if (!card.contains(r))
            faults << QStringLiteral("box %1 outside the card").arg(k + 1);
        for (int i = 0; i < boxes.size(); ++i)
            if (boxes[i].intersects(r))
                faults << QStringLiteral("boxes %1 and %2 overlap").arg(i + 1).arg(k + 1);
        boxes << r;
    }
    QCOMPARE(boxes.size(), columns);
    QCOMPARE(faults, QStringList());
    QCOMPARE(w.view.size(), QSize(Twips::toPixels(v.CardWidth), Twips::toPixels(v.CardHeight)));
}

// What a table export writes, the import reads back: the headers in output order, every
// value (a list as a text of its items, one a line), the title box and the name.
void TestCsvWindow::roundTrip() {
    using SampleVorn::box;
    Vorn sample = SampleVorn::make(
        {box(BoxKind::List, QStringLiteral("Породы")), box(BoxKind::Phrase, QStringLiteral("Имя")),
         box(BoxKind::Number, QStringLiteral("Лапы")),
         box(BoxKind::Text, QStringLiteral("Заметка; \"важное\"")),
         box(BoxKind::Picture, QStringLiteral("Фото"))},
        {{ListValue::joined({"сиамская", "персидская"}), "Мурка, \"кошка\"", "4", "спит\nи ест",
          ".\\Зоопарк\\мурка.png"},
         {"", "Шарик", "-3", "лает,\r\nгромко", ""},
         {ListValue::joined({"такса"}), "", "", "", ""}},
        2);
    sample.VornName = QStringLiteral("Зоопарк");
    // Output order: Имя, Породы, Фото, Заметка, Лапы. The title comes back as the title
    // while no other box that can be one goes before it.
    const qint16 positions[] = {2, 1, 5, 4, 3};
    for (int j = 1; j <= 5; ++j)
        sample.setBoxOrder(j, positions[j - 1]);
    Window a(sample, QString());
    a.answer(QStringLiteral("save:%d/Зоопарк.csv"));
    a.run(QStringLiteral("mCsv"));
    Window b;
    b.answer(QStringLiteral("open:") + a.dir.filePath(QStringLiteral("Зоопарк.csv")));
    b.run(QStringLiteral("mImport"));

    const Vorn& from = a.view.vorn();
    const Vorn& back = b.view.vorn();
    const std::vector<int> order = from.outputSequence();
    QStringList expected, got;
    for (int k = 1; k <= int(order.size()); ++k) {
        const BoxDescriptor& d = from.descriptor(order[std::size_t(k - 1)]);
        expected << d.Header;
        got << back.descriptor(k).Header;
        for (int p = 1; p <= from.EntryCount; ++p) {
            const QString value = from.value(p, order[std::size_t(k - 1)]);
            expected << (d.Type == BoxKind::List
                             ? ListValue::items(value, ListValue::count(value)).join(u'\n')
                             : QString(value).replace(QLatin1String("\r\n"), QLatin1String("\n")));
            got << back.value(p, k);
        }
    }
    QCOMPARE(got, expected);
    QCOMPARE(back.EntryCount, from.EntryCount);
    QString kinds;
    for (int k = 1; k <= back.BoxCount; ++k)
        kinds += QStringLiteral("WPTILN")[back.descriptor(k).Type];
    QCOMPARE(kinds, QStringLiteral("PTPTN"));
    QCOMPARE(back.descriptor(back.TitleBox).Header, from.descriptor(from.TitleBox).Header);
    QStringList captionsFrom, captionsBack;
    for (int p = 0; p < a.list()->count(); ++p)
        captionsFrom << a.list()->item(p)->text();
    for (int p = 0; p < b.list()->count(); ++p)
        captionsBack << b.list()->item(p)->text();
    QCOMPARE(captionsBack, captionsFrom);
    QCOMPARE(b.view.windowTitle(), a.view.windowTitle());
}

QTEST_MAIN(TestCsvWindow)
#include "tst_csvwindow.moc"
