// The cards as a PDF and on a printer: read back with poppler's tools (pdfinfo, pdftotext,
// pdftoppm) as a user's viewer would show them.
#include "boxkinds.h"
#include "cardprinter.h"
#include "support/poppler.h"
#include "support/samplevorn.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using SampleVorn::box;
using Outcome = CardPrinter::Outcome;
using Poppler::pageCount;
using Poppler::pageSize;
using Poppler::textOf;

namespace {

// The words of the vorn's name, of every header and of every value (or default value), and
// the heading of each card, that are not in text.
QStringList missingWords(const Vorn& vorn, const QString& text) {
    QStringList wanted{vorn.VornName};
    for (int j = 1; j <= vorn.BoxCount; ++j) {
        wanted << vorn.descriptor(j).Header;
        if (vorn.EntryCount == 0)
            wanted << vorn.descriptor(j).DefaultValue;
        for (int p = 1; p <= vorn.EntryCount; ++p)
            wanted << vorn.value(p, j);
    }
    for (int p = 1; p <= vorn.EntryCount; ++p)
        wanted << vorn.VornName + QStringLiteral(" — ") + vorn.entryCaption(p);
    QStringList missing;
    for (const QString& value : wanted) {
        const QString words = QString(value).replace(ListSeparator, QLatin1Char(' ')).simplified();
        for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (!text.contains(word))
                missing << word;
    }
    return missing;
}

// A card of every kind of box, and entries whose values are all different words.
Vorn zoo(int entries, qint16 cardHeight) {
    std::vector<QStringList> values;
    const QStringList names{"кот", "пёс", "сова", "ёж", "лис"};
    for (int p = 0; p < entries; ++p) {
        const QString n = names.value(p, QStringLiteral("зверь%1").arg(p));
        values.push_back({n, QStringLiteral("%1").arg(100 + p),
                          QStringLiteral("живёт в лесу %1\r\nлюбит ягоды %1").arg(n),
                          ListSeparator + QStringLiteral("прививка-%1").arg(n) + ListSeparator +
                              QStringLiteral("осмотр-%1").arg(n),
                          QString()});
    }
    // One row of boxes, ending 3400 below the card's top.
    Vorn vorn = SampleVorn::make({box(BoxKind::Phrase, "Кличка", "кличка?", 2400, 1000),
                                  box(BoxKind::Number, "Возраст", "1", 4400, 1000, 5),
                                  box(BoxKind::Text, "Заметки", "пусто", 6400, 1000),
                                  box(BoxKind::List, "Прививки", {}, 9800, 1000, 2),
                                  box(BoxKind::Word, "Подпись врача", {}, 11800, 1000)},
                                 values, 1);
    vorn.VornName = QStringLiteral("Зоопарк");
    vorn.CardWidth = 2200 + 12000;
    vorn.CardHeight = cardHeight;
    return vorn;
}

// Pixels of image within a small distance of colour.
int pixelsOf(const QImage& image, QColor colour) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
                    qAbs(c.blue() - colour.blue()) <
                30)
                ++found;
        }
    return found;
}

} // namespace

class TestCardPrinter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void everyCard_data();
    void everyCard();
    void tallCard();
    void picture_data();
    void picture();
    void cancelled_data();
    void cancelled();
    void pdfPaper_data();
    void pdfPaper();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString file(const QString& name) const { return dir_->filePath(name); }
};

void TestCardPrinter::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestCardPrinter::everyCard_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("cardHeight");
    QTest::addColumn<int>("pages");
    // The card is 12000 twips wide, and A4 between its margins 10770 wide and 15700 high.
    QTest::newRow("short cards share a page") << 3 << 900 + 3600 << 1;
    QTest::newRow("cards over half a page high, a page each") << 3 << 900 + 9500 << 3;
    QTest::newRow("no entries: the blank card once") << 0 << 900 + 3600 << 1;
}

// Every header, every value (the default values on the blank card) and each card's heading
// are in the output, the cards on as many pages as they need. Progress is told before the
// first card and after each, up to the total.
void TestCardPrinter::everyCard() {
    QFETCH(int, entries);
    QFETCH(int, cardHeight);
    const Vorn vorn = zoo(entries, qint16(cardHeight));
    const QString pdf = file(QStringLiteral("zoo.pdf"));
    QList<QPoint> told;
    const CardPrinter::Progress progress = [&](int done, int total) {
        told << QPoint(done, total);
        return true;
    };
    QString error;
    QCOMPARE(CardPrinter(vorn).savePdf(pdf, &error, progress), Outcome::Done);
    QVERIFY(error.isEmpty());
    QVERIFY(pageSize(pdf).contains(QStringLiteral("A4")));
    QTEST(pageCount(pdf), "pages");
    QCOMPARE(missingWords(vorn, textOf(pdf)), QStringList());
    const int cards = std::max(entries, 1);
    QList<QPoint> expected;
    for (int done = 0; done <= cards; ++done)
        expected << QPoint(done, cards);
    QCOMPARE(told, expected);
}

