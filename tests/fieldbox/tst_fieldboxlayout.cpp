// The field box layout and list values as pure calculations, without widgets.
#include "fieldboxlayout.h"
#include "listvalue.h"

#include <QTest>

using namespace FieldBoxLayout;

namespace {

// A header 300 high, an item editor 285 high, the type's usual sizes, a picture of
// 1500 x 1000 twips, and where things were before.
Input scenario(int type, int pose, int headerWidth) {
    const QSize size =
        QList<QSize>{{0, 0}, {1700, 0}, {3000, 1300}, {0, 0}, {1500, 2200}, {0, 0}}.value(type);
    return {qint16(type),  qint16(pose),      true, headerWidth, 300,      size.width(),
            size.height(), QSize(1500, 1000), 285,  {45, 60},    {75, 90}, {105, 120},
            {4500, 3000}};
}

} // namespace

class TestFieldBoxLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placement_data();
    void placement();
    void otherInputsAndLists();
};

void TestFieldBoxLayout::placement_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<int>("headerWidth");
    QTest::addColumn<QPointF>("header");
    QTest::addColumn<QPointF>("content");
    QTest::addColumn<QSizeF>("box");
    auto row = [](const char* name, int type, int hw, int pose, QPointF header, QPointF content,
                  QSizeF box) {
        QTest::addRow("%s pose %d", name, pose) << type << pose << hw << header << content << box;
    };
    // Phrase 1700 x 300: centred without the shift; a header beside it is always at top 0.
    row("phrase", 1, 600, 2, {550, 0}, {0, 300}, {1700, 600});
    // Text 3000 x 1300: a centred header sits 100 left of the centre.
    row("text", 2, 600, 5, {0, 500}, {700, 0}, {3700, 1300});
    row("text", 2, 600, 9, {3100, 1000}, {0, 0}, {3700, 1300});
    row("text", 2, 600, 11, {1100, 1300}, {0, 0}, {3000, 1600});
    // Picture: the frame, 1560 x 1060, is the content.
    row("picture", 3, 600, 8, {1660, 380}, {0, 0}, {2260, 1060});
    row("picture", 3, 600, 11, {380, 1060}, {0, 0}, {1560, 1360});
    // List 1500 x 2200 with its editor 100 below: 2585 high; the header aligns with the list.
    row("list", 4, 600, 5, {0, 950}, {700, 0}, {2200, 2585});
    row("list", 4, 600, 12, {900, 2585}, {0, 0}, {1500, 2885});
    row("word, no content", 0, 1234, 9, {0, 0}, {0, 0}, {1234, 300});
    // A header at least as wide as the content starts at 0 and widens the box.
    row("wide phrase", 1, 2000, 3, {0, 0}, {0, 300}, {2000, 600});
    row("wide list", 4, 1800, 4, {0, 0}, {1900, 0}, {3400, 2585});
    row("nearly wide list, centred below 0", 4, 1450, 2, {-75, 0}, {0, 300}, {1500, 2885});
    // Outside 1..12 everything stays where it was.
    row("text", 2, 600, 0, {45, 60}, {75, 90}, {4500, 3000});
    row("picture", 3, 600, 13, {45, 60}, {75, 90}, {4500, 3000});
}

void TestFieldBoxLayout::placement() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(int, headerWidth);
    QFETCH(QPointF, header);
    QFETCH(QPointF, content);
    QFETCH(QSizeF, box);
    const QList<QSizeF> contentSize{{0, 0}, {1700, 300}, {3000, 1300}, {1560, 1060}, {1500, 2200}};

    const Result r = layOut(scenario(type, pose, headerWidth));
    QVERIFY(r.applies);
    QCOMPARE(
        (QList<QRectF>{r.header, r.content, QRectF({}, r.box), r.editor, r.picture}),
        (QList<QRectF>{QRectF(header, QSizeF(headerWidth, 300)),
                       QRectF(content, contentSize.at(type)), QRectF({}, box),
                       type == 4 ? QRectF(content + QPointF(0, 2300), QSizeF(1500, 285)) : QRectF(),
                       type == 3 ? QRectF(0, 0, 1500, 1000) : QRectF()}));
}

void TestFieldBoxLayout::otherInputsAndLists() {
    QVERIFY(!layOut(scenario(5, 1, 600)).applies); // a number box keeps its layout
    Input kept = scenario(2, 11, 600);
    kept.fitToContent = false;
    const Result r = layOut(kept);
    QCOMPARE(r.box, kept.previousBox);
    QCOMPARE(r.header.topLeft(), QPointF(1100, 1300)); // placing still happens

    QCOMPARE(pictureArea(1500, 900, QSize(300, 300)), QSize(1500, 900));
    QCOMPARE(pictureArea(1500, 0, QSize(300, 450)), QSize(300, 450));
    QCOMPARE(pictureArea(-10, 900, QSize()), QSize(615, 495));

    // Spaces around an item go, tabs stay; text before the first separator is no item.
    const QString v = QStringLiteral("lead\v  one \v\t a \t\v");
    QCOMPARE(ListValue::items(v, 5), (QStringList{"one", "\t a \t", "", "", ""}));
    QCOMPARE(ListValue::normalised(v), "\v" + v);
    QCOMPARE(int(ListValue::count("\v" + v)), 4);
    QCOMPARE(ListValue::joined({"a", "", " b "}), "\va\v\v b ");
}

QTEST_APPLESS_MAIN(TestFieldBoxLayout)
#include "tst_fieldboxlayout.moc"
