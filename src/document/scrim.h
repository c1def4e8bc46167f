#pragma once

#include <QString>

#include <optional>

// Scrim: the encoding every value of a vorn file passes through.
// (The encoded form is documented in scrim.cpp's header comment.)
namespace Scrim {
QString EncodeNum(qint16 n);
QString EncodeStr(const QString& text);
// Nothing when the text is not a valid encoding or the number is outside 16 bits.
std::optional<qint16> DecodeNum(const QString& encoded);
std::optional<QString> DecodeStr(const QString& encoded);
} // namespace Scrim
