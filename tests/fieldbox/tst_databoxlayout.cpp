// The field box widget laid out on screen: the same places as the layout calculation,
// within the rounding of twips to whole pixels.
#include "boxtest.h"
#include "databox.h"
#include "fieldboxlayout.h"

#include <QTemporaryDir>
#include <QTest>

using namespace BoxTest;

namespace {

// A twips value shown in whole pixels is off by at most half a pixel.
constexpr double Rounding = 7.5;

bool near(double shown, double wanted) {
    return qAbs(shown - wanted) <= Rounding;
}

QString describe(const QRect& shown, const QRectF& wanted) {
    return QStringLiteral("shown %1,%2 %3x%4, wanted %5,%6 %7x%8")
        .arg(shown.x())
        .arg(shown.y())
        .arg(shown.width())
        .arg(shown.height())
        .arg(wanted.x())
        .arg(wanted.y())
        .arg(wanted.width())
        .arg(wanted.height());
}

bool nearRect(const QRect& shown, const QRectF& wanted) {
    return near(shown.x(), wanted.x()) && near(shown.y(), wanted.y()) &&
           near(shown.width(), wanted.width()) && near(shown.height(), wanted.height());
}

QWidget* contentOf(const Parts& p, int type) {
    switch (type) {
    case 1:
        return p.fras;
    case 2:
        return p.tex;
    case 3:
        return p.border;
    case 4:
        return p.lis;
    default:
        return nullptr;
    }
}

} // namespace

class TestDataBoxLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void matchesTheCalculation_data();
    void matchesTheCalculation();
    void documentedCases_data();
    void documentedCases();
    void wideHeaderAboveRightAligned_data();
    void wideHeaderAboveRightAligned();
    void newBoxIsItsHeader();
    void headPoseZeroMovesNothingButSwitchesVisibility();
    void visibilityFollowsType_data();
    void visibilityFollowsType();
    void listEditorKeepsThePhraseHeight();
    void wordBoxSitsAtTheCorner();

private:
    QTemporaryDir pictures;
};

void TestDataBoxLayout::initTestCase() {
    QVERIFY(pictures.isValid());
    QVERIFY(writePicture(pictures.filePath(QStringLiteral("p.png")), QSize(100, 60), Qt::red));
}

void TestDataBoxLayout::matchesTheCalculation_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<QString>("header");
    const QStringList headers{QStringLiteral("Имя"),
                              QStringLiteral("Очень длинный заголовок этого поля")};
    for (int type = 0; type <= 4; ++type)
        for (int pose = 1; pose <= 12; ++pose)
            for (int h = 0; h < headers.size(); ++h)
                QTest::addRow("type %d pose %d %s", type, pose, h == 0 ? "short" : "long")
                    << type << pose << headers.at(h);
}

void TestDataBoxLayout::matchesTheCalculation() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(QString, header);

    DataBox box;
    box.setPictureBase(pictures.path());
    const QString value = type == 3 ? QStringLiteral("p.png") : list({"a", "b"});
    box.ChangeAll(qint16(type), header, value, qint16(pose));
    const Parts p = parts(box);

    FieldBoxLayout::Input in;
    in.type = box.BoxType();
    in.headPose = box.HeadPose();
    in.headerWidth = p.hed->width() * 15;
    in.headerHeight = p.hed->height() * 15;
    in.length = box.Length();
    in.tall = box.Tall();
    in.picture = QSize(100 * 15, 60 * 15);
    in.editorHeight = 285;
    const FieldBoxLayout::Result r = FieldBoxLayout::layOut(in);

    QVERIFY2(nearRect(twipsIn(box, p.hed), r.header),
             qPrintable(describe(twipsIn(box, p.hed), r.header)));
    if (QWidget* content = contentOf(p, type))
        QVERIFY2(nearRect(twipsIn(box, content), r.content),
                 qPrintable(describe(twipsIn(box, content), r.content)));
    if (type == 4)
        QVERIFY2(nearRect(twipsIn(box, p.fras), r.editor),
                 qPrintable(describe(twipsIn(box, p.fras), r.editor)));
    if (type == 3)
        QCOMPARE(twipsIn(box, p.pic).size(), r.picture.size().toSize());
    QVERIFY2(near(box.widthTwips(), r.box.width()) && near(box.heightTwips(), r.box.height()),
             qPrintable(QStringLiteral("box %1x%2, wanted %3x%4")
                            .arg(box.widthTwips())
                            .arg(box.heightTwips())
                            .arg(r.box.width())
                            .arg(r.box.height())));
}

