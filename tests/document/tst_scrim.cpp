// Scrim's text decoder against the decoding rules written out plainly: every escape form,
// broken escapes, every way UTF-8 can be malformed, and the QString entry point's own refusals.
#include "scrim.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// One code point as UTF-16 (QString::fromUcs4 would drop a byte order mark).
QString character(char32_t u) {
    const QChar pair[] = {QChar(QChar::highSurrogate(u)), QChar(QChar::lowSurrogate(u))};
    return u < 0x10000 ? QString(QChar(char16_t(u))) : QString(pair, 2);
}

// The rules one step at a time: the escapes and marks to bytes, then the bytes as strict UTF-8
// one code point at a time. Slow and obvious on purpose; the codec must agree with it.
std::optional<QString> referenceDecode(QByteArrayView encoded) {
    auto hex = [](char c) {
        const auto at = QByteArray("0123456789abcdef0123456789ABCDEF").indexOf(c);
        return at < 0 ? -1 : int(at % 16);
    };
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '%') {
            if (i + 2 >= encoded.size() || hex(encoded[i + 1]) < 0 || hex(encoded[i + 2]) < 0)
                return std::nullopt;
            bytes += char(hex(encoded[i + 1]) * 16 + hex(encoded[i + 2]));
            i += 2;
        } else if (c == '_') {
            bytes += ' ';
        } else if (c > ' ' && c < 0x7F) {
            bytes += c;
        } else {
            return std::nullopt;
        }
    }
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = uchar(bytes[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC0 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF8 ? 4
                                                         : 0;
        if (length == 0 || i + length > bytes.size())
            return std::nullopt;
        char32_t u = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = uchar(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            u = u << 6 | (next & 0x3F);
        }
        constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000}; // shorter forms are overlong
        if (u < Least[length] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)
            return std::nullopt;
        text += character(u);
        i += length;
    }
    return text;
}

void checkAgainstReference(const QByteArray& encoded) {
    const auto expected = referenceDecode(encoded);
    QCOMPARE(Scrim::decodeStr(encoded), expected);
    // The same text as a QString: bytes above 0x7F become characters that must be refused too.
    QCOMPARE(Scrim::DecodeStr(QString::fromLatin1(encoded)), expected);
}

// A random encoded text: mostly well-formed pieces, with broken ones often enough to matter.
QByteArray randomEncoded(QRandomGenerator& random) {
    static const QByteArray plain("azAZ09_#-.!~\"'");
    QByteArray out;
    for (int piece = int(random.bounded(12)); piece > 0; --piece) {
        switch (random.bounded(8)) {
        case 0: // a plain character
            out += plain[random.bounded(int(plain.size()))];
            break;
        case 1: // a run of Cyrillic, the common case of a vorn
            out += Scrim::EncodeStr(QStringLiteral("ёлка")).toLatin1();
            break;
        case 2: { // any character at all, well encoded (a lone surrogate becomes U+FFFD)
            const char32_t u = random.bounded(0x110000);
            QByteArray one;
            Scrim::appendEncodedStr(one, character(u));
            out += random.bounded(2) ? one : one.toLower();
            break;
        }
        case 3: // any byte, escaped
            out += '%' + QByteArray::number(random.bounded(256) + 256, 16).right(2).toUpper();
            break;
        case 4: // the start of a well-encoded character, cut short
            out += Scrim::EncodeStr(QStringLiteral("€")).toLatin1().left(int(random.bounded(9)));
            break;
        case 5: // an escape mark with whatever follows
            out += '%';
            break;
        case 6: // a byte no encoding holds
            out += char(random.bounded(2) ? random.bounded(0x21) : random.bounded(0x7F, 0x100));
            break;
        default: // a valid continuation byte, wherever it falls
            out += "%" + QByteArray::number(0x80 + random.bounded(0x40), 16).toUpper();
        }
    }
    return out;
}

} // namespace

