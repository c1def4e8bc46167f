// Draws field boxes of every type with several header positions into a PNG, to look at
// them as a user would: render_boxes OUT.png (run with QT_QPA_PLATFORM=offscreen).
#include "databox.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir pictures;
    QImage picture(80, 60, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 180));
    picture.save(pictures.filePath(QStringLiteral("a.png")));

    // Per type: word, phrase, text, picture, list, number.
    const QStringList values{QString(),
                             QStringLiteral("Иванов"),
                             QStringLiteral("Длинный текст, который переносится по словам."),
                             QStringLiteral(".\\a.png"),
                             QStringLiteral("\vМосква\v  Тверь "),
                             QStringLiteral("42")};
    QWidget window;
    window.resize(1150, 1300);
    for (int i = 0; i < 24; ++i) { // four header positions (top, left, right, bottom) a type
        const qint16 type = qint16(i / 4), pose = qint16(i % 4 * 3 + 2);
        auto* box = new DataBox(&window);
        box->setPictureBase(pictures.path());
        box->ChangeAll(type, QStringLiteral("Поле %1").arg(pose), values[type], pose);
        box->moveTwips(qint16(300 + i % 4 * 4200), qint16(300 + type * 3200));
    }
    window.show();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
