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
    // The hot spot is the tip of the raised hand.
    constexpr int kHotX = 3;
    constexpr int kHotY = 1;
    return QCursor(load(QStringLiteral("cursor_person")), kHotX, kHotY);
}

} // namespace pictures
