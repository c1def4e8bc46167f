// The field box layout and list values as pure calculations, without widgets.
#include "boxcodes.h"
#include "fieldboxlayout.h"
#include "listvalue.h"

#include <QTest>

using FieldBoxLayout::Input;
using FieldBoxLayout::layOut;
using FieldBoxLayout::Result;

namespace {

const QChar Sep(11);

// One scenario for every type: a header 600 x 300, an item editor 285 high, the type's
// usual sizes, and a picture of 1500 x 1000 twips (its frame 1560 x 1060).
Input scenario(qint16 type, qint16 pose, int headerWidth) {
    Input in;
    in.type = type;
    in.headPose = pose;
    in.headerWidth = headerWidth;
    in.headerHeight = 300;
    in.editorHeight = 285;
    in.picture = QSize(1500, 1000);
    switch (type) {
    case BoxCode::Phrase:
        in.length = 1700;
        break;
    case BoxCode::Text:
        in.length = 3000;
        in.tall = 1300;
        break;
    case BoxCode::List:
        in.length = 1500;
        in.tall = 2200;
        break;
    default:
        break;
    }
    in.previousHeader = QPointF(45, 60);
    in.previousContent = QPointF(75, 90);
    in.previousEditor = QPointF(105, 120);
    in.previousBox = QSizeF(4500, 3000);
    return in;
}

} // namespace

class TestFieldBoxLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placement_data();
    void placement();
    void contentSizes_data();
    void contentSizes();
    void wordBoxIgnoresHeaderPosition_data();
    void wordBoxIgnoresHeaderPosition();
    void invalidHeaderPositionKeepsPlaces_data();
    void invalidHeaderPositionKeepsPlaces();
    void withoutFitTheBoxKeepsItsSize();
    void unknownTypesLayNothingOut_data();
    void unknownTypesLayNothingOut();
    void pictureArea_data();
    void pictureArea();
    void listItems_data();
    void listItems();
    void normalising_data();
    void normalising();
    void joinedAndSanitised();
};

