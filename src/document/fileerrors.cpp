#include "fileerrors.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <utility>

namespace FileErrors {

namespace {

// Qt reports a failed system call with the system's text for its error number; the
// common numbers are recognised by that text.
QString forSystemText(const QString& text) {
    static const std::array<std::pair<int, const QString*>, 7> known{{
        {ENOENT, &NotFound},
        {EACCES, &NoPermission},
        {EPERM, &NoPermission},
        {EISDIR, &IsFolder},
        {ENOSPC, &DiskFull},
        {EDQUOT, &DiskFull},
        {EROFS, &ReadOnlyFileSystem},
    }};
    for (const auto& [code, russian] : known)
        if (text == qt_error_string(code))
            return *russian;
    return {};
}

} // namespace

QString reason(const QIODevice& device) {
    const QString text = device.errorString();
    if (const QString russian = forSystemText(text); !russian.isEmpty())
        return russian;
    // Qt checks these itself before any system call and words them its own way.
    if (const auto* file = qobject_cast<const QFileDevice*>(&device)) {
        const QFileInfo info(file->fileName());
        if (info.isDir())
            return IsFolder;
        if (info.exists() && !info.isWritable() && file->openMode() == QIODevice::NotOpen &&
            file->error() == QFileDevice::WriteError)
            return NoPermission;
    }
    return text;
}

QString openFailed(const QFile& file) {
    return OpenFailedText.arg(file.fileName(), reason(file));
}

} // namespace FileErrors
