#include "ui/Line.h"

#include "ui/Twips.h"

#include <QPainter>

#include <algorithm>

namespace {
// A thick line grows up and to the left of its coordinates.
QRect lineRect(int x1, int y1, int x2, int y2, int widthPixels)
{
    const int xa = twips::toPixels(x1), ya = twips::toPixels(y1);
    const int xb = twips::toPixels(x2), yb = twips::toPixels(y2);
    const int grow = widthPixels - 1;
    return QRect(QPoint(std::min(xa, xb) - grow, std::min(ya, yb) - grow), QPoint(std::max(xa, xb), std::max(ya, yb)));
}
} // namespace

Line::Line(FormClient* host, const QString& name, int x1, int y1, int x2, int y2, int widthPixels,
           const QColor& color)
    : Graphic(host, name, lineRect(x1, y1, x2, y2, widthPixels)), color_(color)
{
}

void Line::setBorderColor(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void Line::paint(QPainter& painter) const
{
    painter.fillRect(geometry(), color_);
}
