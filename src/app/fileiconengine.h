#pragma once

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

// An icon read from its image file whenever a size of it is asked for, and not kept. The
// window system takes a copy of the window icon when the window is made; a decoded 256-pixel
// icon held by QIcon's own engine would stay in memory (256 KiB) for as long as the program
// runs. Sizes and pixels are those QIcon gives for a single image file.
class FileIconEngine : public QIconEngine {
public:
    explicit FileIconEngine(QString file) : file_(std::move(file)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const QSize natural = QImageReader(file_).size();
        return natural.width() <= size.width() && natural.height() <= size.height()
                   ? natural
                   : natural.scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap = QPixmap::fromImage(QImage(file_));
        if (pixmap.isNull())
            return {};
        const QSize wanted = actualSize(size, mode, state);
        if (pixmap.size() != wanted)
            pixmap = pixmap.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QImageReader(file_).size()};
    }

    QIconEngine* clone() const override { return new FileIconEngine(file_); }

private:
    QString file_;
};
