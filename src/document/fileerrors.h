#pragma once

#include <QString>

class QFile;
class QIODevice;

// Why a file could not be opened, read or written, in words for the user: Russian for the
// common cases, the system's own text for the rest.
namespace FileErrors {

// %1: the file, %2: the reason.
inline const QString OpenFailedText = QStringLiteral("Не удалось открыть файл «%1»: %2.");
inline const QString SaveFailedText = QStringLiteral("Не удалось записать файл «%1»: %2");

// The reasons, to stand after a colon inside a sentence.
inline const QString NotFound = QStringLiteral("нет такого файла или папки");
inline const QString NoPermission = QStringLiteral("нет прав доступа");
inline const QString IsFolder = QStringLiteral("это папка, а не файл");
inline const QString DiskFull = QStringLiteral("на диске нет места");
inline const QString ReadOnlyFileSystem =
    QStringLiteral("файловая система доступна только для чтения");

// The reason for the device's last error. A file device whose file is a folder, or an
// existing file that cannot be written, is named as such whatever text Qt gave; other
// texts that are not one of the common cases come back as they are.
QString reason(const QIODevice& device);

// OpenFailedText for file, which could not be opened.
QString openFailed(const QFile& file);

} // namespace FileErrors
