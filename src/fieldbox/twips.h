#pragma once

#include <QtGlobal>

#include <cmath>

// Model, file and layout rules are in twips; the screen is in device-independent pixels.
// This is the one place that converts between them.
namespace Twips {
inline constexpr int PerPixel = 15;
inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / PerPixel));
}
inline int fromPixels(double pixels) {
    return static_cast<int>(std::lround(pixels * PerPixel));
}
} // namespace Twips
