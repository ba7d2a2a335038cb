#pragma once

#include <QMouseEvent>
#include <QPoint>

#include <cmath>

// The logical pixel that holds the device pixel a mouse event came from.
// Qt hands a widget its position rounded to the nearest logical pixel, which
// at scale 2 or 1.5 can be the neighbour below or right of the one pressed;
// the position in the window keeps the fraction that rounding took off.
inline QPoint pressedPixel(const QMouseEvent* event)
{
    const QPointF scene = event->scenePosition();
    const QPointF exact = event->position() + (scene - scene.toPoint());
    return QPoint(static_cast<int>(std::floor(exact.x())), static_cast<int>(std::floor(exact.y())));
}
