#include "editorstyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <optional>

namespace {

constexpr int PictureKiB = 2048; // the pictures kept; the least used go first
constexpr int OpaqueEntries = 512;
constexpr int LongBar = 96;     // pixels along a scroll bar
constexpr int SliderStrip = 64; // rows
constexpr int SliderMargin = 6; // pixels

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

EditorStyle::EditorStyle(QStyle* base)
    : QProxyStyle(base), pictures_(PictureKiB), opaque_(OpaqueEntries) {
    setParent(qApp); // gone with the application, after the last editor
}

EditorStyle* EditorStyle::instance() {
    // Made again for an application made again (the tests make one per program, but a
    // pointer into a deleted application would be a fault).
    static QPointer<EditorStyle> style;
    static const QCoreApplication* madeFor = nullptr;
    if (madeFor != QCoreApplication::instance()) {
        madeFor = QCoreApplication::instance();
        const QStyle* application = QApplication::style();
        style = nullptr;
        if (application && qApp->styleSheet().isEmpty() &&
            application->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
            if (QStyle* base = QStyleFactory::create(application->name()))
                style = new EditorStyle(base);
        }
    }
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
// Fields 0 to 7 of a key say what is drawn and fields 8 to 10 where its moving parts are
// (a scroll bar's slider): whether the drawing is opaque does not depend on those.
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
    key.fields[11] = option->rect.width();
    key.fields[12] = option->rect.height();
    key.fields[13] = option->palette.cacheKey();
    key.fields[14] = (qint64(option->palette.currentColorGroup()) << 32) | int(image->format());
    // Opaque or not: found once for the drawing, on black and on white.
    Key shape = key;
    shape.fields[8] = shape.fields[9] = shape.fields[10] = 0;
    bool* opaque = opaque_.object(shape);
    QImage onBlack;
    if (!opaque) {
        onBlack = make(0xff000000);
        opaque = new bool(onBlack == make(0xffffffff));
        opaque_.insert(shape, opaque);
    }
    std::optional<quint32> ground;
    if (!*opaque) {
        const QRect onImage = option->rect.translated(qRound(painter->deviceTransform().dx()),
                                                      qRound(painter->deviceTransform().dy()));
        ground = groundColour(*image, onImage);
        if (!ground)
            return false;
        key.fields[15] = (qint64(1) << 32) | *ground;
    }
    const QImage* picture = pictures_.object(key);
    if (!picture) {
        auto* made =
            new QImage(onBlack.isNull() || ground ? make(ground.value_or(0xff000000)) : onBlack);
        const qsizetype kib = made->sizeInBytes() / 1024 + 1;
        if (!pictures_.insert(key, made, kib))
            return false; // too big to keep: drawn as usual (insert deleted it)
        picture = pictures_.object(key);
    }
    painter->drawImage(option->rect.topLeft(), *picture);
    ++copies_;
    return true;
}

void EditorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        frame && element == PE_PanelLineEdit) {
        const Key key{{element, int(option->state), int(option->direction), frame->lineWidth,
                       frame->midLineWidth, int(frame->features), frame->frameShape,
                       widget ? widget->logicalDpiX() : 0}};
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
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!bar || control != CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // A long bar (a list of many entries) is copied without its slider, which is then drawn
    // on the copy: its slider moves a pixel or two each time the list scrolls, and each new
    // place would be a new picture, whose fills of more rows than about a hundred the raster
    // engine hands to worker threads and waits for. A short bar, one with nothing to scroll,
    // and one whose slider lies against a button at its ends (where the two are drawn over
    // each other) are copied whole.
    const QRect slider = subControlRect(control, option, SC_ScrollBarSlider, widget);
    const bool vertical = bar->orientation == Qt::Vertical;
    // The slider's outline reaches a pixel or two past its place; across, the whole bar.
    const QRect place = (vertical ? QRect(option->rect.left(), slider.top() - SliderMargin,
                                          option->rect.width(), slider.height() + 2 * SliderMargin)
                                  : QRect(slider.left() - SliderMargin, option->rect.top(),
                                          slider.width() + 2 * SliderMargin, option->rect.height()))
                            .intersected(option->rect);
    const QRect ends[] = {subControlRect(control, option, SC_ScrollBarSubLine, widget),
                          subControlRect(control, option, SC_ScrollBarAddLine, widget)};
    const bool longBar = (vertical ? option->rect.height() : option->rect.width()) > LongBar &&
                         bar->minimum < bar->maximum && (bar->subControls & SC_ScrollBarSlider) &&
                         !place.intersects(ends[0]) && !place.intersects(ends[1]);
    QStyleOptionSlider without = *bar;
    if (longBar)
        without.subControls &= ~SC_ScrollBarSlider;
    // The drawing follows the places of the bar's parts, not the values behind them, so
    // bars scrolled to the same pixel share a picture.
    const QRect keyed = longBar ? QRect() : slider;
    const auto packed = [](int a, int b) { return (qint64(a) << 32) | quint32(b); };
    const Key key{{1000 + control, int(option->state), int(option->direction),
                   packed(int(without.subControls), int(option->activeSubControls)),
                   packed(bar->orientation, bar->upsideDown),
                   packed(bar->minimum == bar->maximum, bar->pageStep == 0),
                   widget ? widget->logicalDpiX() : 0, 0, packed(keyed.x(), keyed.y()),
                   packed(keyed.width(), keyed.height()),
                   packed(bar->sliderValue <= bar->minimum, bar->sliderValue >= bar->maximum)}};
    QStyleOptionSlider at = without;
    at.rect.moveTopLeft(QPoint(0, 0));
    if (!copyFromPicture(key, option, painter, [&](QPainter* onPicture) {
            QProxyStyle::drawComplexControl(control, &at, onPicture, widget);
        })) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    if (!longBar)
        return;
    // The slider alone, clipped to its place, in strips of fewer rows than would be shared out
    // among threads.
    QStyleOptionSlider sliderOnly = *bar;
    sliderOnly.subControls = SC_ScrollBarSlider;
    for (int top = place.top(); top <= place.bottom(); top += SliderStrip) {
        painter->save();
        painter->setClipRect(QRect(place.left(), top, place.width(),
                                   std::min(SliderStrip, place.bottom() + 1 - top)),
                             Qt::IntersectClip);
        QProxyStyle::drawComplexControl(control, &sliderOnly, painter, widget);
        painter->restore();
    }
}
