#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The text files the program writes (exports and the report): Windows-1251, every line
// ended by CR LF, a file always created or replaced as a whole.
namespace TextFile {

inline const QString LineEnd = QStringLiteral("\r\n");

// Every line break in text (CR LF, a lone LF or a lone CR) as CR LF. Values typed on this
// system carry bare LFs; the files keep one convention throughout.
QString withCrLf(const QString& text);

// text in Windows-1251; a character the code page cannot hold becomes one '?'.
QByteArray encode(const QString& text);

// Writes text (line breaks as CR LF, Windows-1251) to an open device. False, and error set
// to the device's reason, when the device took less than all of it.
bool write(QIODevice& device, const QString& text, QString* error = nullptr);

// Writes text to the file path as write() does, through QSaveFile: on failure the file
// that was there stays as it was, nothing half-written is left behind, and error names the
// file and the reason. A writable file in a folder that cannot be written is written in place
// (see SaveTarget), without that promise.
bool save(const QString& path, const QString& text, QString* error = nullptr);

} // namespace TextFile
