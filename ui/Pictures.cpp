#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>

namespace pictures {

namespace {
QString path(const QString& name, const char* suffix = "")
{
    return QStringLiteral(":/images/%1%2.png").arg(name, QLatin1String(suffix));
}
} // namespace

QPixmap load(const QString& name)
{
    if (qApp && qApp->devicePixelRatio() > 1.0 && QFile::exists(path(name, "@2x"))) {
        QPixmap sharp(path(name, "@2x"));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap(path(name));
}

QCursor personCursor()
{
    // The hot spot is the tip of the raised hand, in pixels of the 32 x 32 drawing.
    constexpr int kHotX = 3;
    constexpr int kHotY = 1;
    const QPixmap picture = load(QStringLiteral("cursor_person"));
    // Qt 6.4 on X11 gives the hot spot to the server as it is, in the
    // picture's own pixels, even for a 2x picture; Wayland takes logical ones.
    const qreal scale = QGuiApplication::platformName() == QLatin1String("xcb") ? picture.devicePixelRatio() : 1.0;
    return QCursor(picture, qRound(kHotX * scale), qRound(kHotY * scale));
}

} // namespace pictures
