// What the program makes of its command line once QApplication has taken its own options.
#include "commandline.h"

#include <QtTest>

Q_DECLARE_METATYPE(CommandLine::Kind)

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void usageText();
};

void TestCommandLine::parse_data() {
    QTest::addColumn<QStringList>("arguments"); // after the program's own name
    QTest::addColumn<CommandLine::Kind>("kind");
    QTest::addColumn<QString>("file");
    using K = CommandLine::Kind;
    QTest::newRow("nothing") << QStringList{} << K::Start << "";
    QTest::newRow("a file") << QStringList{"zoo.vorn"} << K::OpenFile << "zoo.vorn";
    QTest::newRow("a full path in Cyrillic") << QStringList{"/дом/Мои ворны/зоопарк.vorn"}
                                             << K::OpenFile << "/дом/Мои ворны/зоопарк.vorn";
    QTest::newRow("any extension") << QStringList{"notes.txt"} << K::OpenFile << "notes.txt";
    QTest::newRow("an option") << QStringList{"-x"} << K::Usage << "";
    QTest::newRow("a long option") << QStringList{"--help"} << K::Usage << "";
    QTest::newRow("an option after the file") << QStringList{"zoo.vorn", "-v"} << K::Usage << "";
    QTest::newRow("a lone dash") << QStringList{"-"} << K::Usage << "";
    QTest::newRow("two files") << QStringList{"a.vorn", "b.vorn"} << K::Usage << "";
    QTest::newRow("an empty name") << QStringList{""} << K::Usage << "";
    QTest::newRow("a dash name after --")
        << QStringList{"--", "-zoo.vorn"} << K::OpenFile << "-zoo.vorn";
    QTest::newRow("only --") << QStringList{"--"} << K::Start << "";
    QTest::newRow("two files after --") << QStringList{"--", "a", "b"} << K::Usage << "";
}

void TestCommandLine::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Kind, kind);
    QFETCH(QString, file);
    const CommandLine line =
        CommandLine::parse(QStringList{QStringLiteral("/usr/bin/tessavorn")} + arguments);
    QCOMPARE(line.kind, kind);
    QCOMPARE(line.file, file);
    // A usage error always says what was wrong.
    QCOMPARE(line.problem.isEmpty(), kind != CommandLine::Kind::Usage);
}

void TestCommandLine::usageText() {
    const CommandLine option = CommandLine::parse({"/opt/bin/tessavorn", "--frobnicate"});
    const CommandLine two = CommandLine::parse({"/opt/bin/tessavorn", "a.vorn", "b.vorn"});
    const QString text = option.usageText(QStringLiteral("/opt/bin/tessavorn"));
    QVERIFY2(text.contains(QLatin1String("--frobnicate")), qPrintable(text));
    QVERIFY2(text.startsWith(QLatin1String("tessavorn: ")), qPrintable(text));
    QVERIFY(!text.contains(QLatin1String("/opt/bin")));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
    QVERIFY(option.problem != two.problem);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
