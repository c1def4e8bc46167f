// The command line as the program reads it before Qt starts.
#include "commandline.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<QString>("outcome");       // the kind, then the file or "!" for a problem
        QTest::newRow("nothing") << QStringList{} << "start";
        QTest::newRow("one file") << QStringList{"зоопарк.vorn"} << "open зоопарк.vorn";
        QTest::newRow("-- lets a file start with a dash")
            << QStringList{"--", "-x.vorn"} << "open -x.vorn";
        QTest::newRow("--help after -- is a file") << QStringList{"--", "--help"} << "open --help";
        QTest::newRow("--help") << QStringList{"--help"} << "help";
        QTest::newRow("-h, even after a file") << QStringList{"a.vorn", "-h"} << "help";
        QTest::newRow("--version") << QStringList{"--version"} << "version";
        QTest::newRow("the first mistake wins") << QStringList{"--bogus", "--help"} << "usage!";
        QTest::newRow("unknown option") << QStringList{"-x"} << "usage!";
        QTest::newRow("a lone dash") << QStringList{"-"} << "usage!";
        QTest::newRow("two files") << QStringList{"a.vorn", "b.vorn"} << "usage!";
        QTest::newRow("empty name") << QStringList{""} << "usage!";
        QTest::newRow("Qt option and its value passed over")
            << QStringList{"-platform", "offscreen", "a.vorn"} << "open a.vorn";
        QTest::newRow("Qt option with two dashes and =")
            << QStringList{"--style=fusion", "a.vorn"} << "open a.vorn";
        QTest::newRow("Qt flag") << QStringList{"-reverse", "a.vorn"} << "open a.vorn";
        QTest::newRow("Qt option's value may start with a dash")
            << QStringList{"-qwindowtitle", "-x-", "a.vorn"} << "open a.vorn";
        QTest::newRow("Qt option without its value at the end") << QStringList{"-style"} << "start";
        QTest::newRow("a name that only starts like a Qt option")
            << QStringList{"-platformx"} << "usage!";
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, outcome);
        const CommandLine line = CommandLine::parse(QStringList{"tessavorn"} + arguments);
        const QStringList kinds{"start", "open ", "usage", "help", "version"};
        QCOMPARE(kinds[int(line.kind)] + line.file + (line.problem.isEmpty() ? "" : "!"), outcome);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