void TestDataBoxLayout::documentedCases_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("pose");
    QTest::addColumn<QString>("value");
    // Expected places as fractions of the header: x = a + b*HW, y = c + d*HH.
    QTest::addColumn<QList<double>>("header");  // a, b, c, d
    QTest::addColumn<QList<double>>("content"); // a, b, c, d
    QTest::addColumn<QList<double>>("box");     // width a + b*HW, height c + d*HH
    // Phrase 1700, centred above: the editor right under the header.
    QTest::newRow("phrase pose 2") << 1 << 2 << QString() << QList<double>{850, -0.5, 0, 0}
                                   << QList<double>{0, 0, 0, 1} << QList<double>{1700, 0, 0, 2};
    // Text 3000 x 1300, centred below, 100 left of the centre.
    QTest::newRow("text pose 11") << 2 << 11 << QString() << QList<double>{1400, -0.5, 1300, 0}
                                  << QList<double>{0, 0, 0, 0} << QList<double>{3000, 0, 1300, 1};
    // List beside a middle header; its editor 100 below the 2200 high list.
    QTest::newRow("list pose 5") << 4 << 5 << QString() << QList<double>{0, 0, 1100, -0.5}
                                 << QList<double>{100, 1, 0, 0} << QList<double>{1600, 1, 2585, 0};
    // A 1500 x 1000 picture in a 1560 x 1060 frame, centred header below.
    QTest::newRow("picture pose 11")
        << 3 << 11 << QString() << QList<double>{680, -0.5, 1060, 0} << QList<double>{0, 0, 0, 0}
        << QList<double>{1560, 0, 1060, 1};
}

void TestDataBoxLayout::documentedCases() {
    QFETCH(int, type);
    QFETCH(int, pose);
    QFETCH(QString, value);
    QFETCH(QList<double>, header);
    QFETCH(QList<double>, content);
    QFETCH(QList<double>, box);

    DataBox b;
    // The picture case uses a fixed 1500 x 1000 area, which lays out as a picture that size.
    const qint16 length = type == 3 ? 1500 : 0;
    const qint16 tall = type == 3 ? 1000 : 0;
    b.ChangeAll(qint16(type), QStringLiteral("Поле"), value, qint16(pose), length, tall);
    const Parts p = parts(b);
    const double hw = p.hed->width() * 15;
    const double hh = p.hed->height() * 15;

    const QRect hed = twipsIn(b, p.hed);
    QVERIFY(near(hed.x(), header[0] + header[1] * hw));
    QVERIFY(near(hed.y(), header[2] + header[3] * hh));
    const QRect c = twipsIn(b, contentOf(p, type));
    QVERIFY(near(c.x(), content[0] + content[1] * hw));
    QVERIFY(near(c.y(), content[2] + content[3] * hh));
    if (type == 4) {
        const QRect editor = twipsIn(b, p.fras);
        QVERIFY(near(editor.x(), c.x()));
        QVERIFY(near(editor.y(), 2300));
        QCOMPARE(editor.height(), 285);
    }
    QVERIFY(near(b.widthTwips(), box[0] + box[1] * hw));
    QVERIFY(near(b.heightTwips(), box[2] + box[3] * hh));
}

void TestDataBoxLayout::wideHeaderAboveRightAligned_data() {
    QTest::addColumn<int>("type");
    for (int type = 1; type <= 4; ++type)
        QTest::addRow("type %d", type) << type;
}

