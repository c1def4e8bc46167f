#include "savetarget.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SaveTarget {

Facts inspect(const QString& path) {
    QFileInfo file(path);
    // QSaveFile writes through a link to the file it names, beside that file.
    if (file.isSymLink() && file.exists())
        file = QFileInfo(file.canonicalFilePath());
    const QFileInfo folder(file.absolutePath());
    Facts facts;
    facts.fileExists = file.isFile();
    facts.fileWritable = facts.fileExists && file.isWritable();
    facts.folderWritable = folder.isDir() && folder.isWritable();
    return facts;
}

bool writesInPlace(const Facts& facts) {
    return facts.fileExists && facts.fileWritable && !facts.folderWritable;
}

bool prepare(QSaveFile& file) {
    const bool inPlace = writesInPlace(inspect(file.fileName()));
    file.setDirectWriteFallback(inPlace);
    return inPlace;
}

} // namespace SaveTarget
