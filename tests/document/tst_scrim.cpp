#include "scrim.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <limits>

namespace {

// What a file line may hold: printable ASCII only, no comma, no leading double quote and no
// blank at either end (an empty line is fine).
QString lineSafetyProblem(const QString& encoded) {
    for (const QChar c : encoded) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return QStringLiteral("character U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        if (c == QLatin1Char(','))
            return QStringLiteral("comma");
    }
    if (encoded.startsWith(QLatin1Char('"')))
        return QStringLiteral("leading double quote");
    if (encoded.startsWith(QLatin1Char(' ')) || encoded.endsWith(QLatin1Char(' ')))
        return QStringLiteral("blank at an end");
    return {};
}

QString codePoints(char32_t from, char32_t to) {
    QString text;
    for (char32_t u = from; u <= to; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue; // surrogates are halves of characters, not characters
        const char32_t one[] = {u};
        text += QString::fromUcs4(one, 1);
    }
    return text;
}

} // namespace

class TestScrim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("version word") << QStringLiteral("version ");
        QTest::newRow("printable ASCII") << codePoints(0x20, 0x7E);
        QTest::newRow("control characters") << codePoints(0x00, 0x1F) + QChar(0x7F);
        QTest::newRow("escape marks") << QStringLiteral("_%__%%25_x");
        QTest::newRow("blanks at both ends") << QStringLiteral("  кот  ");
        QTest::newRow("line breaks and commas") << QStringLiteral("a\r\nb,c\n\"d\"\re");
        QTest::newRow("Cyrillic") << QStringLiteral("Съешь же ещё этих мягких французских булок, "
                                                    "да выпей чаю. ЁЛКА ёлка");
        QTest::newRow("list value") << QStringLiteral("\vкот\vпёс\vрыба");
        QTest::newRow("picture path") << QStringLiteral(".\\зоопарк\\кот 1.bmp");
        QTest::newRow("emoji") << QStringLiteral("🐈 и 🐕‍🦺, 👍🏽");
        QTest::newRow("outside Windows-1251") << QStringLiteral("Ωμέγα 中文 ÿ ŝ ﬁ €");
        QTest::newRow("byte order mark first") << QStringLiteral("\uFEFFtext");
        QTest::newRow("NUL inside") << QString(QChar(0)) + QStringLiteral("a") + QChar(0);
        QTest::newRow("Latin-1 and BMP") << codePoints(0x80, 0x2FFF);
        QTest::newRow("rest of BMP") << codePoints(0x3000, 0xFFFF);
        QTest::newRow("supplementary planes") << codePoints(0x10000, 0x10FFFF);
        QString longText;
        for (int i = 0; i < 20000; ++i)
            longText += QStringLiteral("строка %1; ").arg(i);
        QTest::newRow("long text") << longText;

        // Every character a Windows-1251 file can hold.
        QStringDecoder cp1251("windows-1251");
        if (cp1251.isValid()) {
            QByteArray all;
            for (int b = 1; b < 256; ++b)
                all.append(char(b));
            QTest::newRow("all of Windows-1251") << QString(cp1251.decode(all));
        } else {
            QTest::newRow("Windows-1251 letters") << codePoints(0x0400, 0x045F);
        }
    }
    void textRoundTrip() {
        QFETCH(QString, text);
        const QString encoded = Scrim::EncodeStr(text);
        QCOMPARE(lineSafetyProblem(encoded), QString());
        QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>(text));
    }

    void randomTextsRoundTrip() {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 3000; ++round) {
            QString text;
            const int length = int(random.bounded(0, 60));
            for (int i = 0; i < length; ++i) {
                // Mostly small code points (blanks, marks, Cyrillic), sometimes any at all.
                char32_t u = random.bounded(4) == 0 ? char32_t(random.bounded(0x110000))
                                                    : char32_t(random.bounded(0x500));
                if (u >= 0xD800 && u <= 0xDFFF)
                    u = 0x20;
                const char32_t one[] = {u};
                text += QString::fromUcs4(one, 1);
            }
            const QString encoded = Scrim::EncodeStr(text);
            QCOMPARE(lineSafetyProblem(encoded), QString());
            QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>(text));
        }
    }

    void loneSurrogatesAreSafe_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("high alone") << QString(QChar(0xD800));
        QTest::newRow("low alone") << QString(QChar(0xDC00));
        QTest::newRow("reversed pair") << QString(QChar(0xDC00)) + QChar(0xD800);
        QTest::newRow("high before text") << QString(QChar(0xDBFF)) + QStringLiteral("кот");
    }
    void loneSurrogatesAreSafe() {
        QFETCH(QString, text);
        const QString encoded = Scrim::EncodeStr(text);
        QCOMPARE(lineSafetyProblem(encoded), QString());
        // Such a text cannot be kept exactly; it must still decode to something.
        QVERIFY(Scrim::DecodeStr(encoded).has_value());
    }

    void everyNumberRoundTrips() {
        for (int n = std::numeric_limits<qint16>::min(); n <= std::numeric_limits<qint16>::max();
             ++n) {
            const QString encoded = Scrim::EncodeNum(qint16(n));
            if (!lineSafetyProblem(encoded).isEmpty() || Scrim::DecodeNum(encoded) != qint16(n))
                QFAIL(qPrintable(QStringLiteral("%1 encodes as \"%2\"").arg(n).arg(encoded)));
            // A count line of an old file must never pass for the version line.
            const auto asText = Scrim::DecodeStr(encoded);
            if (asText && asText->startsWith(QStringLiteral("version")))
                QFAIL(qPrintable(QStringLiteral("%1 reads as a version line").arg(n)));
        }
    }

    void versionLine() {
        const QString word = Scrim::EncodeStr(QStringLiteral("version "));
        QCOMPARE(word.size(), 8);
        const QString line = word + Scrim::EncodeNum(1);
        const auto decoded = Scrim::DecodeStr(line);
        QVERIFY(decoded.has_value());
        QCOMPARE(decoded->left(7), QStringLiteral("version"));
        QCOMPARE(Scrim::DecodeNum(line.mid(8)), std::optional<qint16>(1));
    }

    void malformedText_data() {
        QTest::addColumn<QString>("encoded");
        QTest::newRow("escape at the end") << QStringLiteral("ab%");
        QTest::newRow("escape cut short") << QStringLiteral("ab%4");
        QTest::newRow("escape not hex") << QStringLiteral("%G1");
        QTest::newRow("blank") << QStringLiteral("a b");
        QTest::newRow("tab") << QStringLiteral("a\tb");
        QTest::newRow("line feed") << QStringLiteral("a\nb");
        QTest::newRow("DEL") << QStringLiteral("a\x7F");
        QTest::newRow("non-ASCII letter") << QStringLiteral("кот");
        QTest::newRow("byte FF") << QStringLiteral("%FF");
        QTest::newRow("UTF-8 sequence cut") << QStringLiteral("%D0");
        QTest::newRow("continuation alone") << QStringLiteral("%80");
        QTest::newRow("overlong NUL") << QStringLiteral("%C0%80");
        QTest::newRow("encoded surrogate") << QStringLiteral("%ED%A0%80");
        QTest::newRow("beyond U+10FFFF") << QStringLiteral("%F4%90%80%80");
    }
    void malformedText() {
        QFETCH(QString, encoded);
        QCOMPARE(Scrim::DecodeStr(encoded), std::nullopt);
    }

    void lenientTextDecoding_data() {
        QTest::addColumn<QString>("encoded");
        QTest::addColumn<QString>("text");
        QTest::newRow("number as text") << QStringLiteral("#-12") << QStringLiteral("#-12");
        QTest::newRow("lower-case hex") << QStringLiteral("%d0%ba") << QStringLiteral("к");
        QTest::newRow("punctuation") << QStringLiteral("a.b-c") << QStringLiteral("a.b-c");
    }
    void lenientTextDecoding() {
        QFETCH(QString, encoded);
        QFETCH(QString, text);
        QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>(text));
    }

    void numberDecoding_data() {
        QTest::addColumn<QString>("encoded");
        QTest::addColumn<int>("number"); // -100000: refused
        const int refused = -100000;
        QTest::newRow("empty") << QString() << refused;
        QTest::newRow("mark only") << QStringLiteral("#") << refused;
        QTest::newRow("sign only") << QStringLiteral("#-") << refused;
        QTest::newRow("no mark") << QStringLiteral("12") << refused;
        QTest::newRow("plus sign") << QStringLiteral("#+1") << refused;
        QTest::newRow("trailing letter") << QStringLiteral("#1a") << refused;
        QTest::newRow("inner blank") << QStringLiteral("# 1") << refused;
        QTest::newRow("text") << QStringLiteral("version_") << refused;
        QTest::newRow("above 16 bits") << QStringLiteral("#32768") << refused;
        QTest::newRow("below 16 bits") << QStringLiteral("#-32769") << refused;
        QTest::newRow("very long") << QStringLiteral("#123456789012345678901234567890") << refused;
        QTest::newRow("leading zeros") << QStringLiteral("#0007") << 7;
        QTest::newRow("many leading zeros") << QStringLiteral("#000000000000000000001") << 1;
        QTest::newRow("minus zero") << QStringLiteral("#-0") << 0;
        QTest::newRow("lowest") << QStringLiteral("#-32768") << -32768;
        QTest::newRow("highest") << QStringLiteral("#32767") << 32767;
    }
    void numberDecoding() {
        QFETCH(QString, encoded);
        QFETCH(int, number);
        const auto decoded = Scrim::DecodeNum(encoded);
        if (number == -100000)
            QCOMPARE(decoded, std::nullopt);
        else
            QCOMPARE(decoded, std::optional<qint16>(qint16(number)));
    }
};

QTEST_GUILESS_MAIN(TestScrim)
#include "tst_scrim.moc"
