// Laying cards out for paper: boxes growing to show everything and moving the boxes under
// them, and cards going onto pages. No output device is needed.
#include "boxkinds.h"
#include "boxlook.h"
#include "cardflow.h"
#include "cardlayout.h"
#include "pageplan.h"
#include "picturestore.h"
#include "support/samplevorn.h"

#include <QFont>
#include <QGuiApplication>
#include <QTest>

using SampleVorn::box;

namespace {

QString lines(int n, const QString& word) {
    QStringList text;
    for (int i = 1; i <= n; ++i)
        text << QStringLiteral("%1 %2").arg(word).arg(i);
    return text.join(QStringLiteral("\r\n"));
}

QString items(int n) {
    QString value;
    for (int i = 1; i <= n; ++i)
        value += ListSeparator + QStringLiteral("пункт %1").arg(i);
    return value;
}

// The first card of vorn, laid out in the window's font, fixed so that the tests do not follow
// the machine's settings.
PrintedCard firstCard(const Vorn& vorn) {
    const BoxLook look(QFont(QStringLiteral("DejaVu Sans"), 9), QPalette());
    PictureStore pictures(QString{});
    CardLayout layout(vorn, look, pictures);
    const auto [left, right] = layout.across(0);
    return layout.layOut(0, left, right);
}

} // namespace

class TestCardLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagePlan_data();
    void pagePlan();
    void flow_data();
    void flow();
    void growing_data();
    void growing();
    void boxKinds_data();
    void boxKinds();
};

void TestCardLayout::pagePlan_data() {
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QList<QPointF>>("at");
    QTest::addColumn<QList<double>>("scales");
    // A page 1000 x 1400, cards 500 wide (so twice their size on paper), 10 apart (20 on paper).
    QTest::newRow("the fourth starts a page")
        << QList<double>{200, 200, 200, 200} << QList<int>{0, 0, 0, 1}
        << QList<QPointF>{{0, 0}, {0, 420}, {0, 840}, {0, 0}} << QList<double>{2, 2, 2, 2};
    QTest::newRow("two filling the page exactly")
        << QList<double>{345, 345} << QList<int>{0, 0} << QList<QPointF>{{0, 0}, {0, 710}}
        << QList<double>{2, 2};
    QTest::newRow("a tall card gets its own page, scaled down and centred")
        << QList<double>{200, 1400, 100} << QList<int>{0, 1, 2}
        << QList<QPointF>{{0, 0}, {250, 0}, {0, 0}} << QList<double>{2, 1, 2};
    QTest::newRow("a tall first card")
        << QList<double>{2800} << QList<int>{0} << QList<QPointF>{{375, 0}} << QList<double>{0.5};
}

void TestCardLayout::pagePlan() {
    QFETCH(QList<double>, heights);
    PagePlan plan(QSizeF(1000, 1400), 500, 10);
    QList<int> pages;
    QList<QPointF> at;
    QList<double> scales;
    for (double h : heights) {
        const PagePlan::Place place = plan.add(h);
        pages << place.page;
        at << place.at;
        scales << place.scale;
    }
    QTEST(pages, "pages");
    QTEST(at, "at");
    QTEST(scales, "scales");
    QCOMPARE(plan.pageCount(), pages.last() + 1);
}

void TestCardLayout::flow_data() {
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::addColumn<QList<double>>("grown");
    QTest::addColumn<QList<double>>("shifts");
    const QRectF top(0, 0, 100, 100);
    QTest::newRow("touching from below moves")
        << QList<QRectF>{top, {50, 100, 100, 50}} << QList<double>{50, 0} << QList<double>{0, 50};
    QTest::newRow("lower but not across stays")
        << QList<QRectF>{top, {100, 150, 100, 50}} << QList<double>{50, 0} << QList<double>{0, 0};
    QTest::newRow("starting inside the grown box stays")
        << QList<QRectF>{top, {50, 50, 100, 100}} << QList<double>{50, 0} << QList<double>{0, 0};
    QTest::newRow("moves add up down a column")
        << QList<QRectF>{{0, 300, 100, 50}, {0, 150, 100, 100}, top} << QList<double>{0, 30, 50}
        << QList<double>{80, 50, 0};
    QTest::newRow("the most grown box above wins")
        << QList<QRectF>{top, {100, 0, 100, 100}, {50, 200, 100, 50}} << QList<double>{50, 120, 0}
        << QList<double>{0, 0, 120};
}

void TestCardLayout::flow() {
    QFETCH(QList<QRectF>, boxes);
    QFETCH(QList<double>, grown);
    const std::vector<double> shifts =
        CardFlow::shifts({boxes.begin(), boxes.end()}, {grown.begin(), grown.end()});
    QTEST(QList<double>(shifts.begin(), shifts.end()), "shifts");
}

