#pragma once

#include "game/PlayField.h"
#include "ui/Form.h"

#include <QImage>
#include <QRegion>
#include <QString>

// Where the client area of a window differs from the picture stretched to
// tiles of `tile` pixels laid from its top-left corner, nearest pixel, as
// "x,y"; empty if nowhere. Points under a control are not compared: under a
// label or button, or a picture or line of a play field.
inline QString tilingMismatch(Form& window, const QImage& picture, const QSize& tile)
{
    QWidget* client = window.client();
    QRegion covered;
    for (const QWidget* control : client->findChildren<QWidget*>()) {
        if (const auto* field = qobject_cast<const PlayField*>(control)) {
            for (const FieldItem* item : field->items())
                covered += item->geometry();
        } else {
            covered += QRect(control->mapTo(client, QPoint(0, 0)), control->size());
        }
    }
    const QImage shot = client->grab().toImage();
    int compared = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (covered.contains(QPoint(x, y)))
                continue;
            // The source pixel under the tile pixel's centre; a centre on a
            // source edge takes the pixel before it.
            const int px = ((2 * (x % tile.width()) + 1) * picture.width() - 1) / (2 * tile.width());
            const int py = ((2 * (y % tile.height()) + 1) * picture.height() - 1) / (2 * tile.height());
            if (shot.pixel(x, y) != picture.pixel(px, py))
                return QStringLiteral("%1,%2").arg(x).arg(y);
            ++compared;
        }
    }
    return compared > 0 ? QString() : QStringLiteral("no uncovered point");
}
