#include "savetarget.h"

#include "fileerrors.h"

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

Outcome save(const QString& path, const Writer& write) {
    QSaveFile file(path);
    Outcome outcome;
    // A file the program may write, in a folder it may not, can only be written in place.
    outcome.inPlace = writesInPlace(inspect(path));
    file.setDirectWriteFallback(outcome.inPlace);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.stage = Outcome::Stage::Open;
        outcome.reason = FileErrors::reason(file);
    } else if (!write(file, &outcome.reason)) {
        outcome.stage = Outcome::Stage::Write;
        file.cancelWriting();
    } else if (!file.commit()) {
        outcome.stage = Outcome::Stage::Commit;
        outcome.reason = FileErrors::reason(file);
    }
    return outcome;
}

} // namespace SaveTarget
