// Scrim's text decoder against the decoding rules written out plainly: every escape form,
// broken escapes, every way UTF-8 can be malformed, and the QString entry point's own refusals.
#include "scrim.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

namespace {

// The rules one step at a time: the escapes and marks to bytes, then the bytes through Qt's
// own strict UTF-8 decoder, which keeps a byte order mark as a character when told to. The
// codec must agree with it.
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
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? std::nullopt : std::optional(text);
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
        case 2: { // any character at all, well encoded
            const char32_t u = random.bounded(0x110000);
            QByteArray one;
            Scrim::appendEncodedStr(one, QString::fromUcs4(&u, 1));
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
            {"escaped ASCII", "%41%5F%25%2C%00%7F", true},
            {"lower-case and mixed hex", "%d0%ba%D0%bA%d0%Ba", true},
            {"mixed ASCII and Cyrillic", "%D0%81%D0%BB%D0%BA%D0%B0_%D0%B8_tree_%E2%84%96", true},
            {"two-byte bounds", "%C2%80%DF%BF", true},
            {"three-byte bounds", "%E0%A0%80%ED%9F%BF%EE%80%80%EF%BF%BF", true},
            {"four-byte bounds", "%F0%90%80%80%F4%8F%BF%BF", true},
            {"byte order marks kept", "%EF%BB%BF%EF%BB%BFa%EF%BB%BF", true},
            {"escape of an escape mark", "%%41", false},
            {"lead then escaped ASCII", "%D0%41", false},
            {"lead then lead", "%D0%D0%BA", false},
            {"lead, then digits without their mark", "%D0xBA", false},
            {"overlong two-byte", "%C1%BF", false},
            {"overlong three-byte", "%E0%9F%BF", false},
            {"overlong four-byte", "%F0%8F%BF%BF", false},
            {"first surrogate", "%ED%A0%80", false},
            {"last surrogate", "%ED%BF%BF", false},
            {"surrogate pair as two characters", "%ED%A0%BD%ED%B0%88", false},
            {"above U+10FFFF", "%F4%90%80%80", false},
            {"lead F5", "%F5%80%80%80", false},
            {"byte FF", "%FF", false},
        };
        for (const auto& [name, encoded, accepted] : rows)
            QTest::newRow(name) << encoded << accepted;
        // Long values, beyond any small buffer a decoder might keep.
        const QByteArray cyrillic = QByteArray("%D0%BA").repeated(3000);
        QTest::newRow("long Cyrillic") << cyrillic << true;
        QTest::newRow("long ASCII") << QByteArray("ab_").repeated(5000) << true;
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

    // Narrowing these would turn them into characters that decode ('1', '_', '?'): only ASCII
    // is an encoding.
    void decodeRefusesWideCharacters_data() {
        QTest::addColumn<QString>("encoded");
        QTest::newRow("low byte hex digit") << QStringView(u"%4\u0131").toString();
        QTest::newRow("low byte blank mark") << QStringView(u"\u015f").toString();
        QTest::newRow("Cyrillic") << QStringLiteral("кот");
    }
    void decodeRefusesWideCharacters() {
        QFETCH(QString, encoded);
        QCOMPARE(Scrim::DecodeStr(encoded), std::optional<QString>());
    }
};

QTEST_GUILESS_MAIN(TestScrim)
#include "tst_scrim.moc"
