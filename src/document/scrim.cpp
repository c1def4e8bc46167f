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

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <type_traits>

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

// An escape's two digits are looked up in two tables and the results or'ed together: the first
// table holds a digit's value times 16, the second its value, and both hold Broken for
// anything that is not a hexadecimal digit (either case), so a broken escape gives a result
// of Broken or more.
constexpr int Broken = 0x100;
constexpr std::array<qint16, 256> makeDigitTable(int weight) {
    std::array<qint16, 256> table{};
    table.fill(Broken);
    for (int c = '0'; c <= '9'; ++c)
        table[c] = qint16((c - '0') * weight);
    for (int c = 'A'; c <= 'F'; ++c)
        table[c] = table[c - 'A' + 'a'] = qint16((c - 'A' + 10) * weight);
    return table;
}
constexpr std::array<qint16, 256> HighDigit = makeDigitTable(16);
constexpr std::array<qint16, 256> LowDigit = makeDigitTable(1);

// What a character that is not an escape stands for: a blank for the blank mark, itself for
// any other printable ASCII character; 0 for the escape mark and for what no encoding holds.
constexpr std::array<char16_t, 256> makePlainTable() {
    std::array<char16_t, 256> table{};
    for (int c = 0x21; c < 0x7F; ++c)
        table[c] = char16_t(c);
    table[uchar(BlankMark)] = u' ';
    table[uchar(EscapeMark)] = 0;
    return table;
}
constexpr std::array<char16_t, 256> PlainTable = makePlainTable();

// For the commonest escaped characters, U+0080..U+07FF (Cyrillic among them): the bits that
// each of its two escapes gives, looked up by the escape's two digits together (the first
// in the low byte of the index) so that one lookup checks both digits and the byte's place
// in the character. A byte that fits its place gives Fits and its bits; anything else
// (digits that are not digits included) gives 0.
constexpr uchar Fits = 0x80;
enum class Place { Lead, Trail };
constexpr std::array<uchar, 65536> makeTwoByteTable(Place place) {
    std::array<uchar, 65536> table{};
    // Only the pairs of digits are visited: a loop over every index would be more than some
    // compilers evaluate at compile time.
    constexpr std::string_view Digits = "0123456789ABCDEFabcdef";
    for (const char high : Digits) {
        for (const char low : Digits) {
            const int byte = HighDigit[uchar(high)] | LowDigit[uchar(low)];
            const unsigned index = uchar(high) | unsigned(uchar(low)) << 8;
            if (place == Place::Lead && byte >= 0xC2 && byte <= 0xDF)
                table[index] = uchar(Fits | (byte & 0x1F));
            else if (place == Place::Trail && byte >= 0x80 && byte <= 0xBF)
                table[index] = uchar(Fits | (byte & 0x3F));
        }
    }
    return table;
}
constexpr std::array<uchar, 65536> LeadBits = makeTwoByteTable(Place::Lead);
constexpr std::array<uchar, 65536> TrailBits = makeTwoByteTable(Place::Trail);

// The decoder reads the file's bytes and, for the QString operations, UTF-16 units. A unit
// above 0xFF is looked up as 0xFF, which is neither plain nor a digit: narrowing it instead
// could turn it into a character that decodes.
template <typename Unit> uchar tableIndex(Unit unit) {
    const auto u = std::make_unsigned_t<Unit>(unit);
    if constexpr (sizeof(Unit) == 1)
        return u;
    else
        return uchar(std::min<unsigned>(u, 0xFF));
}

constexpr qsizetype EscapeSize = 3;

// The byte that the two digits at `at` spell, Broken or more when they are not digits.
template <typename Unit> int digitPair(const Unit* at) {
    return HighDigit[tableIndex(at[0])] | LowDigit[tableIndex(at[1])];
}

// The byte the escape at `at` stands for, Broken or more when it is not an escape. The
// caller has made sure that EscapeSize characters are there.
template <typename Unit> int escapedByte(const Unit* at) {
    return at[0] == EscapeMark ? digitPair(at + 1) : Broken;
}

// Whether byte is a UTF-8 continuation byte (0x80..0xBF, not broken).
bool isContinuation(int byte) {
    return (byte & (Broken | 0xC0)) == 0x80;
}

