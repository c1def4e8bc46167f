#include "picturestore.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Decoded pictures kept at once, in kilobytes: a long run of distinct photographs must not
// hold them all.
constexpr int CacheKilobytes = 128 * 1024;

QImage read(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}
} // namespace

PictureStore::PictureStore(const QString& startDir) : startDir_(startDir) {
    images_.setMaxCost(CacheKilobytes);
}

QString PictureStore::path(const QString& value) const {
    if (value.isEmpty())
        return QString();
    QString file = value;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!startDir_.isEmpty())
        file = QDir(startDir_).filePath(file);
    return QDir::cleanPath(file);
}

QSize PictureStore::size(const QString& path) {
    if (path.isEmpty())
        return QSize();
    const auto known = sizes_.constFind(path);
    if (known != sizes_.constEnd())
        return *known;
    QSize found;
    if (QFileInfo(path).isFile()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        found = reader.size();
        if (found.isValid() &&
            reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
            found.transpose();
        if (!found.isValid())
            found = image(path).size(); // a format that tells its size only when read
    }
    sizes_.insert(path, found);
    return found;
}

QImage PictureStore::image(const QString& path) {
    if (path.isEmpty())
        return QImage();
    if (const QImage* kept = images_.object(path))
        return *kept;
    QImage loaded = read(path);
    const qsizetype kilobytes = loaded.sizeInBytes() / 1024 + 1;
    images_.insert(path, new QImage(loaded), kilobytes);
    return loaded;
}
