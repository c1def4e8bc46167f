// Arbitrary bytes into the vorn file reader and the Scrim operations. Besides crashes and
// sanitizer reports, it stops on a broken promise: a loaded vorn that is not sound, a file
// that does not read back as written, a decoded value that does not survive encoding.
#include "scrim.h"
#include "vornfile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

QByteArray writeToBytes(const Vorn& vorn) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    require(writeVorn(buffer, vorn));
    return buffer.data();
}

LoadResult readFromBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readVorn(buffer, Vorn(), [] { return QStringLiteral("fuzz"); });
}

void checkSound(const Vorn& v) {
    require(v.BoxCount >= 0 && v.BoxCount <= VornLimits::MaxBoxes);
    require(v.EntryCount >= 0 && v.EntryCount <= VornLimits::MaxEntries);
    require(v.TitleBox == VornLimits::NoTitle || (v.TitleBox >= 1 && v.TitleBox <= v.BoxCount));
    for (int p = 1; p <= v.EntryCount; ++p)
        require(v.entryOrder(p) == p);
    require(!v.Unlocked && !v.Modified);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const LoadResult loaded = readFromBytes(bytes);
    require(loaded.vorn.has_value() != !loaded.error.isEmpty());
    if (loaded.vorn) {
        checkSound(*loaded.vorn);
        const QByteArray once = writeToBytes(*loaded.vorn);
        const LoadResult again = readFromBytes(once);
        require(again.vorn.has_value() && again.skippedFields == 0);
        require(writeToBytes(*again.vorn) == once);
    }

    const QString latin = QString::fromLatin1(bytes);
    if (const auto text = Scrim::DecodeStr(latin))
        require(Scrim::DecodeStr(Scrim::EncodeStr(*text)) == text);
    if (const auto number = Scrim::DecodeNum(latin))
        require(Scrim::DecodeNum(Scrim::EncodeNum(*number)) == number);

    const QString unicode = QString::fromUtf8(bytes);
    require(Scrim::DecodeStr(Scrim::EncodeStr(unicode)) == unicode);
    // Raw UTF-16, lone surrogates included: encoding must cope.
    const QString raw(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QString encoded = Scrim::EncodeStr(raw);
    for (const QChar c : encoded)
        require(c.unicode() > 0x20 && c.unicode() < 0x7F && c != QLatin1Char(','));
    return 0;
}
