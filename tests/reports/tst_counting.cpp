#include "counting.h"
#include "vornbuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The counting commands' texts over the title values.
class TestCounting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void percentOf_data();
    void percentOf();
    void percentText_data();
    void percentText();
    void occurrences_data();
    void occurrences();
    void occurrencesStopAtLargestCount();
    void emptyAndFull_data();
    void emptyAndFull();
    void statsReport_data();
    void statsReport();
    void nothingWithoutTitleBox();
    void saveReport();
    void saveReportFailure();
};

void TestCounting::percentOf_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");

    QTest::newRow("1 of 3") << 1 << 3 << "33.33";
    QTest::newRow("2 of 3 is cut, not rounded") << 2 << 3 << "66.66";
    QTest::newRow("1 of 6") << 1 << 6 << "16.66";
    QTest::newRow("1 of 7") << 1 << 7 << "14.28";
    QTest::newRow("1 of 300: no zero before the point") << 1 << 300 << ".3333";
    QTest::newRow("1 of 500") << 1 << 500 << ".2";
    QTest::newRow("3 of 3") << 3 << 3 << "100";
    QTest::newRow("0 of 5") << 0 << 5 << "0";
    QTest::newRow("29 of 100: 15 digits round away the error") << 29 << 100 << "29";
    QTest::newRow("1 of 2") << 1 << 2 << "50";
    QTest::newRow("over 100") << 7 << 4 << "175";
    QTest::newRow("largest count of one entry") << 32767 << 1 << "32767";
    QTest::newRow("no entries") << 0 << 0 << "0";
    QTest::newRow("no entries, some count") << 4 << 0 << "0";
}

void TestCounting::percentOf() {
    QFETCH(int, count);
    QFETCH(int, total);
    QFETCH(QString, text);
    QCOMPARE(Counting::percentOf(qint16(count), qint16(total)), text);
}

void TestCounting::percentText_data() {
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("text");

    QTest::newRow("1234.5 keeps the point") << 1234.5 << "1234.";
    QTest::newRow("whole") << 250.0 << "250";
    QTest::newRow("large whole is cut") << 3276700.0 << "32767";
    QTest::newRow("small") << 0.001 << ".001";
    QTest::newRow("tiny, no exponent") << 1e-7 << ".0000";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("digits past the 15th are rounded") << 12.3456789012345678 << "12.34";
}

void TestCounting::percentText() {
    QFETCH(double, percent);
    QFETCH(QString, text);
    QCOMPARE(Counting::percentText(percent), text);
}

void TestCounting::occurrences_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("message");

    const QStringList pets{QStringLiteral("кот"), QStringLiteral("котёл"),
                           QStringLiteral("пёс и кот"), QStringLiteral("рыба")};
    QTest::newRow("two words summed") << pets << "кот+пёс"
                                      << "Найдено 4 вхождений (100%).";
    QTest::newRow("empty word ends the query") << pets << "кот++пёс"
                                               << "Найдено 3 вхождений (75%).";
    QTest::newRow("trailing mark") << pets << "кот+"
                                   << "Найдено 3 вхождений (75%).";
    QTest::newRow("empty query") << pets << ""
                                 << "Найдено 0 вхождений (0%).";
    QTest::newRow("blank query") << pets << "   "
                                 << "Найдено 0 вхождений (0%).";
    QTest::newRow("leading mark makes the first word empty") << pets << "+кот"
                                                             << "Найдено 0 вхождений (0%).";
    QTest::newRow("blanks around words") << pets << "  кот + пёс "
                                         << "Найдено 4 вхождений (100%).";
    QTest::newRow("query in capitals") << pets << "КОТ"
                                       << "Найдено 3 вхождений (75%).";
    QTest::newRow("values in capitals")
        << QStringList{QStringLiteral("КОТ"), QStringLiteral("Пёс")} << "кот+пёс"
        << "Найдено 2 вхождений (100%).";
    QTest::newRow("one entry counted once per word")
        << QStringList{QStringLiteral("кот кот")} << "кот+о+т"
        << "Найдено 3 вхождений (300%).";
    QTest::newRow("no entries") << QStringList{} << "кот"
                                << "Найдено 0 вхождений (0%).";
    QTest::newRow("substring, not word") << QStringList{QStringLiteral("скотина")} << "кот"
                                         << "Найдено 1 вхождений (100%).";
}

void TestCounting::occurrences() {
    QFETCH(QStringList, titles);
    QFETCH(QString, query);
    QFETCH(QString, message);
    QCOMPARE(Counting::occurrencesMessage(titledVorn(titles), query),
             std::optional<QString>(message));
}

