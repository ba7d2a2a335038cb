#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

// The game's pictures, compiled into the executable.
namespace pictures {
// Loads ":/images/<name>.png", the double-size drawing on high-DPI screens.
QPixmap load(const QString& name);
QCursor personCursor();
} // namespace pictures