void TestFieldBoxLayout::placement_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<int>("headerWidth");
    QTest::addColumn<QPointF>("header");
    QTest::addColumn<QPointF>("content");
    QTest::addColumn<QSizeF>("box");

    struct Row {
        int pose;
        QPointF header;
        QPointF content;
        QSizeF box;
    };
    auto add = [](const char* name, int type, int hw, std::initializer_list<Row> rows) {
        for (const Row& r : rows)
            QTest::addRow("%s pose %d", name, r.pose)
                << type << r.pose << hw << r.header << r.content << r.box;
    };
    // Phrase 1700 wide: its height is the header's, so a header beside it is always at top 0.
    add("phrase", 1, 600,
        {{1, {0, 0}, {0, 300}, {1700, 600}},
         {2, {550, 0}, {0, 300}, {1700, 600}},
         {3, {1100, 0}, {0, 300}, {1700, 600}},
         {4, {0, 0}, {700, 0}, {2400, 300}},
         {5, {0, 0}, {700, 0}, {2400, 300}},
         {6, {0, 0}, {700, 0}, {2400, 300}},
         {7, {1800, 0}, {0, 0}, {2400, 300}},
         {8, {1800, 0}, {0, 0}, {2400, 300}},
         {9, {1800, 0}, {0, 0}, {2400, 300}},
         {10, {0, 300}, {0, 0}, {1700, 600}},
         {11, {550, 300}, {0, 0}, {1700, 600}},
         {12, {1100, 300}, {0, 0}, {1700, 600}}});
    // Text 3000 x 1300: a centred header sits 100 left of the centre.
    add("text", 2, 600,
        {{1, {0, 0}, {0, 300}, {3000, 1600}},
         {2, {1100, 0}, {0, 300}, {3000, 1600}},
         {3, {2400, 0}, {0, 300}, {3000, 1600}},
         {4, {0, 0}, {700, 0}, {3700, 1300}},
         {5, {0, 500}, {700, 0}, {3700, 1300}},
         {6, {0, 1000}, {700, 0}, {3700, 1300}},
         {7, {3100, 0}, {0, 0}, {3700, 1300}},
         {8, {3100, 500}, {0, 0}, {3700, 1300}},
         {9, {3100, 1000}, {0, 0}, {3700, 1300}},
         {10, {0, 1300}, {0, 0}, {3000, 1600}},
         {11, {1100, 1300}, {0, 0}, {3000, 1600}},
         {12, {2400, 1300}, {0, 0}, {3000, 1600}}});
    // Picture: the frame, 1560 x 1060, is the content.
    add("picture", 3, 600,
        {{1, {0, 0}, {0, 300}, {1560, 1360}},
         {2, {380, 0}, {0, 300}, {1560, 1360}},
         {3, {960, 0}, {0, 300}, {1560, 1360}},
         {4, {0, 0}, {700, 0}, {2260, 1060}},
         {5, {0, 380}, {700, 0}, {2260, 1060}},
         {6, {0, 760}, {700, 0}, {2260, 1060}},
         {7, {1660, 0}, {0, 0}, {2260, 1060}},
         {8, {1660, 380}, {0, 0}, {2260, 1060}},
         {9, {1660, 760}, {0, 0}, {2260, 1060}},
         {10, {0, 1060}, {0, 0}, {1560, 1360}},
         {11, {380, 1060}, {0, 0}, {1560, 1360}},
         {12, {960, 1060}, {0, 0}, {1560, 1360}}});
    // List 1500 x 2200 with its editor 100 below: 2585 high; the header aligns with the
    // list alone.
    add("list", 4, 600,
        {{1, {0, 0}, {0, 300}, {1500, 2885}},
         {2, {350, 0}, {0, 300}, {1500, 2885}},
         {3, {900, 0}, {0, 300}, {1500, 2885}},
         {4, {0, 0}, {700, 0}, {2200, 2585}},
         {5, {0, 950}, {700, 0}, {2200, 2585}},
         {6, {0, 1900}, {700, 0}, {2200, 2585}},
         {7, {1600, 0}, {0, 0}, {2200, 2585}},
         {8, {1600, 950}, {0, 0}, {2200, 2585}},
         {9, {1600, 1900}, {0, 0}, {2200, 2585}},
         {10, {0, 2585}, {0, 0}, {1500, 2885}},
         {11, {350, 2585}, {0, 0}, {1500, 2885}},
         {12, {900, 2585}, {0, 0}, {1500, 2885}}});
    // A header at least as wide as the content starts at 0 and widens the box.
    add("wide phrase", 1, 2000,
        {{2, {0, 0}, {0, 300}, {2000, 600}}, {3, {0, 0}, {0, 300}, {2000, 600}}});
    add("wide text", 2, 3000,
        {{3, {0, 0}, {0, 300}, {3000, 1600}}, {11, {0, 1300}, {0, 0}, {3000, 1600}}});
    add("wide list", 4, 1800,
        {{12, {0, 2585}, {0, 0}, {1800, 2885}}, {4, {0, 0}, {1900, 0}, {3400, 2585}}});
    // Centred 100 to the left can come out negative; the header stays there.
    add("nearly wide list", 4, 1450, {{2, {-75, 0}, {0, 300}, {1500, 2885}}});
}

void TestFieldBoxLayout::placement() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(int, headerWidth);
    QFETCH(QPointF, header);
    QFETCH(QPointF, content);
    QFETCH(QSizeF, box);

    const Result r = layOut(scenario(qint16(type), qint16(pose), headerWidth));
    QVERIFY(r.applies);
    QCOMPARE(r.header.topLeft(), header);
    QCOMPARE(r.header.size(), QSizeF(headerWidth, 300));
    QCOMPARE(r.content.topLeft(), content);
    QCOMPARE(r.box, box);
    if (type == BoxCode::List)
        QCOMPARE(r.editor, QRectF(content + QPointF(0, 2300), QSizeF(1500, 285)));
    else
        QVERIFY(r.editor.isNull());
}