void TestCardLayout::growing_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("grows");
    QTest::newRow("a short text keeps its height")
        << int(BoxKind::Text) << lines(2, "строка") << false;
    QTest::newRow("a long text grows") << int(BoxKind::Text) << lines(40, "строка") << true;
    QTest::newRow("one long paragraph grows, wrapped")
        << int(BoxKind::Text) << QStringLiteral("слово ").repeated(300) << true;
    QTest::newRow("a short list keeps its height") << int(BoxKind::List) << items(3) << false;
    QTest::newRow("a long list grows") << int(BoxKind::List) << items(30) << true;
}

// A text or list box shows its whole value; the phrase under it moves down by as much as it
// grows, the phrase beside it stays, and the card is lengthened by as much.
void TestCardLayout::growing() {
    QFETCH(int, kind);
    QFETCH(QString, value);
    QFETCH(bool, grows);
    const Vorn vorn = SampleVorn::make({box(qint16(kind), "Растущее", {}, 2400, 1000),
                                        box(BoxKind::Phrase, "Под ним", {}, 2400, 4000),
                                        box(BoxKind::Phrase, "Рядом", {}, 6000, 4000)},
                                       {{value, "низ", "бок"}});
    const PrintedCard card = firstCard(vorn);
    QCOMPARE(card.boxes.size(), size_t(3));

    const PrintedBox& grown = card.boxes[0];
    const QSize usual = FieldBoxLayout::defaultSize(qint16(kind)).value();
    const double growth = grown.geometry.content.height() - usual.height();
    QCOMPARE(growth > 0, grows);
    // Everything shows: the lines fit inside the frame (and the margins of a text).
    const int inset =
        kind == BoxKind::Text ? BoxLook::FrameWidth + BoxLook::TextMargin : BoxLook::FrameWidth;
    QVERIFY(grown.lines->height + 2 * inset <= grown.geometry.content.height());
    QVERIFY(grown.lines->width <= grown.geometry.content.width() - 2 * inset);
    if (kind == BoxKind::List) {
        QCOMPARE(grown.rows, int(value.count(ListSeparator)));
        QCOMPARE(grown.geometry.editor.top(),
                 grown.geometry.content.bottom() + FieldBoxLayout::ListEditorGap);
    }

    QCOMPARE(card.boxes[1].at, QPointF(2400, 4000 + growth));
    QCOMPARE(card.boxes[2].at, QPointF(6000, 4000));
    QCOMPARE(card.frame.bottom(), vorn.CardHeight + growth);
    QCOMPARE(card.frame.top(), CardAreaStart.y());
    QCOMPARE(card.bounds.bottom(), card.frame.bottom());
    QVERIFY(card.bounds.top() < card.frame.top()); // room for the heading
}

void TestCardLayout::boxKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("pose");
    QTest::addColumn<int>("shownAs");
    QTest::addColumn<int>("contentWidth");
    QTest::addColumn<bool>("headerBeside"); // else above the content
    QTest::newRow("number: a phrase of its own length")
        << int(BoxKind::Number) << 5 << int(BoxKind::Phrase) << int(BoxKind::NumberLength) << true;
    QTest::newRow("phrase") << int(BoxKind::Phrase) << 1 << int(BoxKind::Phrase) << 1700 << false;
    QTest::newRow("header position 0 is the first")
        << int(BoxKind::Text) << 0 << int(BoxKind::Text) << 3000 << false;
    QTest::newRow("an unknown header position is the first")
        << int(BoxKind::List) << 40 << int(BoxKind::List) << 1500 << false;
    QTest::newRow("an unknown kind is not printed") << 9 << 1 << -1 << 0 << false;
}

// Each kind of box as the window shows it; the title's header is bold and so wider.
void TestCardLayout::boxKinds() {
    QFETCH(int, kind);
    QFETCH(int, pose);
    QFETCH(int, shownAs);
    QFETCH(int, contentWidth);
    QFETCH(bool, headerBeside);
    const QString header = QStringLiteral("Заголовок");
    const Vorn vorn = SampleVorn::make({box(qint16(kind), header, "42", 2400, 1000, qint16(pose)),
                                        box(qint16(kind), header, "42", 2400, 5000, qint16(pose))},
                                       {}, 1);
    const PrintedCard card = firstCard(vorn); // no entries: the blank card
    if (shownAs < 0) {
        QVERIFY(card.boxes.empty());
        return;
    }
    QCOMPARE(card.boxes.size(), size_t(2));
    const PrintedBox& title = card.boxes[0];
    const PrintedBox& plain = card.boxes[1];
    QCOMPARE(int(plain.type), shownAs);
    QCOMPARE(int(plain.geometry.content.width()), contentWidth);
    QVERIFY(title.title && !plain.title);
    QVERIFY(title.geometry.header.width() > plain.geometry.header.width());
    const QRectF& h = plain.geometry.header;
    const QPointF contentAt =
        headerBeside ? QPointF(h.width() + FieldBoxLayout::HeaderGap, 0) : QPointF(0, h.height());
    QCOMPARE(plain.geometry.content.topLeft(), contentAt);
}

QTEST_MAIN(TestCardLayout)
#include "tst_cardlayout.moc"
