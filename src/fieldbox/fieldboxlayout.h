#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QtGlobal>

#include <optional>

// Where the header and the content of a field box go, and how large the box becomes.
// A pure calculation in twips; the widget converts the result for the screen.
namespace FieldBoxLayout {

inline constexpr int HeaderGap = 100;     // between a header beside the content and the content
inline constexpr int ListEditorGap = 100; // between a list and its item editor
inline constexpr int CentredHeaderShift =
    100;                              // text, picture and list boxes centre 100 to the left
inline constexpr int FrameExtra = 60; // picture frame: the picture area plus its sunken border
inline constexpr QSize EmptyPictureArea{615, 495}; // a self-sizing picture area with no picture
inline constexpr int NewEditorHeight = 285;        // a new box's item editor, before any layout

// The length and tall a box of this type takes when it is given none: word 100 x 100,
// phrase 1700 wide, text 3000 x 1300, picture its own size (0 x 0), list 1500 x 2200.
// Other codes have no default and keep what they had.
std::optional<QSize> defaultSize(qint16 type);

struct Input {
    qint16 type = 0;
    qint16 headPose = 1;
    bool fitToContent = true;
    int headerWidth = 0;  // HW: the self-sized header label
    int headerHeight = 0; // HH
    int length = 0;       // wider than the box's own 16 bits: printing lets a text or list grow
    int tall = 0;
    QSize picture;        // natural size of the picture shown; empty when none
    int editorHeight = 0; // EH: the item editor's own height (list boxes)

    // Where things were, for a header position outside 1..12: they stay there.
    QPointF previousHeader;
    QPointF previousContent; // the content control of this type
    QPointF previousEditor;  // the list's item editor
    QSizeF previousBox;
};

struct Result {
    bool applies = false; // false for type codes outside 0..4: nothing is laid out
    QRectF header;
    QRectF content; // phrase editor, text editor, picture frame or list; empty for a word box
    QRectF editor;  // the list's item editor; empty for other types
    QRectF picture; // the picture area inside the frame's inner area
    QSizeF box;
};

// The picture area: Length by Tall when both are set, otherwise the picture's own size,
// or EmptyPictureArea when there is no picture.
QSize pictureArea(int length, int tall, QSize picture);

Result layOut(const Input& in);

} // namespace FieldBoxLayout