void TestFieldBoxLayout::contentSizes_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QSizeF>("content");
    QTest::addColumn<QRectF>("picture");
    QTest::newRow("phrase: Length by the header's height") << 1 << QSizeF(1700, 300) << QRectF();
    QTest::newRow("text: Length by Tall") << 2 << QSizeF(3000, 1300) << QRectF();
    QTest::newRow("picture: frame 60 larger than the picture")
        << 3 << QSizeF(1560, 1060) << QRectF(0, 0, 1500, 1000);
    QTest::newRow("list: Length by Tall") << 4 << QSizeF(1500, 2200) << QRectF();
}

void TestFieldBoxLayout::contentSizes() {
    QFETCH(int, type);
    QFETCH(QSizeF, content);
    QFETCH(QRectF, picture);
    const Result r = layOut(scenario(qint16(type), 1, 600));
    QCOMPARE(r.content.size(), content);
    QCOMPARE(r.picture, picture);
}

void TestFieldBoxLayout::wordBoxIgnoresHeaderPosition_data() {
    QTest::addColumn<int>("pose");
    for (int pose : {0, 1, 5, 9, 12, 13, -1})
        QTest::addRow("pose %d", pose) << pose;
}

void TestFieldBoxLayout::wordBoxIgnoresHeaderPosition() {
    QFETCH(int, pose);
    Input in = scenario(BoxCode::Word, qint16(pose), 1234);
    in.length = 100;
    in.tall = 100;
    const Result r = layOut(in);
    QVERIFY(r.applies);
    QCOMPARE(r.header, QRectF(0, 0, 1234, 300));
    QCOMPARE(r.box, QSizeF(1234, 300));
    QVERIFY(r.content.isNull());
}

void TestFieldBoxLayout::invalidHeaderPositionKeepsPlaces_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<QSizeF>("content");
    for (int pose : {0, 13, -2}) {
        QTest::addRow("phrase pose %d", pose) << 1 << pose << QSizeF(1700, 300);
        QTest::addRow("text pose %d", pose) << 2 << pose << QSizeF(3000, 1300);
        QTest::addRow("picture pose %d", pose) << 3 << pose << QSizeF(1560, 1060);
        QTest::addRow("list pose %d", pose) << 4 << pose << QSizeF(1500, 2200);
    }
}

void TestFieldBoxLayout::invalidHeaderPositionKeepsPlaces() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(QSizeF, content);
    const Input in = scenario(qint16(type), qint16(pose), 600);
    const Result r = layOut(in);
    QVERIFY(r.applies);
    QCOMPARE(r.header.topLeft(), in.previousHeader);
    QCOMPARE(r.content, QRectF(in.previousContent, content));
    QCOMPARE(r.box, in.previousBox);
    if (type == BoxCode::List)
        QCOMPARE(r.editor, QRectF(in.previousEditor, QSizeF(1500, 285)));
}

void TestFieldBoxLayout::withoutFitTheBoxKeepsItsSize() {
    Input in = scenario(BoxCode::Text, 11, 600);
    in.fitToContent = false;
    const Result r = layOut(in);
    QCOMPARE(r.box, in.previousBox);
    QCOMPARE(r.header.topLeft(), QPointF(1100, 1300)); // placing still happens
}

void TestFieldBoxLayout::unknownTypesLayNothingOut_data() {
    QTest::addColumn<int>("type");
    QTest::newRow("number") << 5;
    QTest::newRow("above") << 77;
    QTest::newRow("negative") << -1;
}

void TestFieldBoxLayout::unknownTypesLayNothingOut() {
    QFETCH(int, type);
    QVERIFY(!layOut(scenario(qint16(type), 1, 600)).applies);
}

