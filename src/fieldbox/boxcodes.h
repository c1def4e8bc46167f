#pragma once

#include <QChar>
#include <QtGlobal>

// The codes a field box understands. The document keeps its own copy of the type codes;
// this library depends on Qt only, so it does not include the document headers.
namespace BoxCode {
inline constexpr qint16 Word = 0;
inline constexpr qint16 Phrase = 1;
inline constexpr qint16 Text = 2;
inline constexpr qint16 Picture = 3;
inline constexpr qint16 List = 4;

// Header positions 1..12: above (left, centre, right), left of the content (top, middle,
// bottom), right of it (top, middle, bottom), below (left, centre, right).
inline constexpr qint16 FirstHeadPose = 1;
inline constexpr qint16 LastHeadPose = 12;

// The character in front of every item of a list value.
inline constexpr QChar ItemSeparator = QChar(11);

inline bool isShownType(qint16 type) {
    return type >= Word && type <= List;
}
inline bool isValidHeadPose(qint16 pose) {
    return pose >= FirstHeadPose && pose <= LastHeadPose;
}
} // namespace BoxCode