void TestDataBoxLayout::wideHeaderAboveRightAligned() {
    QFETCH(int, type);
    DataBox box;
    box.ChangeAll(qint16(type), QStringLiteral("Заголовок намного шире самого поля ввода"),
                  QString(), 3, 600, 600);
    const Parts p = parts(box);
    QCOMPARE(p.hed->x(), 0);
    QCOMPARE(box.width(), p.hed->width());
}

void TestDataBoxLayout::newBoxIsItsHeader() {
    DataBox box;
    const Parts p = parts(box);
    QCOMPARE(box.rect(), p.hed->geometry());
    QCOMPARE(p.hed->text(), QStringLiteral("Label1"));
}

void TestDataBoxLayout::headPoseZeroMovesNothingButSwitchesVisibility() {
    DataBox box;
    box.ChangeAll(2, QStringLiteral("Текст"), QStringLiteral("t"), 8);
    const Parts p = parts(box);
    const QPoint hedAt = p.hed->pos();
    const QPoint texAt = p.tex->pos();
    const QSize size = box.size();

    box.setHeadPose(0);
    QCOMPARE(box.HeadPose(), qint16(0));
    QCOMPARE(p.hed->pos(), hedAt);
    QCOMPARE(p.tex->pos(), texAt);
    QCOMPARE(box.size(), size);

    // The phrase editor stays where it was, takes its new size and is shown.
    const QPoint frasAt = p.fras->pos();
    box.setBoxType(1);
    QVERIFY(!p.fras->isHidden());
    QVERIFY(p.tex->isHidden());
    QCOMPARE(p.fras->pos(), frasAt);
    QCOMPARE(p.fras->height(), p.hed->height());
    QCOMPARE(p.hed->pos(), hedAt);
    QCOMPARE(box.size(), size);

    box.setHeadPose(13);
    box.setBoxType(0);
    QVERIFY(p.fras->isHidden());
    QVERIFY(!p.hed->isHidden());
}

void TestDataBoxLayout::visibilityFollowsType_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("shown");
    const QList<QStringList> shown{{}, {"Fras"}, {"Tex"}, {"Border", "Pic"}, {"Fras", "Lis"}};
    for (int from = 0; from <= 4; ++from)
        for (int to = 0; to <= 4; ++to)
            QTest::addRow("%d to %d", from, to) << from << to << shown.at(to);
}

void TestDataBoxLayout::visibilityFollowsType() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, shown);
    DataBox box;
    box.ChangeAll(qint16(from), QStringLiteral("H"), QString(), 1);
    box.setBoxType(qint16(to));
    const Parts p = parts(box);
    QVERIFY(!p.hed->isHidden());
    for (QWidget* w :
         {static_cast<QWidget*>(p.fras), static_cast<QWidget*>(p.tex), static_cast<QWidget*>(p.lis),
          static_cast<QWidget*>(p.border), static_cast<QWidget*>(p.pic)})
        QCOMPARE(!w->isHidden(), shown.contains(w->objectName()));
}

void TestDataBoxLayout::listEditorKeepsThePhraseHeight() {
    DataBox box;
    box.ChangeAll(1, QStringLiteral("H"), QString(), 1);
    const Parts p = parts(box);
    const int hh = p.hed->height();
    box.ChangeAll(4, QStringLiteral("H"), list({"a"}), 1);
    QCOMPARE(p.fras->height(), hh);
    QVERIFY(near(box.heightTwips(), hh * 15.0 + 2200 + 100 + hh * 15.0));
}

void TestDataBoxLayout::wordBoxSitsAtTheCorner() {
    for (qint16 pose : {qint16(0), qint16(1), qint16(6), qint16(12), qint16(40)}) {
        DataBox box;
        box.ChangeAll(2, QStringLiteral("Текст"), QString(), 8);
        box.ChangeAll(0, QStringLiteral("Слово"), QString(), 1);
        box.setHeadPose(pose);
        const Parts p = parts(box);
        QCOMPARE(p.hed->pos(), QPoint(0, 0));
        QCOMPARE(box.size(), p.hed->size());
    }
}

QTEST_MAIN(TestDataBoxLayout)
#include "tst_databoxlayout.moc"