void TestCounting::occurrencesStopAtLargestCount() {
    // 500 entries, 70 words that each match every one: 35000 would not fit in 16 bits.
    const Vorn vorn = titledVorn(QStringList(VornLimits::MaxEntries, QStringLiteral("a")));
    QStringList words(70, QStringLiteral("a"));
    QCOMPARE(Counting::occurrences(vorn, words.join(QLatin1Char('+'))),
             std::optional<qint16>(32767));
    QCOMPARE(Counting::occurrencesMessage(vorn, words.join(QLatin1Char('+'))),
             std::optional<QString>(QStringLiteral("Найдено 32767 вхождений (6553.%).")));
}

void TestCounting::emptyAndFull_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("emptyMessage");
    QTest::addColumn<QString>("fullMessage");

    QTest::newRow("one empty of three")
        << QStringList{QStringLiteral("кот"), QString(), QStringLiteral("пёс")}
        << "Найдено 1 пустых (33.33%)."
        << "Найдено 2 непустых (66.66%).";
    QTest::newRow("a blank is not empty")
        << QStringList{QStringLiteral(" ")} << "Найдено 0 пустых (0%)."
        << "Найдено 1 непустых (100%).";
    QTest::newRow("no entries") << QStringList{} << "Найдено 0 пустых (0%)."
                                << "Найдено 0 непустых (0%).";
}

void TestCounting::emptyAndFull() {
    QFETCH(QStringList, titles);
    QFETCH(QString, emptyMessage);
    QFETCH(QString, fullMessage);

    const Vorn vorn = titledVorn(titles);
    QCOMPARE(Counting::emptyMessage(vorn), std::optional<QString>(emptyMessage));
    QCOMPARE(Counting::fullMessage(vorn), std::optional<QString>(fullMessage));
}

void TestCounting::statsReport_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("report");

    QTest::newRow("most frequent first, case ignored")
        << QStringList{QStringLiteral("Кот"), QStringLiteral("кот"), QString(),
                       QStringLiteral("пёс"), QStringLiteral("пёс"), QStringLiteral("пёс")}
        << "пёс: 3 (50%).\r\nКот: 2 (33.33%).\r\nПустые: 1 (16.66%).";
    QTest::newRow("ties keep the order of their first rows")
        << QStringList{QStringLiteral("б"), QStringLiteral("а"), QStringLiteral("в"),
                       QStringLiteral("а"), QStringLiteral("б")}
        << "б: 2 (40%).\r\nа: 2 (40%).\r\nв: 1 (20%).";
    QTest::newRow("«пустые» joins the empty values")
        << QStringList{QString(), QStringLiteral("ПУСТЫЕ"), QStringLiteral("кот")}
        << "Пустые: 2 (66.66%).\r\nкот: 1 (33.33%).";
    QTest::newRow("the form met first names the group")
        << QStringList{QStringLiteral("пУстые"), QString()} << "пУстые: 2 (100%).";
    QTest::newRow("one value") << QStringList{QStringLiteral("кот")} << "кот: 1 (100%).";
    QTest::newRow("no entries") << QStringList{} << "";
}

void TestCounting::statsReport() {
    QFETCH(QStringList, titles);
    QFETCH(QString, report);
    QCOMPARE(Counting::statsReport(titledVorn(titles)), std::optional<QString>(report));
}

void TestCounting::nothingWithoutTitleBox() {
    Vorn vorn = titledVorn({QStringLiteral("кот"), QString()});
    vorn.TitleBox = VornLimits::NoTitle;
    QCOMPARE(Counting::occurrencesMessage(vorn, QStringLiteral("кот")), std::nullopt);
    QCOMPARE(Counting::emptyMessage(vorn), std::nullopt);
    QCOMPARE(Counting::fullMessage(vorn), std::nullopt);
    QCOMPARE(Counting::statsReport(vorn), std::nullopt);
}

void TestCounting::saveReport() {
    // Storage rows decide the order among equals, not the entry list.
    Vorn vorn = titledVorn({QStringLiteral("кот"), QStringLiteral("пёс")});
    vorn.swapEntries(1, 2);
    const std::optional<QString> report = Counting::statsReport(vorn);
    QVERIFY(report.has_value());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    QVERIFY(Counting::saveReport(path, *report));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), cp1251(QStringLiteral("кот: 1 (50%).\r\nпёс: 1 (50%).\r\n")));
}

void TestCounting::saveReportFailure() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QString path = dir.filePath(QStringLiteral("plain/report.txt"));
    QString error;
    QVERIFY(!Counting::saveReport(path, QStringLiteral("кот: 1 (100%)."), &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestCounting)
#include "tst_counting.moc"