// The character U+0080..U+07FF that the two escapes at `at` spell, or -1. The caller has
// made sure that two escapes' worth of characters are there.
template <typename Unit> int twoEscapeChar(const Unit* at) {
    if (at[0] != EscapeMark || at[EscapeSize] != EscapeMark)
        return -1;
    auto index = [](const Unit* digits) {
        return unsigned(tableIndex(digits[0])) | unsigned(tableIndex(digits[1])) << 8;
    };
    const unsigned lead = LeadBits[index(at + 1)];
    const unsigned trail = TrailBits[index(at + EscapeSize + 1)];
    if (!(lead & trail & Fits))
        return -1;
    return int((lead & 0x1F) << 6 | (trail & 0x3F));
}

// Decodes the text between in and end straight into UTF-16 at out, checking the escapes and
// the UTF-8 they spell (strict: no overlong forms, no surrogates, nothing above U+10FFFF) in
// the same pass. Every unit written costs at least one character read, so out needs room
// for end - in units. Returns the end of what was written, or nullptr for a malformed text.
template <typename Unit> char16_t* decodeInto(const Unit* in, const Unit* end, char16_t* out) {
    while (in != end) {
        if (const char16_t plain = PlainTable[tableIndex(*in)]) {
            *out++ = plain;
            ++in;
            continue;
        }
        // Two escapes for U+0080..U+07FF: the commonest case after plain characters, and
        // Cyrillic words come as runs of it. Anything else takes the general way below.
        const Unit* const run = in;
        while (end - in >= 2 * EscapeSize) {
            const int c = twoEscapeChar(in);
            if (c < 0)
                break;
            *out++ = char16_t(c);
            in += 2 * EscapeSize;
        }
        if (in != run)
            continue;
        if (end - in < EscapeSize)
            return nullptr;
        const int lead = escapedByte(in);
        if (lead < 0x80) {
            *out++ = char16_t(lead);
            in += EscapeSize;
            continue;
        }
        // What is left must be a character of three or four bytes: a two-byte lead that got
        // here failed the check above, 0x80..0xC1 is a continuation byte or the start of an
        // overlong pair, and above 0xF4 every sequence lies beyond U+10FFFF. Broken escapes
        // are refused here too.
        if (lead < 0xE0 || lead > 0xF4)
            return nullptr;
        const qsizetype length = lead < 0xF0 ? 3 : 4;
        if (end - in < length * EscapeSize)
            return nullptr;
        const int b1 = escapedByte(in + EscapeSize);
        const int b2 = escapedByte(in + 2 * EscapeSize);
        if (!isContinuation(b1) || !isContinuation(b2))
            return nullptr;
        if (length == 3) {
            const char32_t u = char32_t(lead & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F);
            if (u < 0x800 || QChar::isSurrogate(u))
                return nullptr;
            *out++ = char16_t(u);
        } else {
            const int b3 = escapedByte(in + 3 * EscapeSize);
            if (!isContinuation(b3))
                return nullptr;
            const char32_t u =
                char32_t(lead & 0x07) << 18 | (b1 & 0x3F) << 12 | (b2 & 0x3F) << 6 | (b3 & 0x3F);
            if (u < 0x10000 || u > QChar::LastValidCodePoint)
                return nullptr;
            *out++ = QChar::highSurrogate(u);
            *out++ = QChar::lowSurrogate(u);
        }
        in += length * EscapeSize;
    }
    return out;
}

template <typename Unit> std::optional<QString> decodeText(const Unit* in, qsizetype size) {
    // Most values fit on the stack; the string is then made at its exact size, so a vorn
    // in memory holds no spare room for its values.
    constexpr qsizetype LocalUnits = 4096;
    char16_t local[LocalUnits];
    std::unique_ptr<char16_t[]> heap;
    char16_t* buffer = local;
    if (size > LocalUnits) {
        heap.reset(new char16_t[size_t(size)]);
        buffer = heap.get();
    }
    const char16_t* end = decodeInto(in, in + size, buffer);
    if (!end)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(buffer), end - buffer);
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
    return decodeText(encoded.data(), encoded.size());
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
    return decodeText(encoded.utf16(), encoded.size());
}

} // namespace Scrim