class TestScrim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodeMatchesReference_data() {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<bool>("accepted");
        const QList<std::tuple<const char*, QByteArray, bool>> rows = {
            {"empty", "", true},
            {"letters and digits", "Moscow2024", true},
            {"blank mark", "_a__b_", true},
            {"printable ASCII as itself", "!\"#$&'()*+,-./:;<=>?@[\\]^`{|}~", true},
            {"number", "#-32768", true},
            {"version line", "version_#1", true},
            {"escaped ASCII", "%41%5F%25%2C%00%7F", true},
            {"lower-case and mixed hex", "%d0%ba%D0%bA%d0%Ba", true},
            {"mixed ASCII and Cyrillic", "%D0%81%D0%BB%D0%BA%D0%B0_%D0%B8_tree_%E2%84%96", true},
            {"two-byte bounds", "%C2%80%DF%BF", true},
            {"three-byte bounds", "%E0%A0%80%ED%9F%BF%EE%80%80%EF%BF%BF", true},
            {"four-byte bounds", "%F0%90%80%80%F4%8F%BF%BF", true},
            {"emoji", "%F0%9F%90%88_%F0%9F%91%8D%F0%9F%8F%BD", true},
            {"byte order marks kept", "%EF%BB%BF%EF%BB%BFa%EF%BB%BF", true},
            {"escape mark alone", "%", false},
            {"escape cut after one digit", "ab%4", false},
            {"escape at the end", "ab%", false},
            {"first digit not hex", "%G1", false},
            {"second digit not hex", "%1g", false},
            {"escape of an escape mark", "%%41", false},
            {"blank inside escape", "% 41", false},
            {"raw blank", "a b", false},
            {"raw tab", "a\tb", false},
            {"raw line feed", "a\nb", false},
            {"raw DEL", "a\x7f", false},
            {"raw NUL", QByteArray("a\0b", 3), false},
            {"raw Latin-1 byte", "caf\xe9", false},
            {"raw UTF-8", "\xd0\xba", false},
            {"lone continuation", "%80", false},
            {"last continuation", "a%BF", false},
            {"two-byte cut", "%D0", false},
            {"three-byte cut", "%E2%82", false},
            {"four-byte cut", "%F0%9F%90", false},
            {"lead then ASCII", "%D0A", false},
            {"lead then escaped ASCII", "%D0%41", false},
            {"lead then broken escape", "%D0%B", false},
            {"lead then blank mark", "%D0_", false},
            {"lead then lead", "%D0%D0%BA", false},
            {"lead, then digits without their mark", "%D0xBA", false},
            {"lead, blank mark, digits", "%D0_BA%D0%BA", false},
            {"overlong NUL", "%C0%80", false},
            {"overlong two-byte", "%C1%BF", false},
            {"overlong three-byte", "%E0%9F%BF", false},
            {"overlong four-byte", "%F0%8F%BF%BF", false},
            {"first surrogate", "%ED%A0%80", false},
            {"last surrogate", "%ED%BF%BF", false},
            {"surrogate pair as two characters", "%ED%A0%BD%ED%B0%88", false},
            {"above U+10FFFF", "%F4%90%80%80", false},
            {"lead F5", "%F5%80%80%80", false},
            {"lead F8", "%F8%88%80%80%80", false},
            {"byte FE", "%FE", false},
            {"byte FF", "%FF", false},
            {"good text, bad end", "%D0%BA%D0%BE%D1%82%D0", false},
        };
        for (const auto& [name, encoded, accepted] : rows)
            QTest::newRow(name) << encoded << accepted;
        // Long values, beyond any small buffer a decoder might keep.
        const QByteArray cyrillic = QByteArray("%D0%BA").repeated(3000);
        QTest::newRow("long Cyrillic") << cyrillic << true;
        QTest::newRow("long ASCII") << QByteArray("ab_").repeated(5000) << true;
        QTest::newRow("long, cut at the end") << cyrillic + "%D0%B" << false;
        QTest::newRow("long, bad in the middle")
            << cyrillic + "%C0%80" + cyrillic.left(600) << false;
    }
    void decodeMatchesReference() {
        QFETCH(QByteArray, encoded);
        QFETCH(bool, accepted);
        QCOMPARE(referenceDecode(encoded).has_value(), accepted);
        checkAgainstReference(encoded);
    }

    void randomTextsMatchReference() {
        QRandomGenerator random(20240917);
        int accepted = 0;
        for (int round = 0; round < 30000; ++round) {
            const QByteArray encoded = randomEncoded(random);
            checkAgainstReference(encoded);
            if (QTest::currentTestFailed())
                QFAIL(encoded.constData());
            accepted += referenceDecode(encoded).has_value();
        }
        // Both answers are common, or the comparison proved little.
        QVERIFY2(accepted > 3000 && accepted < 27000, qPrintable(QString::number(accepted)));
    }

    // The reader hands over views into a larger buffer: a view cut inside a character must be
    // refused, even though the bytes after it would complete that character. Each cut is
    // also decoded from a copy of exactly its size, where reading past it is a sanitizer error.
    void decodeReadsOnlyItsView() {
        const QByteArray whole = "a%41%D0%BA%E2%82%AC%F0%9F%90%88_";
        const QString wide = QString::fromLatin1(whole);
        for (qsizetype n = 0; n <= whole.size(); ++n) {
            const auto expected = referenceDecode(whole.first(n));
            const std::vector<char> bytes(whole.begin(), whole.begin() + n);
            const std::vector<QChar> units(wide.begin(), wide.begin() + n);
            QCOMPARE(Scrim::decodeStr(QByteArrayView(whole).first(n)), expected);
            QCOMPARE(Scrim::decodeStr(QByteArrayView(bytes.data(), n)), expected);
            QCOMPARE(Scrim::DecodeStr(QString::fromRawData(units.data(), n)), expected);
        }
    }

    // toLatin1 would turn these into characters that decode ('%', '1', 'A', '_', '?');
    // only ASCII is an encoding.
    void decodeRefusesWideCharacters_data() {
        QTest::addColumn<QString>("encoded");
        QTest::newRow("low byte '%'") << QChar(0x0125) + QStringLiteral("41");
        QTest::newRow("low byte hex digit") << QStringView(u"%4\u0131").toString();
        QTest::newRow("low byte letter") << QStringView(u"ab\u0141").toString();
        QTest::newRow("low byte blank mark") << QStringView(u"\u015f").toString();
        QTest::newRow("Cyrillic") << QStringLiteral("кот");
        QTest::newRow("surrogate pair") << QStringLiteral("a🐈");
    }
    void decodeRefusesWideCharacters() {
        QFETCH(QString, encoded);
        QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>());
        QCOMPARE(Scrim::DecodeNum(encoded), std::optional<qint16>());
    }
};

QTEST_GUILESS_MAIN(TestScrim)
#include "tst_scrim.moc"
