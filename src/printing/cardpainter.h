#pragma once

#include "boxlook.h"

class PictureStore;
class QColor;
class QPainter;
class QPointF;
class QRectF;
struct PrintedBox;
struct PrintedCard;

// Draws a laid-out card as the window shows it: the card's background, each box's header
// (the title's in bold) and its content, with a sunken frame around every editor. The
// painter's unit is one twip of the card.
class CardPainter {
public:
    CardPainter(QPainter& painter, const BoxLook& look, PictureStore& pictures);

    void draw(const PrintedCard& card);

private:
    void drawBox(const PrintedBox& box);
    void drawEditor(const QRectF& rect, const Lines& text);
    void drawText(const PrintedBox& box, const QRectF& rect);
    void drawList(const PrintedBox& box, const QRectF& rect);
    void drawPicture(const PrintedBox& box, const QRectF& frame);
    void editorFrame(const QRectF& rect);
    // Lines drawn from at; cut off at the sides of room when they are wider.
    void drawLines(const Lines& lines, QPointF at, const QRectF& room, const QColor& colour);
    // One line at the left of rect, centred up and down.
    void drawLine(const Lines& line, const QRectF& rect, const QColor& colour);

    QPainter& painter_;
    const BoxLook& look_;
    PictureStore& pictures_;
};
