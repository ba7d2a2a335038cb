#include "ui/Image.h"

#include "ui/FormClient.h"
#include "ui/Twips.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {
QString nameWithIndex(const QString& name, int index)
{
    return index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(index) : name;
}
} // namespace

Image::Image(FormClient* host, const QString& name, int index, int left, int top, int width, int height,
             const QPixmap& picture)
    : Graphic(host, nameWithIndex(name, index), twips::rect(left, top, width, height)),
      picture_(picture), index_(index)
{
}

bool Image::clickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Image::Click));
}

void Image::paint(QPainter& painter) const
{
    painter.drawPixmap(pos(), picture_);
}

QAccessible::Role Image::accessibleRole() const
{
    return clickable() ? QAccessible::Button : QAccessible::Graphic;
}

void Image::pressAction()
{
    if (isVisible() && host()->isEnabled())
        emit Click(index_);
}

void Image::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Click(index_);
}
