#include "editorstyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>

#include <optional>

namespace {

constexpr int MaxPictures = 256; // a card has few sizes of editor; beyond that, start again

// The image the painter draws on, if it draws on one unscaled, in whole pixels, over what is
// there: only then are the pixels under a drawing known, and a copy the same as the drawing.
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

EditorStyle::EditorStyle(QStyle* base) : QProxyStyle(base) {
    setParent(qApp); // gone with the application, after the last editor
}

EditorStyle* EditorStyle::instance() {
    static EditorStyle* const style = []() -> EditorStyle* {
        const QStyle* application = QApplication::style();
        if (!application || !qApp->styleSheet().isEmpty())
            return nullptr;
        QStyle* base = QStyleFactory::create(application->name());
        if (!base || base->name() != application->name()) {
            delete base;
            return nullptr;
        }
        return new EditorStyle(base);
    }();
    return style;
}

void EditorStyle::apply(QWidget* widget) {
    EditorStyle* style = instance();
    if (!style)
        return;
    widget->setStyle(style);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        area->verticalScrollBar()->setStyle(style);
        area->horizontalScrollBar()->setStyle(style);
    }
}

// Copies the drawing of option->rect from its picture, made first by draw(painter on the
// picture, the option moved to the picture's corner) if need be; false, drawing nothing, where
// a copy could differ from the drawing. A drawing that covers every pixel of its rect with
// opaque colour (found out by making it on black and on white) is the same on any ground; any
// other is copied only onto ground of one colour, from a picture made on that colour.
template <class Draw>
bool EditorStyle::copyFromPicture(Key key, const QStyleOption* option, QPainter* painter,
                                  Draw draw) const {
    QImage* image = option->rect.isEmpty() ? nullptr : plainImage(painter);
    if (!image)
        return false;
    const auto make = [&](quint32 ground) {
        QImage picture(option->rect.size(), image->format());
        picture.fill(ground);
        QPainter onPicture(&picture);
        draw(&onPicture);
        return picture;
    };
    const auto keep = [this](const Key& k, const QImage& picture) {
        if (pictures_.size() >= MaxPictures) {
            pictures_.clear();
            translucent_.clear();
        }
        return pictures_.insert(k, picture);
    };
    key.fields[12] = option->rect.width();
    key.fields[13] = option->rect.height();
    key.fields[14] = option->palette.cacheKey();
    key.fields[15] = qint64(image->format()) << 32; // and no ground: an opaque drawing
    auto found = pictures_.constFind(key);
    if (found == pictures_.cend() && !translucent_.contains(key)) {
        const QImage onBlack = make(0xff000000), onWhite = make(0xffffffff);
        if (onBlack == onWhite)
            found = keep(key, onBlack);
        else
            translucent_.insert(key);
    }
    if (found == pictures_.cend()) {
        const QRect onImage = option->rect.translated(qRound(painter->deviceTransform().dx()),
                                                      qRound(painter->deviceTransform().dy()));
        const std::optional<quint32> ground = groundColour(*image, onImage);
        if (!ground)
            return false;
        key.fields[15] |= qint64(1) << 40 | *ground;
        found = pictures_.constFind(key);
        if (found == pictures_.cend())
            found = keep(key, make(*ground));
    }
    painter->drawImage(option->rect.topLeft(), *found);
    ++copies_;
    return true;
}

void EditorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        frame && element == PE_PanelLineEdit) {
        const Key key{{element, int(option->state), int(option->direction), frame->lineWidth,
                       frame->midLineWidth, int(frame->features), frame->frameShape}};
        QStyleOptionFrame at = *frame;
        at.rect.moveTopLeft(QPoint(0, 0));
        if (copyFromPicture(key, option, painter, [&](QPainter* onPicture) {
                QProxyStyle::drawPrimitive(element, &at, onPicture, widget);
            }))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void EditorStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
        bar && control == CC_ScrollBar) {
        const Key key{{1000 + control, int(option->state), int(option->direction),
                       int(option->subControls), int(option->activeSubControls),
                       (qint64(bar->orientation) << 32) | int(bar->upsideDown), bar->minimum,
                       bar->maximum,
                       (qint64(bar->sliderPosition) << 32) | quint32(bar->sliderValue),
                       (qint64(bar->singleStep) << 32) | quint32(bar->pageStep),
                       int(bar->tickPosition), bar->tickInterval}};
        QStyleOptionSlider at = *bar;
        at.rect.moveTopLeft(QPoint(0, 0));
        if (copyFromPicture(key, option, painter, [&](QPainter* onPicture) {
                QProxyStyle::drawComplexControl(control, &at, onPicture, widget);
            }))
            return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}
