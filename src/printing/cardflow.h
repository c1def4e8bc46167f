#pragma once

#include <QRectF>

#include <vector>

// On paper a text or list box shows everything and may grow taller than in the window. The
// boxes below it move down with it, so that nothing is drawn over.
namespace CardFlow {

// How far each box moves down. boxes are the boxes as the window places them, grown[i] how
// much taller box i becomes. A box moves by the most that any box ending at or above its top
// and overlapping it across has moved and grown; a box beside a growing one stays.
std::vector<double> shifts(const std::vector<QRectF>& boxes, const std::vector<double>& grown);

} // namespace CardFlow
