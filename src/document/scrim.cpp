// Scrim: the encoded form of every value in a vorn file.
//
// Texts. The text is taken as UTF-8 bytes, and each byte is written as
//   - itself, for the ASCII letters A-Z, a-z and the digits 0-9;
//   - '_' for a blank (0x20);
//   - '%' and two upper-case hexadecimal digits for every other byte, '_' and '%' included.
// "version " is therefore "version_", and the empty text stays empty. The result is plain
// ASCII and never holds a CR, LF, comma, double quote or blank, so it is always one field of
// one line. Decoding also takes any other printable ASCII character except '%' as itself
// (and hexadecimal digits in either case); that lets a number written straight after a text
// be read back as part of it, which the version line relies on. Anything else — a blank, a
// control or non-ASCII character, a broken "%" escape, bytes that are not valid UTF-8 — makes
// the input malformed.
//
// Numbers. A 16-bit number is '#' followed by its decimal digits, with '-' in front of the
// digits of a negative one: 1 is "#1", -1 is "#-1". Decoding accepts leading zeros and
// refuses anything outside -32768..32767.
#include "scrim.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

constexpr char NumberMark = '#';
constexpr char EscapeMark = '%';
constexpr char BlankMark = '_';

bool isAlnum(uchar c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

namespace Scrim {

QString EncodeNum(qint16 n) {
    return QLatin1Char(NumberMark) + QString::number(n);
}

QString EncodeStr(const QString& text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = uchar(ch);
        if (isAlnum(c)) {
            out.append(char(c));
        } else if (c == ' ') {
            out.append(BlankMark);
        } else {
            out.append(EscapeMark);
            out.append(Hex[c >> 4]);
            out.append(Hex[c & 0x0F]);
        }
    }
    return QString::fromLatin1(out);
}

std::optional<qint16> DecodeNum(const QString& encoded) {
    if (encoded.size() < 2 || encoded.at(0) != QLatin1Char(NumberMark))
        return std::nullopt;
    qsizetype i = 1;
    const bool negative = encoded.at(i) == QLatin1Char('-');
    if (negative)
        ++i;
    if (i == encoded.size())
        return std::nullopt;
    // Anything past 32768 is already out of range, so the sum never grows beyond that.
    long value = 0;
    for (; i < encoded.size(); ++i) {
        const char16_t c = encoded.at(i).unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 32767)
        return std::nullopt;
    return qint16(value);
}

std::optional<QString> DecodeStr(const QString& encoded) {
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char16_t c = encoded.at(i).unicode();
        if (c == BlankMark) {
            bytes.append(' ');
        } else if (c == EscapeMark) {
            if (i + 2 >= encoded.size())
                return std::nullopt;
            const int high = hexValue(encoded.at(i + 1).unicode());
            const int low = hexValue(encoded.at(i + 2).unicode());
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes.append(char(high * 16 + low));
            i += 2;
        } else if (c > 0x20 && c < 0x7F) {
            bytes.append(char(c));
        } else {
            return std::nullopt;
        }
    }
    // Strict UTF-8: a byte order mark at the start is a character like any other here.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace Scrim
