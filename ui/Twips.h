#pragma once

#include <QRect>

// Layouts are given in twips. A pixel is 15 twips at 96 dpi; Qt's logical
// pixels stand in for those pixels, so high-DPI scaling applies as a whole.
namespace twips {
inline constexpr int kPerPixel = 15;

constexpr int toPixels(int twips)
{
    // Nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + kPerPixel / 2) / kPerPixel : -((-twips + kPerPixel / 2) / kPerPixel);
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace twips
