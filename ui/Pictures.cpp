#include "ui/Pictures.h"

#include <QFile>
#include <QGuiApplication>

namespace pictures {

namespace {
constexpr char kMagic[] = "BZPX";
constexpr qsizetype kHeaderSize = 12;
// Larger than any picture here; keeps width * height * 4 far from overflow.
constexpr quint32 kMaxSide = 4096;

QString path(const QString& name)
{
    return QStringLiteral(":/images/%1.rgba").arg(name);
}

quint32 littleEndian32(const char* p)
{
    const auto* b = reinterpret_cast<const uchar*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24);
}
} // namespace

QImage decode(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderSize || !bytes.startsWith(kMagic))
        return {};
    const quint32 width = littleEndian32(bytes.constData() + 4);
    const quint32 height = littleEndian32(bytes.constData() + 8);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide
        || bytes.size() - kHeaderSize != qsizetype(width) * height * 4)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(bytes.constData() + kHeaderSize), int(width), int(height),
                      int(width) * 4, QImage::Format_RGBA8888);
    return view.convertToFormat(QImage::Format_ARGB32_Premultiplied);  // a copy, in the format blits like
}

QImage read(const QString& name)
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

QPixmap load(const QString& name)
{
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp = QPixmap::fromImage(read(name + QLatin1String("@2x")));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap::fromImage(read(name));
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
