#pragma once

#include "game/PlayField.h"
#include "ui/Form.h"

#include <QImage>
#include <QRegion>
#include <QSet>
#include <QString>

// What the controls cover on a form's client area, in its pixels: labels and
// buttons, and the pictures and lines of a play field.
inline QRegion controlsArea(QWidget* client)
{
    QRegion covered;
    for (const QWidget* control : client->findChildren<QWidget*>()) {
        if (const auto* field = qobject_cast<const PlayField*>(control)) {
            for (const FieldItem* item : field->items())
                covered += item->geometry();
        } else {
            covered += QRect(control->mapTo(client, QPoint(0, 0)), control->size());
        }
    }
    return covered;
}

// The first device pixel of the client area, away from the controls, whose
// colour is none of the picture's, as "x,y"; empty if none. A seam between
// two tiles shows the window's own colour there.
inline QString strayPixel(Form& window, const QImage& picture)
{
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y) | 0xff000000u);
    const QImage shot = window.client()->grab().toImage();
    const qreal dpr = shot.devicePixelRatio();
    QRegion covered;
    for (const QRect& r : controlsArea(window.client())) {  // with a pixel for the blurred edges
        const QRectF scaled(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
        covered += scaled.toAlignedRect().adjusted(-1, -1, 1, 1);
    }
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (!covered.contains(QPoint(x, y)) && !colours.contains(shot.pixel(x, y)))
                return QStringLiteral("%1,%2").arg(x).arg(y);
    return {};
}
