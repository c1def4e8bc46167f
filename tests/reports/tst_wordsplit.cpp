#include "wordsplit.h"

#include <QTest>

class TestWordSplit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void getWord_data() {
        QTest::addColumn<QString>("frase");
        QTest::addColumn<int>("num");
        QTest::addColumn<QString>("divis");
        QTest::addColumn<QString>("word");
        const QString plus = QStringLiteral("++");
        const QString blanks = QStringLiteral("  ");
        const QString vt = QStringLiteral("\v\v");

        QTest::newRow("+a+b, 1") << "+a+b" << 1 << plus << "a";
        QTest::newRow("+a+b, 2") << "+a+b" << 2 << plus << "b";
        QTest::newRow("+a+b, 3") << "+a+b" << 3 << plus << "";
        QTest::newRow("+a+b, 9") << "+a+b" << 9 << plus << "";
        QTest::newRow("piece before the first mark is lost") << "x+a" << 1 << plus << "a";
        QTest::newRow("Cyrillic, 2") << "+кот+пёс" << 2 << plus << "пёс";
        QTest::newRow("Cyrillic, 3") << "+кот+пёс" << 3 << plus << "";
        QTest::newRow("blanks trimmed") << "+ кот +пёс" << 1 << plus << "кот";
        QTest::newRow("two marks in a row") << "+a++b" << 2 << plus << "";
        QTest::newRow("word after the empty one") << "+a++b" << 3 << plus << "b";
        QTest::newRow("tabs stay") << "+\tкот \t+" << 1 << plus << "\tкот \t";

        QTest::newRow("blank marks, empty text") << "" << 1 << blanks << "";
        QTest::newRow("blank marks, x, 2") << "x" << 2 << blanks << "";
        QTest::newRow("blank marks, x, 1") << "x" << 1 << blanks << "x";
        QTest::newRow("blank marks, a  b, 1") << "a  b" << 1 << blanks << "a";
        QTest::newRow("blank marks, a  b, 2") << "a  b" << 2 << blanks << "";
        QTest::newRow("blank marks, a  b, 3") << "a  b" << 3 << blanks << "b";
        QTest::newRow("blank marks, leading blank, 1") << " a b" << 1 << blanks << "a";
        QTest::newRow("blank marks, leading blank, 2") << " a b" << 2 << blanks << "b";

        QTest::newRow("brackets, outer") << "f(a(b)c)d" << 1 << "()"
                                         << "a(b)c";
        QTest::newRow("brackets, inner") << "f(a(b)c)d" << 2 << "()"
                                         << "b";
        QTest::newRow("brackets, none left") << "f(a(b)c)d" << 3 << "()"
                                             << "";
        QTest::newRow("brackets, unclosed") << "f(ab" << 1 << "()"
                                            << "ab";
        QTest::newRow("brackets, siblings") << "(a)(b)" << 2 << "()"
                                            << "b";
        QTest::newRow("brackets, closing first") << ")(a)" << 1 << "()"
                                                 << "a";
        QTest::newRow("brackets, trimmed") << "( a )" << 1 << "()"
                                           << "a";

        QTest::newRow("bars, 1") << "x|a|b|" << 1 << "||"
                                 << "a";
        QTest::newRow("bars, 2") << "x|a|b|" << 2 << "||"
                                 << "b";
        QTest::newRow("bars, 3") << "x|a|b|" << 3 << "||"
                                 << "";

        QTest::newRow("list value, first item") << "\vкот\vпёс" << 1 << vt << "кот";
        QTest::newRow("list value, second item") << "\vкот\vпёс" << 2 << vt << "пёс";
        QTest::newRow("list value, past the end") << "\vкот\vпёс" << 3 << vt << "";

        QTest::newRow("number 0") << "+a" << 0 << plus << "";
        QTest::newRow("negative number") << "+a" << -3 << plus << "";
        QTest::newRow("one mark only") << "+a" << 1 << "+"
                                       << "";
        QTest::newRow("no marks") << "+a" << 1 << ""
                                  << "";
    }
    void getWord() {
        QFETCH(QString, frase);
        QFETCH(int, num);
        QFETCH(QString, divis);
        QFETCH(QString, word);
        QCOMPARE(GetWord(frase, qint16(num), divis), word);
    }

    void getWordContaining_data() {
        QTest::addColumn<QString>("frase");
        QTest::addColumn<int>("num");
        QTest::addColumn<QString>("contain");
        QTest::addColumn<QString>("word");
        const QString pets = QStringLiteral("+кот+пёс+котёл+рыба+скот");
        QTest::newRow("first holder") << pets << 1 << "кот"
                                      << "кот";
        QTest::newRow("second holder skips others") << pets << 2 << "кот"
                                                    << "котёл";
        QTest::newRow("third holder") << pets << 3 << "кот"
                                      << "скот";
        QTest::newRow("no fourth") << pets << 4 << "кот"
                                   << "";
        QTest::newRow("case-sensitive") << pets << 1 << "Кот"
                                        << "";
        QTest::newRow("nobody holds it") << pets << 1 << "слон"
                                         << "";
        QTest::newRow("empty word uses up a round") << "+кот++котёл" << 2 << "кот"
                                                    << "";
        QTest::newRow("empty word ends the search") << "+пёс++котёл" << 1 << "кот"
                                                    << "";
        QTest::newRow("holder after an early empty round") << "+a++кот+кот" << 2 << "кот"
                                                           << "кот";
    }
    void getWordContaining() {
        QFETCH(QString, frase);
        QFETCH(int, num);
        QFETCH(QString, contain);
        QFETCH(QString, word);
        QCOMPARE(GetWord(frase, qint16(num), QStringLiteral("++"), contain), word);
    }

    void highestWordNumber() {
        QString frase;
        for (int i = 1; i <= 40000; ++i)
            frase += QStringLiteral("+w%1").arg(i);
        QCOMPARE(GetWord(frase, 32767, QStringLiteral("++")), QStringLiteral("w32767"));
    }
};

QTEST_GUILESS_MAIN(TestWordSplit)
#include "tst_wordsplit.moc"
