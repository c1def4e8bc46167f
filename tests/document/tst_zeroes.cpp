#include "vorn.h"

#include <QTest>

class TestZeroes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void padding_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7") << 7 << 3 << "007";
        QTest::newRow("120") << 120 << 3 << "120";
        QTest::newRow("1000 stays") << 1000 << 3 << "1000";
        QTest::newRow("0") << 0 << 3 << "000";
        QTest::newRow("minus counts as a character") << -5 << 3 << "0-5";
        QTest::newRow("long negative") << -123 << 3 << "-123";
        QTest::newRow("width 0") << 42 << 0 << "42";
    }
    void padding() {
        QFETCH(int, n);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(Zeroes(qint16(n), qint16(width)), expected);
    }
    void clamping_data() {
        QTest::addColumn<qlonglong>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("inside") << 1234LL << 1234;
        QTest::newRow("above") << 40000LL << 32767;
        QTest::newRow("below") << -40000LL << -32768;
    }
    void clamping() {
        QFETCH(qlonglong, in);
        QFETCH(int, out);
        QCOMPARE(int(clampTo16(in)), out);
    }
};

QTEST_GUILESS_MAIN(TestZeroes)
#include "tst_zeroes.moc"
