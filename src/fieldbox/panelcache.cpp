#include "panelcache.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

constexpr int MaxPictures = 64; // a card has few sizes of editor; beyond that, start again

// The image the painter draws on, if it draws on one unscaled, in whole pixels, over what is
// there: only then are the pixels under a panel known, and a copy the same as a drawing.
QImage* plainImage(QPainter* painter) {
    QPaintDevice* device = painter->paintEngine() ? painter->paintEngine()->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QTransform t = painter->deviceTransform();
    if (image->depth() != 32 || image->devicePixelRatio() != 1.0 ||
        t.type() > QTransform::TxTranslate || t.dx() != qRound(t.dx()) ||
        t.dy() != qRound(t.dy()) || painter->opacity() != 1.0 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

// The one colour of the image's pixels within rect, as stored; none if they differ.
std::optional<quint32> groundColour(const QImage& image, const QRect& rect) {
    if (!image.rect().contains(rect))
        return std::nullopt;
    const quint32 first =
        reinterpret_cast<const quint32*>(image.constScanLine(rect.top()))[rect.left()];
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (line[x] != first)
                return std::nullopt;
    }
    return first;
}

} // namespace

PanelCacheStyle::PanelCacheStyle(QStyle* base) : QProxyStyle(base) {
    setParent(qApp); // gone with the application, after the last editor
}

PanelCacheStyle* PanelCacheStyle::instance() {
    static PanelCacheStyle* const style = []() -> PanelCacheStyle* {
        const QStyle* application = QApplication::style();
        if (!application || !qApp->styleSheet().isEmpty())
            return nullptr;
        QStyle* base = QStyleFactory::create(application->name());
        if (!base || base->name() != application->name()) {
            delete base;
            return nullptr;
        }
        return new PanelCacheStyle(base);
    }();
    return style;
}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    QImage* image = element == PE_PanelLineEdit && frame && !option->rect.isEmpty()
                        ? plainImage(painter)
                        : nullptr;
    const QRect onImage = option->rect.translated(qRound(painter->deviceTransform().dx()),
                                                  qRound(painter->deviceTransform().dy()));
    const std::optional<quint32> ground =
        image ? groundColour(*image, onImage) : std::optional<quint32>();
    if (!ground) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QString key = QStringLiteral("%1x%2 %3 %4 %5 %6 %7 %8 %9 %10 %11")
                            .arg(option->rect.width())
                            .arg(option->rect.height())
                            .arg(int(option->state))
                            .arg(int(option->direction))
                            .arg(frame->lineWidth)
                            .arg(frame->midLineWidth)
                            .arg(int(frame->features))
                            .arg(int(frame->frameShape))
                            .arg(option->palette.cacheKey())
                            .arg(int(image->format()))
                            .arg(*ground);
    auto found = pictures_.constFind(key);
    if (found == pictures_.cend()) {
        if (pictures_.size() >= MaxPictures)
            pictures_.clear();
        QImage picture(option->rect.size(), image->format());
        picture.fill(*ground);
        QStyleOptionFrame at = *frame;
        at.rect.moveTopLeft(QPoint(0, 0));
        QPainter onPicture(&picture);
        QProxyStyle::drawPrimitive(element, &at, &onPicture, widget);
        onPicture.end();
        found = pictures_.insert(key, picture);
    }
    painter->drawImage(option->rect.topLeft(), *found);
    ++copies_;
}
