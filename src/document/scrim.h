#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Scrim: the encoding every value of a vorn file passes through.
// (The encoded form is documented in scrim.cpp's header comment.)
namespace Scrim {
QString EncodeNum(qint16 n);
QString EncodeStr(const QString& text);
// Nothing when the text is not a valid encoding or the number is outside 16 bits.
std::optional<qint16> DecodeNum(const QString& encoded);
std::optional<QString> DecodeStr(const QString& encoded);

// The same operations on the file's bytes, for the reader and the writer: they append to
// or read from a byte buffer directly instead of building a string per value.
void appendEncodedNum(QByteArray& out, qint16 n);
void appendEncodedStr(QByteArray& out, QStringView text);
std::optional<qint16> decodeNum(QByteArrayView encoded);
std::optional<QString> decodeStr(QByteArrayView encoded);
} // namespace Scrim