void TestFieldBoxLayout::pictureArea_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("tall");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::newRow("both set: fixed") << 1500 << 900 << QSize(300, 300) << QSize(1500, 900);
    QTest::newRow("length only: natural") << 1500 << 0 << QSize(300, 450) << QSize(300, 450);
    QTest::newRow("tall only: natural") << 0 << 900 << QSize(300, 450) << QSize(300, 450);
    QTest::newRow("none: natural") << 0 << 0 << QSize(300, 450) << QSize(300, 450);
    QTest::newRow("no picture") << 0 << 0 << QSize() << QSize(615, 495);
    QTest::newRow("negative: natural") << -10 << 900 << QSize(300, 450) << QSize(300, 450);
}

void TestFieldBoxLayout::pictureArea() {
    QFETCH(int, length);
    QFETCH(int, tall);
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QCOMPARE(FieldBoxLayout::pictureArea(qint16(length), qint16(tall), picture), area);
}

void TestFieldBoxLayout::listItems_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("item");
    const QString v = Sep + QStringLiteral("one") + Sep + QStringLiteral("  two ") + Sep;
    QTest::newRow("first") << v << 1 << "one";
    QTest::newRow("spaces trimmed") << v << 2 << "two";
    QTest::newRow("empty last item") << v << 3 << "";
    QTest::newRow("past the end") << v << 4 << "";
    QTest::newRow("below 1") << v << 0 << "";
    QTest::newRow("text before the first separator is no item")
        << QString(QStringLiteral("lead") + Sep + QStringLiteral("x")) << 1 << "x";
    QTest::newRow("tabs stay") << QString(Sep + QStringLiteral("\t a \t")) << 1 << "\t a \t";
    QTest::newRow("no separator") << QStringLiteral("plain") << 1 << "";
}

void TestFieldBoxLayout::listItems() {
    QFETCH(QString, value);
    QFETCH(int, n);
    QFETCH(QString, item);
    QCOMPARE(ListValue::item(value, n), item);
    if (n >= 1) // the one-pass form agrees with the single item
        QCOMPARE(ListValue::items(value, n).last(), item);
}

void TestFieldBoxLayout::normalising_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<int>("count");
    QTest::newRow("empty: one empty item") << "" << QString(Sep) << 1;
    QTest::newRow("plain text: one item") << "abc" << QString(Sep + QStringLiteral("abc")) << 1;
    QTest::newRow("already a list")
        << QString(Sep + QStringLiteral("a") + Sep + QStringLiteral("b"))
        << QString(Sep + QStringLiteral("a") + Sep + QStringLiteral("b")) << 2;
    QTest::newRow("text in front")
        << QString(QStringLiteral("a") + Sep + QStringLiteral("b"))
        << QString(Sep + QStringLiteral("a") + Sep + QStringLiteral("b")) << 2;
    QTest::newRow("separators only") << QString(Sep) + Sep + Sep << QString(Sep) + Sep + Sep << 3;
}

void TestFieldBoxLayout::normalising() {
    QFETCH(QString, value);
    QFETCH(QString, normalised);
    QFETCH(int, count);
    QCOMPARE(ListValue::normalised(value), normalised);
    QCOMPARE(int(ListValue::count(normalised)), count);
}

void TestFieldBoxLayout::joinedAndSanitised() {
    QCOMPARE(ListValue::joined({}), QString());
    QCOMPARE(ListValue::joined({QStringLiteral("a"), QString(), QStringLiteral(" b ")}),
             QString(Sep + QStringLiteral("a") + Sep + Sep + QStringLiteral(" b ")));
    QCOMPARE(ListValue::sanitisedItem(QStringLiteral("a") + Sep + QStringLiteral("b")),
             QStringLiteral("a b"));
}

QTEST_APPLESS_MAIN(TestFieldBoxLayout)
#include "tst_fieldboxlayout.moc"
