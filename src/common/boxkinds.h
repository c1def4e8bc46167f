#pragma once

#include <QChar>
#include <QtGlobal>

// Box type codes and header positions: the same numbers in the model, the file, the field
// box and the exports.
namespace BoxKind {
inline constexpr qint16 Word = 0;
inline constexpr qint16 Phrase = 1;
inline constexpr qint16 Text = 2;
inline constexpr qint16 Picture = 3;
inline constexpr qint16 List = 4;
inline constexpr qint16 Number = 5; // a phrase box on screen, of NumberLength
inline constexpr qint16 NumberLength = 500;

// Header positions 1..12: above (left, centre, right), left of the content (top, middle,
// bottom), right of it (top, middle, bottom), below (left, centre, right).
inline constexpr qint16 FirstHeadPose = 1;
inline constexpr qint16 LastHeadPose = 12;

// The codes a field box draws itself: every kind but Number, which it shows as a phrase.
inline constexpr bool isShownType(qint16 type) {
    return type >= Word && type <= List;
}
inline constexpr bool isValidHeadPose(qint16 pose) {
    return pose >= FirstHeadPose && pose <= LastHeadPose;
}
// Word and picture boxes hold no editor the Tab key could reach.
inline constexpr bool hasTabStop(qint16 type) {
    return type != Word && type != Picture;
}
// Only a box with one line of words names the entries: phrase, text and number boxes.
inline constexpr bool canBeTitle(qint16 type) {
    return type == Phrase || type == Text || type == Number;
}
} // namespace BoxKind

// The character in front of every item of a list value.
inline constexpr QChar ListSeparator = QChar(11);
