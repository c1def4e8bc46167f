#include "cardpainter.h"

#include "boxkinds.h"
#include "cardlayout.h"
#include "picturestore.h"

#include <QPainter>

namespace {
constexpr int Line = BoxLook::FrameWidth;
constexpr int Band = BoxLook::PictureFrame;
constexpr int TextInset = BoxLook::FrameWidth + BoxLook::TextMargin;

QRectF inside(const QRectF& rect, double by) {
    return rect.adjusted(by, by, -by, -by);
}
} // namespace

CardPainter::CardPainter(QPainter& painter, const BoxLook& look, PictureStore& pictures)
    : painter_(painter), look_(look), pictures_(pictures) {}

void CardPainter::draw(const PrintedCard& card) {
    const QPalette& palette = look_.palette();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);

    const QRectF heading(card.bounds.left(), card.bounds.top(), card.bounds.width(),
                         card.frame.top() - card.bounds.top() - BoxLook::HeadingGap);
    drawLine(card.heading, heading, palette.color(QPalette::WindowText));

    painter_.fillRect(card.frame, palette.color(QPalette::Window));
    painter_.setPen(QPen(palette.color(QPalette::Mid), Line));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(inside(card.frame, Line / 2.0));

    for (const PrintedBox& box : card.boxes)
        drawBox(box);
}

void CardPainter::drawBox(const PrintedBox& box) {
    const FieldBoxLayout::Result& g = box.geometry;
    if (!g.applies)
        return;
    const QRectF content = g.content.translated(box.at);
    switch (box.type) {
    case BoxKind::Phrase:
        drawEditor(content, box.lines);
        break;
    case BoxKind::Text:
        drawText(box, content);
        break;
    case BoxKind::Picture:
        drawPicture(box, content);
        break;
    case BoxKind::List:
        drawList(box, content);
        drawEditor(g.editor.translated(box.at), box.editor);
        break;
    default:
        break;
    }
    drawLine(box.header, g.header.translated(box.at), look_.palette().color(QPalette::WindowText));
}

void CardPainter::drawLines(const Lines& lines, QPointF at, const QRectF& room,
                            const QColor& colour) {
    if (!lines)
        return;
    painter_.setPen(colour);
    // Cutting off costs a clip path in the output: only for lines that need it.
    const bool cut = at.x() + lines->width > room.right() || at.x() < room.left();
    if (cut) {
        painter_.save();
        painter_.setClipRect(room, Qt::IntersectClip);
    }
    lines->layout.draw(&painter_, at);
    if (cut)
        painter_.restore();
}

void CardPainter::drawLine(const Lines& line, const QRectF& rect, const QColor& colour) {
    if (!line)
        return;
    const QPointF at(rect.left(), rect.top() + (rect.height() - line->height) / 2);
    // A header is never cut off: its box is as wide as it.
    drawLines(line, at, QRectF(at, QSizeF(line->width, line->height)), colour);
}

// White with a frame one pixel wide and a lighter line inside its top: the sunken look of the
// window's editors.
void CardPainter::editorFrame(const QRectF& rect) {
    const QPalette& palette = look_.palette();
    painter_.fillRect(rect, palette.color(QPalette::Base));
    painter_.setBrush(Qt::NoBrush);
    const QRectF edge = inside(rect, Line / 2.0);
    painter_.setPen(QPen(palette.color(QPalette::Dark), Line, Qt::SolidLine, Qt::SquareCap));
    painter_.drawRect(edge);
    painter_.setPen(QPen(palette.color(QPalette::Midlight), Line, Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(QPointF(edge.left() + Line, edge.top() + Line),
                      QPointF(edge.right() - Line / 2.0, edge.top() + Line));
}

void CardPainter::drawEditor(const QRectF& rect, const Lines& text) {
    editorFrame(rect);
    if (!text)
        return;
    const QRectF room = inside(rect, Line);
    const QPointF at(rect.left() + BoxLook::LineIndent,
                     rect.top() + (rect.height() - text->height) / 2);
    drawLines(text, at, room, look_.palette().color(QPalette::Text));
}

void CardPainter::drawText(const PrintedBox& box, const QRectF& rect) {
    editorFrame(rect);
    drawLines(box.lines, rect.topLeft() + QPointF(TextInset, TextInset), inside(rect, Line),
              look_.palette().color(QPalette::Text));
}

void CardPainter::drawList(const PrintedBox& box, const QRectF& rect) {
    editorFrame(rect);
    drawLines(box.lines, rect.topLeft() + QPointF(BoxLook::LineIndent, Line), inside(rect, Line),
              look_.palette().color(QPalette::Text));
}

// The frame's sunken border two pixels wide, the uncovered area in the 3D highlight colour,
// and the picture scaled into its area, keeping its proportions, from the top-left corner.
void CardPainter::drawPicture(const PrintedBox& box, const QRectF& frame) {
    const QPalette& palette = look_.palette();
    const QRectF area = box.geometry.picture.translated(frame.topLeft() + QPointF(Band, Band));
    painter_.fillRect(frame, palette.color(QPalette::Light));
    painter_.fillRect(QRectF(frame.topLeft(), QSizeF(frame.width() - Band / 2.0, Band)),
                      palette.color(QPalette::Dark));
    painter_.fillRect(QRectF(frame.topLeft(), QSizeF(Band, frame.height() - Band / 2.0)),
                      palette.color(QPalette::Dark));
    painter_.fillRect(area, palette.color(QPalette::Midlight));
    const QImage image = pictures_.image(box.picture);
    if (image.isNull() || area.isEmpty())
        return;
    const QSizeF shown = QSizeF(image.size()).scaled(area.size(), Qt::KeepAspectRatio);
    painter_.drawImage(QRectF(area.topLeft(), shown), image);
}
