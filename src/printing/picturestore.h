#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

// The pictures of a vorn's picture boxes, found as the window finds them: a value such as
// ".\name\file" is read with slashes, relative to the vorn's start folder. Each file is read
// once a run; the same image drawn again is the same QImage, so a PDF holds it once.
class PictureStore {
public:
    explicit PictureStore(const QString& startDir);

    // The file a picture value names; empty for an empty value.
    QString path(const QString& value) const;
    // The picture's own size in pixels; empty when there is none or it cannot be read.
    QSize size(const QString& path);
    // The picture; null when there is none or it cannot be read.
    QImage image(const QString& path);

private:
    QString startDir_;
    QHash<QString, QSize> sizes_;
    QCache<QString, QImage> images_;
};