// Two texts of 300 lines make cards several pages high: each is scaled down onto a page of
// its own, whole.
void TestCardPrinter::tallCard() {
    QStringList text;
    for (int i = 1; i <= 300; ++i)
        text << QStringLiteral("строка%1").arg(i);
    const std::vector<QStringList> values(2, {text.join(QStringLiteral("\r\n"))});
    const Vorn vorn = SampleVorn::make({box(BoxKind::Text, "Длинный текст", {}, 2400, 1000),
                                        box(BoxKind::Phrase, "Внизу", "подвал", 2400, 3000)},
                                       values);
    const QString pdf = file(QStringLiteral("tall.pdf"));
    QString error;
    QCOMPARE(CardPrinter(vorn).savePdf(pdf, &error), Outcome::Done);
    QCOMPARE(pageCount(pdf), 2);
    for (int page = 1; page <= 2; ++page) {
        const QString text =
            Poppler::run(QStringLiteral("pdftotext"),
                         {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                          QString::number(page), pdf, QStringLiteral("-")});
        for (const QString& line :
             {QStringLiteral("строка1"), QStringLiteral("строка300"), QStringLiteral("Внизу")})
            QVERIFY2(text.contains(line), qPrintable(line));
    }
}

void TestCardPrinter::picture_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("shown");
    QTest::newRow("in the vorn's folder") << QStringLiteral(".\\Зоопарк\\кот.png") << true;
    QTest::newRow("a missing file") << QStringLiteral(".\\Зоопарк\\нет.png") << false;
}

// The picture of a picture box is drawn: its colour shows on the rendered page.
void TestCardPrinter::picture() {
    QFETCH(QString, value);
    QFETCH(bool, shown);
    const QColor magenta(200, 30, 170);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Зоопарк")));
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(magenta);
    QVERIFY(picture.save(file(QStringLiteral("Зоопарк/кот.png"))));

    Vorn vorn = SampleVorn::make({box(BoxKind::Picture, "Фото", {}, 2400, 1000, 11)}, {{value}});
    vorn.StartDir = dir_->path();
    const QString pdf = file(QStringLiteral("picture.pdf"));
    QString error;
    QCOMPARE(CardPrinter(vorn).savePdf(pdf, &error), Outcome::Done);
    Poppler::run(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"),
                  QStringLiteral("-singlefile"), pdf, file(QStringLiteral("page"))});
    const QImage page(file(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    // 120 x 90 pixels are 1.25 x 0.94 inches on screen; on paper the card is scaled up.
    const int area = int(1.25 * 30 * 0.94 * 30);
    const int found = pixelsOf(page, magenta);
    QCOMPARE(found >= area, shown);
    QCOMPARE(found == 0, !shown);
}

void TestCardPrinter::cancelled_data() {
    QTest::addColumn<int>("stopAt");  // the progress report that answers "stop"
    QTest::addColumn<bool>("before"); // a file was there before
    QTest::newRow("before the first card") << 0 << false;
    QTest::newRow("over an older file") << 1 << true;
}

// A cancelled PDF leaves no file, and an older file as it was.
void TestCardPrinter::cancelled() {
    QFETCH(int, stopAt);
    QFETCH(bool, before);
    QFile old(file(QStringLiteral("zoo.pdf")));
    const QByteArray older("older");
    if (before)
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(older) == older.size());
    old.close();
    const CardPrinter::Progress progress = [&](int done, int) { return done != stopAt; };
    QString error;
    QCOMPARE(CardPrinter(zoo(3, 900 + 3600)).savePdf(old.fileName(), &error, progress),
             Outcome::Cancelled);
    QVERIFY(error.isEmpty());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files),
             before ? QStringList{QStringLiteral("zoo.pdf")} : QStringList());
    if (before) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), older);
    }
}

void TestCardPrinter::pdfPaper_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("paper");
    QTest::newRow("Russia") << QLocale(QLocale::Russian, QLocale::Russia) << int(QPageSize::A4);
    QTest::newRow("United States")
        << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
}

void TestCardPrinter::pdfPaper() {
    QFETCH(QLocale, locale);
    QTEST(int(CardPrinter::pdfPageSize(locale).id()), "paper");
}

QTEST_MAIN(TestCardPrinter)
#include "tst_cardprinter.moc"
