// Draws field boxes of every type with several header positions into a PNG, to look at
// them as a user would: render_boxes OUT.png (run with QT_QPA_PLATFORM=offscreen).
#include "databox.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

namespace {

const QChar Sep(11);

void makePicture(const QString& path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(70, 130, 180));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawEllipse(QRect(QPoint(4, 4), size - QSize(9, 9)));
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("pic"));
    p.end();
    image.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: render_boxes OUT.png\n";
        return 2;
    }
    QTemporaryDir pictures;
    QDir(pictures.path()).mkdir(QStringLiteral("demo"));
    makePicture(pictures.filePath(QStringLiteral("demo/a.png")), QSize(80, 60));

    QWidget window;
    window.setObjectName(QStringLiteral("RenderBoxes"));
    window.resize(1100, 760);

    struct Spec {
        qint16 type;
        qint16 pose;
        QString header;
        QString value;
        qint16 length;
        int left;
        int top;
        bool bold;
    };
    const QString list = Sep + QStringLiteral("Москва") + Sep + QStringLiteral("  Тверь ") + Sep +
                         QStringLiteral("Казань");
    const QString text = QStringLiteral("Длинный текст, который переносится по словам в поле "
                                        "с вертикальной полосой прокрутки.");
    const QList<Spec> specs{
        {1, 1, QStringLiteral("Фамилия"), QStringLiteral("Иванов"), 0, 300, 300, true},
        {1, 2, QStringLiteral("Имя"), QStringLiteral("Пётр"), 0, 3000, 300, false},
        {1, 5, QStringLiteral("Число"), QStringLiteral("42"), 500, 5700, 300, false},
        {1, 8, QStringLiteral("Справа"), QStringLiteral("значение"), 0, 8000, 300, false},
        {1, 11, QStringLiteral("Снизу"), QString(), 0, 11700, 300, false},
        {0, 1, QStringLiteral("Просто слово"), QString(), 0, 300, 1500, false},
        {2, 1, QStringLiteral("Заметки"), text, 0, 3000, 1500, false},
        {2, 11, QStringLiteral("Снизу посерёд"), QStringLiteral("a\nb\nc"), 0, 6600, 1500, false},
        {2, 6, QStringLiteral("Слева внизу"), QString(), 0, 10200, 1500, false},
        {4, 1, QStringLiteral("Города"), list, 0, 300, 4200, false},
        {4, 5, QStringLiteral("Слева"), list, 0, 3000, 4200, false},
        {4, 9, QStringLiteral("Справа внизу"), list, 0, 7000, 4200, false},
        {3, 11, QStringLiteral("Картинка"), QStringLiteral(".\\demo\\a.png"), 0, 300, 7700, false},
        {3, 5, QStringLiteral("Нет файла"), QStringLiteral(".\\demo\\none.png"), 0, 3000, 7700,
         false},
        {3, 1, QStringLiteral("Рамка 1500x900"), QStringLiteral(".\\demo\\a.png"), 0, 6600, 7700,
         false},
    };
    for (const Spec& s : specs) {
        auto* box = new DataBox(&window);
        box->setPictureBase(pictures.path());
        box->setHeaderBold(s.bold);
        box->ChangeAll(s.type, s.header, s.value, s.pose, s.length);
        if (s.header == QStringLiteral("Рамка 1500x900")) {
            box->setLength(1500);
            box->setTall(900);
        }
        box->moveTwips(s.left, s.top);
    }
    window.show();
    const QImage shot = window.grab().toImage();
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
