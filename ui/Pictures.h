#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>

// The game's pictures, compiled into the executable as raw pixels:
// "BZPX", width and height as little-endian 32-bit numbers, then four bytes
// a pixel (red, green, blue, alpha, not premultiplied) row by row. Reading
// them needs no image decoder, so no image plugin is loaded at start-up.
namespace pictures {
// The picture in those bytes; a null image if they are not one.
QImage decode(const QByteArray& bytes);
// ":/images/<name>.rgba" at its own size; null if missing or malformed.
QImage read(const QString& name);
// The picture, from its double-size drawing on high-DPI screens.
QPixmap load(const QString& name);
QCursor personCursor();
} // namespace pictures
