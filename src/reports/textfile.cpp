#include "textfile.h"

#include <QIODevice>
#include <QSaveFile>
#include <QStringEncoder>

#include <optional>

namespace {
const char* const CodePage = "windows-1251";
const QString SaveFailed = QStringLiteral("Не удалось записать файл «%1»: %2");

qsizetype codePointWidth(const QString& text, qsizetype i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
               ? 2
               : 1;
}

// The slow way, for the rare text with a character the code page lacks: one code point at
// a time with a fresh encoder each, so every misfit is seen on its own.
QByteArray encodeEach(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = codePointWidth(text, i);
        QStringEncoder encoder(CodePage);
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, width));
        if (encoder.hasError() || bytes.isEmpty())
            out.append('?');
        else
            out.append(bytes);
        i += width;
    }
    return out;
}

// The encoder writes its substitute byte (SUB) for every misfit, one byte per code point:
// those bytes become '?', except where the text really holds the SUB character.
std::optional<QByteArray> replaceSubstitutes(const QString& text, QByteArray encoded) {
    constexpr char Substitute = 0x1A;
    qsizetype at = 0;
    for (qsizetype i = 0; i < text.size(); i += codePointWidth(text, i), ++at) {
        if (at >= encoded.size())
            return std::nullopt;
        if (encoded.at(at) == Substitute && text.at(i) != QChar(Substitute))
            encoded[at] = '?';
    }
    if (at != encoded.size())
        return std::nullopt;
    return encoded;
}
} // namespace

namespace TextFile {

QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += LineEnd;
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += LineEnd;
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray encode(const QString& text) {
    QStringEncoder encoder(CodePage);
    // One byte per code point is expected; anything else (a lone surrogate at the end is
    // swallowed without an error) takes the slow way.
    if (std::optional<QByteArray> bytes = replaceSubstitutes(text, encoder.encode(text)))
        return *bytes;
    return encodeEach(text);
}

bool write(QIODevice& device, const QString& text, QString* error) {
    const QByteArray bytes = encode(withCrLf(text));
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (error)
                *error = device.errorString();
            return false;
        }
        done += n;
    }
    return true;
}

bool save(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    QString reason;
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok)
        reason = file.errorString();
    else if (!write(file, text, &reason)) {
        ok = false;
        file.cancelWriting();
    } else if (!file.commit()) {
        ok = false;
        reason = file.errorString();
    }
    if (!ok && error)
        *error = SaveFailed.arg(path, reason);
    return ok;
}

} // namespace TextFile
