#include "clockrandom.h"
#include "support/scriptedprompts.h"
#include "support/sequencerandom.h"

#include <QTest>

// The scripted prompts and random sources that the other tests lean on, and the clock
// random source that production uses.
class TestTestSupport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersComeInOrderPerKind();
    void questionsAreRecordedWithShownTitle();
    void leftoverAnswersAreNamed();
    void unexpectedQuestionFailsTheTest_data();
    void unexpectedQuestionFailsTheTest();
    void sequenceRandomRepeats();
    void clockRandomStaysInUnitInterval();
};

void TestTestSupport::answersComeInOrderPerKind() {
    ScriptedPrompts prompts;
    prompts.queueYesNo(true);
    prompts.queueYesNo(false);
    prompts.queueYesNoCancel(Prompts::Answer::No);
    prompts.queueText(QStringLiteral("кот"));
    prompts.queueText(std::nullopt);
    prompts.queueSaveFileName(QStringLiteral("/tmp/a.txt"));
    prompts.queueOpenFileName(std::nullopt);

    QCOMPARE(prompts.askText(QString()), std::optional<QString>(QStringLiteral("кот")));
    QCOMPARE(prompts.askYesNo(QStringLiteral("1")), true);
    QCOMPARE(prompts.askYesNoCancel(QStringLiteral("2")), Prompts::Answer::No);
    QCOMPARE(prompts.askYesNo(QStringLiteral("3")), false);
    QCOMPARE(prompts.askText(QString(), Prompts::Echo::Hidden), std::nullopt);
    QCOMPARE(prompts.openFileName(QStringLiteral("*.vorn"), QStringLiteral("/home")), std::nullopt);
    QCOMPARE(prompts.saveFileName(QStringLiteral("*.txt"), QStringLiteral("/home")),
             std::optional<QString>(QStringLiteral("/tmp/a.txt")));
    VERIFY_ALL_ANSWERS_USED(prompts);
}

void TestTestSupport::questionsAreRecordedWithShownTitle() {
    ScriptedPrompts prompts;
    prompts.queueYesNo(true);
    prompts.queueText(QString());
    prompts.queueSaveFileName(QStringLiteral("x"));

    prompts.message(QStringLiteral("Вывод успешный."));
    prompts.askYesNo(QStringLiteral("отчёт"), QStringLiteral("Сохранить?"));
    prompts.askText(QStringLiteral("Имя"), Prompts::Echo::Hidden);
    prompts.saveFileName(QStringLiteral("*.txt"), QStringLiteral("/start"));
    prompts.beep();
    prompts.beep();

    const QList<ScriptedPrompts::Asked> asked = prompts.asked();
    QCOMPARE(asked.size(), 4);
    QCOMPARE(asked[0].kind, ScriptedPrompts::Kind::Message);
    QCOMPARE(asked[0].title, QStringLiteral("Tessavorn"));
    QCOMPARE(asked[1].title, QStringLiteral("Сохранить?"));
    QCOMPARE(asked[1].text, QStringLiteral("отчёт"));
    QCOMPARE(asked[2].echo, Prompts::Echo::Hidden);
    QCOMPARE(asked[3].text, QStringLiteral("*.txt"));
    QCOMPARE(asked[3].startDir, QStringLiteral("/start"));
    QCOMPARE(prompts.messages(), QStringList{QStringLiteral("Вывод успешный.")});
    QCOMPARE(prompts.asked(ScriptedPrompts::Kind::YesNo).size(), 1);
    QCOMPARE(prompts.beeps(), 2);

    prompts.clearRecord();
    QCOMPARE(prompts.asked().size(), 0);
    QCOMPARE(prompts.beeps(), 0);
}

void TestTestSupport::leftoverAnswersAreNamed() {
    ScriptedPrompts prompts;
    prompts.queueYesNoCancel(Prompts::Answer::Yes);
    prompts.queueOpenFileName(QStringLiteral("a"));
    prompts.queueOpenFileName(QStringLiteral("b"));

    QVERIFY(!prompts.allAnswersUsed());
    QCOMPARE(prompts.unusedAnswers(),
             QStringLiteral("unused: 1 yes/no/cancel answer(s), 2 open-file name(s)"));
}

void TestTestSupport::unexpectedQuestionFailsTheTest_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("yes/no") << 0;
    QTest::newRow("yes/no/cancel") << 1;
    QTest::newRow("text") << 2;
    QTest::newRow("open") << 3;
    QTest::newRow("save") << 4;
}

void TestTestSupport::unexpectedQuestionFailsTheTest() {
    QFETCH(int, kind);

    ScriptedPrompts prompts;
    // The failure is the point of this test: the helper must report it, and then give the
    // answer that does least.
    QEXPECT_FAIL("", "no answer queued for this question", Continue);
    bool neutral = false;
    switch (kind) {
    case 0:
        neutral = !prompts.askYesNo(QStringLiteral("?"));
        break;
    case 1:
        neutral = prompts.askYesNoCancel(QStringLiteral("?")) == Prompts::Answer::Cancel;
        break;
    case 2:
        neutral = !prompts.askText(QString()).has_value();
        break;
    case 3:
        neutral = !prompts.openFileName(QStringLiteral("*.vorn"), QString()).has_value();
        break;
    default:
        neutral = !prompts.saveFileName(QStringLiteral("*.txt"), QString()).has_value();
        break;
    }
    QVERIFY(neutral);
    QCOMPARE(prompts.asked().size(), 1);
}

void TestTestSupport::sequenceRandomRepeats() {
    SequenceRandom random{0.25, 0.5, 0.75};
    QList<double> seen;
    for (int i = 0; i < 5; ++i)
        seen.append(random.next());
    QCOMPARE(seen, (QList<double>{0.25, 0.5, 0.75, 0.25, 0.5}));
    QCOMPARE(random.calls(), 5);

    SequenceRandom none;
    QCOMPARE(none.next(), 0.0);
}

void TestTestSupport::clockRandomStaysInUnitInterval() {
    ClockRandom a(12345);
    ClockRandom b(12345);
    double low = 1.0;
    double high = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.next();
        QCOMPARE(b.next(), x); // same seed, same numbers
        QVERIFY2(x >= 0.0 && x < 1.0, qPrintable(QString::number(x)));
        low = std::min(low, x);
        high = std::max(high, x);
    }
    // Spread over the interval rather than stuck in a corner.
    QVERIFY(low < 0.01);
    QVERIFY(high > 0.99);
}

QTEST_MAIN(TestTestSupport)
#include "tst_testsupport.moc"
