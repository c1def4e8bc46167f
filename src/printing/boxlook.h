#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTextLayout>

#include <memory>

// Text laid out for paper once, drawn as often as needed: its lines, the width of the widest
// and the height of them all.
struct TextLines {
    QTextLayout layout;
    double width = 0;
    double height = 0;
};
using Lines = std::shared_ptr<const TextLines>;

// How the window's field boxes look, measured for paper. Everything is in twips: the fonts
// are sized so that a painter whose unit is one twip draws them at their true size, and the
// editors' frames and margins are those of the window's widget style.
class BoxLook {
public:
    BoxLook(const QFont& font, const QPalette& palette);

    // font sized in twips (1 point = 20 twips, 1 pixel = 15), without screen hinting so that
    // what is measured is what is drawn.
    static QFont inTwips(const QFont& font);

    const QFont& font() const { return font_; }
    const QFont& titleFont() const { return titleFont_; }
    const QFont& headingFont() const { return headingFont_; }
    const QPalette& palette() const { return palette_; }

    // The header label sizes itself to its caption on one line and is as high as a one-line
    // editor, so that a phrase editor beside it shows its text in full.
    QSize headerSize(const QString& header, bool title) const;
    // One item of a list.
    int rowHeight() const { return rowHeight_; }
    // The line above a card with its heading, and the room below it.
    int headingHeight() const { return headingHeight_; }

    // text on one line, its line breaks shown as spaces: a header, a phrase, a heading.
    Lines line(const QString& text, const QFont& font) const;
    // text (line breaks CR LF, LF or CR) wrapped at word boundaries, or anywhere in a word
    // longer than a line, into width.
    Lines wrapped(const QString& text, double width) const;
    // Each item on a row of its own, rowHeight() apart.
    Lines rows(const QStringList& items) const;

    // The editors' frames and margins as the window draws them.
    static constexpr int FrameWidth = 15;   // every editor and list: one pixel
    static constexpr int EditorExtra = 120; // a one-line editor is 8 pixels higher than its text
    static constexpr int LineIndent = 60;   // text in a one-line editor or a list item
    static constexpr int TextMargin = 60;   // the multi-line editor's document margin
    static constexpr int PictureFrame = 30; // the picture frame's sunken border: two pixels
    static constexpr int HeadingGap = 60;   // between the heading and its card
    static constexpr double HeadingScale = 0.85; // the heading's font against the boxes' font

private:
    QFont font_;
    QFont titleFont_;
    QFont headingFont_;
    QPalette palette_;
    int rowHeight_ = 0;
    int headingHeight_ = 0;
};
