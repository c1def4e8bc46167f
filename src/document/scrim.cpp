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

#include <array>

namespace {

constexpr char NumberMark = '#';
constexpr char EscapeMark = '%';
constexpr char BlankMark = '_';
constexpr char Hex[] = "0123456789ABCDEF";

// What each byte becomes: 0 = escaped, otherwise the character written for it.
constexpr std::array<char, 256> makeEncodeTable() {
    std::array<char, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = char(c);
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = char(c);
    for (int c = '0'; c <= '9'; ++c)
        table[c] = char(c);
    table[' '] = BlankMark;
    return table;
}
constexpr std::array<char, 256> EncodeTable = makeEncodeTable();

int hexValue(uchar c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Writes the encoded form of one byte at out and returns the position after it.
char* putByte(char* out, uchar c) {
    if (const char plain = EncodeTable[c]) {
        *out++ = plain;
    } else {
        *out++ = EscapeMark;
        *out++ = Hex[c >> 4];
        *out++ = Hex[c & 0x0F];
    }
    return out;
}

// Writes the UTF-8 bytes of one code point, each in its encoded form.
char* putCodePoint(char* out, char32_t u) {
    if (u < 0x80)
        return putByte(out, uchar(u));
    if (u < 0x800) {
        out = putByte(out, uchar(0xC0 | (u >> 6)));
        return putByte(out, uchar(0x80 | (u & 0x3F)));
    }
    if (u < 0x10000) {
        out = putByte(out, uchar(0xE0 | (u >> 12)));
        out = putByte(out, uchar(0x80 | ((u >> 6) & 0x3F)));
        return putByte(out, uchar(0x80 | (u & 0x3F)));
    }
    out = putByte(out, uchar(0xF0 | (u >> 18)));
    out = putByte(out, uchar(0x80 | ((u >> 12) & 0x3F)));
    out = putByte(out, uchar(0x80 | ((u >> 6) & 0x3F)));
    return putByte(out, uchar(0x80 | (u & 0x3F)));
}

// One UTF-16 unit becomes at most three UTF-8 bytes of at most three characters each.
constexpr qsizetype MaxCharsPerUnit = 9;

// Strict UTF-8: no overlong forms, no encoded surrogates, nothing above U+10FFFF.
bool isValidUtf8(const uchar* p, const uchar* end) {
    auto continuation = [&](int n) {
        if (end - p < n)
            return false;
        for (int k = 0; k < n; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return false;
        return true;
    };
    while (p != end) {
        const uchar c = *p++;
        if (c < 0x80)
            continue;
        if (c >= 0xC2 && c <= 0xDF) {
            if (!continuation(1))
                return false;
            p += 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            if (!continuation(2) || (c == 0xE0 && p[0] < 0xA0) || (c == 0xED && p[0] > 0x9F))
                return false;
            p += 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            if (!continuation(3) || (c == 0xF0 && p[0] < 0x90) || (c == 0xF4 && p[0] > 0x8F))
                return false;
            p += 3;
        } else {
            return false;
        }
    }
    return true;
}

bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

std::optional<qint16> decodeNumber(QByteArrayView encoded) {
    const auto size = encoded.size();
    if (size < 2 || encoded[0] != NumberMark)
        return std::nullopt;
    qsizetype i = 1;
    const bool negative = encoded[i] == '-';
    if (negative)
        ++i;
    if (i == size)
        return std::nullopt;
    // Anything past 32768 is already out of range, so the sum never grows beyond that.
    long value = 0;
    for (; i < size; ++i) {
        const auto c = encoded[i];
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

} // namespace

namespace Scrim {

void appendEncodedNum(QByteArray& out, qint16 n) {
    out.append(NumberMark);
    out.append(QByteArray::number(n));
}

void appendEncodedStr(QByteArray& out, QStringView text) {
    const qsizetype size = text.size();
    const char16_t* chars = text.utf16();
    const qsizetype start = out.size();
    out.resize(start + size * MaxCharsPerUnit);
    char* at = out.data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        if (c < 0x80) {
            at = putByte(at, uchar(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                   QChar::isLowSurrogate(chars[i + 1])) {
            at = putCodePoint(at, QChar::surrogateToUcs4(c, chars[i + 1]));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            at = putCodePoint(at, QChar::ReplacementCharacter); // a lone half of a pair
        } else {
            at = putCodePoint(at, c);
        }
    }
    out.truncate(at - out.constData());
}

std::optional<qint16> decodeNum(QByteArrayView encoded) {
    return decodeNumber(encoded);
}

std::optional<QString> decodeStr(QByteArrayView encoded) {
    QByteArray bytes;
    bytes.resize(encoded.size());
    char* out = bytes.data();
    bool ascii = true;
    const qsizetype size = encoded.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = uchar(encoded[i]);
        if (c == BlankMark) {
            *out++ = ' ';
        } else if (c == EscapeMark) {
            if (i + 2 >= size)
                return std::nullopt;
            const int high = hexValue(uchar(encoded[i + 1]));
            const int low = hexValue(uchar(encoded[i + 2]));
            if (high < 0 || low < 0)
                return std::nullopt;
            const int byte = high * 16 + low;
            ascii = ascii && byte < 0x80;
            *out++ = char(byte);
            i += 2;
        } else if (c > 0x20 && c < 0x7F) {
            *out++ = char(c);
        } else {
            return std::nullopt;
        }
    }
    bytes.truncate(out - bytes.data());
    if (ascii)
        return QString::fromLatin1(bytes);
    const auto* begin = reinterpret_cast<const uchar*>(bytes.constData());
    if (!isValidUtf8(begin, begin + bytes.size()))
        return std::nullopt;
    // fromUtf8 drops a byte order mark at the start; here it is a character like any other.
    QByteArrayView rest(bytes);
    QString marks;
    while (rest.startsWith("\xEF\xBB\xBF")) {
        marks += QChar(QChar::ByteOrderMark);
        rest = rest.sliced(3);
    }
    return marks + QString::fromUtf8(rest);
}

QString EncodeNum(qint16 n) {
    QByteArray out;
    appendEncodedNum(out, n);
    return QString::fromLatin1(out);
}

QString EncodeStr(const QString& text) {
    QByteArray out;
    appendEncodedStr(out, text);
    return QString::fromLatin1(out);
}

// Only ASCII can be a valid encoding; the check keeps toLatin1 from folding other
// characters into ones that would decode.
std::optional<qint16> DecodeNum(const QString& encoded) {
    if (!isAscii(encoded))
        return std::nullopt;
    return decodeNumber(encoded.toLatin1());
}

std::optional<QString> DecodeStr(const QString& encoded) {
    if (!isAscii(encoded))
        return std::nullopt;
    return decodeStr(encoded.toLatin1());
}

} // namespace Scrim
