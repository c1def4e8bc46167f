#pragma once

// Small helpers shared by the field box tests.
#include "databox.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>

namespace BoxTest {

inline const QChar Sep(11);

inline QString list(const QStringList& items) {
    QString v;
    for (const QString& s : items)
        v += Sep + s;
    return v;
}

struct Parts {
    QLabel* hed;
    QLineEdit* fras;
    QPlainTextEdit* tex;
    QListWidget* lis;
    QFrame* border;
    QLabel* pic;
};

inline Parts parts(const DataBox& box) {
    return {box.findChild<QLabel*>(QStringLiteral("Hed")),
            box.findChild<QLineEdit*>(QStringLiteral("Fras")),
            box.findChild<QPlainTextEdit*>(QStringLiteral("Tex")),
            box.findChild<QListWidget*>(QStringLiteral("Lis")),
            box.findChild<QFrame*>(QStringLiteral("Border")),
            box.findChild<QLabel*>(QStringLiteral("Pic"))};
}

inline QStringList listItems(const QListWidget* lis) {
    QStringList items;
    for (int i = 0; i < lis->count(); ++i)
        items << lis->item(i)->text();
    return items;
}

// A child's rectangle within the box, in twips.
inline QRect twipsIn(const DataBox& box, const QWidget* child) {
    const QRect r(child->mapTo(&box, QPoint(0, 0)), child->size());
    return QRect(r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15);
}

// Writes a plain picture of this many pixels.
inline bool writePicture(const QString& path, QSize pixels, QColor colour) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path);
}

} // namespace BoxTest
