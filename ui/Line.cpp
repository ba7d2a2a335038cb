#include "Line.h"

#include "Twips.h"

#include <QPainter>

#include <algorithm>

Line::Line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, int widthPixels,
           const QColor& color)
    : QWidget(parent), color_(color)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int xa = twips::toPixels(x1), ya = twips::toPixels(y1);
    const int xb = twips::toPixels(x2), yb = twips::toPixels(y2);
    // A thick line grows up and to the left of its coordinate.
    const int grow = widthPixels - 1;
    setGeometry(QRect(QPoint(std::min(xa, xb) - grow, std::min(ya, yb) - grow),
                      QPoint(std::max(xa, xb), std::max(ya, yb))));
}

void Line::setBorderColor(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}
