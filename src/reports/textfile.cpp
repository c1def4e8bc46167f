#include "textfile.h"

#include "fileerrors.h"
#include "savetarget.h"

#include <QIODevice>
#include <QStringDecoder>

#include <vector>

namespace {
const char* const CodePage = "windows-1251";

// Unicode -> Windows-1251 for every UTF-16 unit, 0 where the code page has no byte. Built
// once from the code page's own decoder, so the table cannot disagree with it.
const std::vector<uchar>& codePageTable() {
    static const std::vector<uchar> table = [] {
        std::vector<uchar> t(0x10000, 0);
        for (int c = 0; c < 0x80; ++c)
            t[c] = uchar(c);
        QStringDecoder decoder(CodePage);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const QString u = decoder.decode(QByteArray(1, char(byte)));
            if (u.size() == 1 && u.at(0) != QChar::ReplacementCharacter)
                t[u.at(0).unicode()] = uchar(byte);
        }
        return t;
    }();
    return table;
}
} // namespace

namespace TextFile {

QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype from = 0; // start of the run not yet copied
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        out.append(QStringView(text).sliced(from, i - from));
        out.append(LineEnd);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        from = i + 1;
    }
    out.append(QStringView(text).sliced(from));
    return out;
}

QByteArray encode(const QString& text) {
    const std::vector<uchar>& table = codePageTable();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* at = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const uchar byte = table[u];
        if (byte != 0 || u == 0) {
            *at++ = char(byte);
            continue;
        }
        *at++ = '?'; // one per character the code page lacks, a surrogate pair included
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    out.truncate(at - out.constData());
    return out;
}

bool write(QIODevice& device, const QString& text, QString* error) {
    const QByteArray bytes = encode(withCrLf(text));
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (error)
                *error = FileErrors::reason(device);
            return false;
        }
        done += n;
    }
    return true;
}

bool save(const QString& path, const QString& text, QString* error) {
    const SaveTarget::Outcome saved = SaveTarget::save(
        path, [&text](QIODevice& device, QString* reason) { return write(device, text, reason); });
    if (!saved.saved() && error)
        *error = FileErrors::SaveFailedText.arg(path, saved.reason);
    return saved.saved();
}

} // namespace TextFile
