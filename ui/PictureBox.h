#pragma once

#include "ui/Twips.h"

#include <QPixmap>

// A hidden picture holder: it is never shown, it only keeps a picture and
// reports its inner size, its designed size less a 2-pixel sunken border on
// each side.
class PictureBox {
public:
    static constexpr int kBorderTwips = 2 * twips::kPerPixel;

    PictureBox(const QPixmap& picture, int width, int height)
        : picture_(picture), width_(width), height_(height)
    {
    }

    const QPixmap& picture() const { return picture_; }
    int innerWidth() const { return width_ - 2 * kBorderTwips; }
    int innerHeight() const { return height_ - 2 * kBorderTwips; }

private:
    QPixmap picture_;
    int width_;
    int height_;
};
