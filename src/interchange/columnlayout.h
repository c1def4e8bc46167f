#pragma once

#include "vorn.h"

#include <QPoint>
#include <QSize>

#include <functional>
#include <vector>

// Where the boxes of a card built from a table go: one below the other in columns, from the
// top-left corner of the card area, with the window grown to hold them.
namespace ColumnLayout {

// The size a box takes on the card, in twips. The window measures its real field boxes;
// without one, estimatedSize() stands in.
using BoxMeasure = std::function<QSize(const BoxDescriptor&)>;

// The box's content at its type's default size with the header, at a width guessed from its
// characters, above it.
QSize estimatedSize(const BoxDescriptor& box);

inline constexpr int ColumnGap = 300; // twips between two columns
inline constexpr int RowGap = 150;    // between two boxes of a column
inline constexpr int RightMargin = 300;
inline constexpr int BottomMargin = 900; // the menu bar is part of the window's height
inline constexpr int MaxTwips = 32767;   // the card size and positions are 16-bit

struct Placement {
    std::vector<QPoint> topLeft; // one per box, in the order given
    QSize card;                  // CardWidth x CardHeight that holds them all
};

// Fills each column down to the default card's height and goes on in the next one. When
// the columns would make the window wider than 16 bits, the columns are made taller until
// they fit. The card is never smaller than the default one. No two boxes overlap and every
// box lies inside the card, unless the boxes together cannot fit a 16-bit window at all:
// then positions and card size stop at 16 bits.
Placement place(const std::vector<QSize>& sizes);

} // namespace ColumnLayout
