#pragma once

#include <cstdint>
#include <limits>

// Covers a window with copies of one picture, column by column, each column
// top to bottom. Both bounds are inclusive, so a last column or row starting
// exactly on the edge is painted too (and clipped by the window).
//
// `Window` needs PaintPicture(picture, x, y, width, height). All sizes are in
// the window's units. Sizes of zero or less, and positions that would leave
// the 32-bit range, end the tiling instead of looping or overflowing.
template <typename Window, typename Picture>
void TileBackground(Window& window, std::int32_t areaWidth, std::int32_t areaHeight,
                    const Picture& picture, std::int32_t tileWidth, std::int32_t tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    for (std::int64_t x = 0; x <= areaWidth && x <= kMax; x += tileWidth) {
        for (std::int64_t y = 0; y <= areaHeight && y <= kMax; y += tileHeight) {
            window.PaintPicture(picture, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                tileWidth, tileHeight);
        }
    }
}
