#include "ui/Graphic.h"

#include "ui/FormClient.h"

#include <QAccessibleEvent>

Graphic::Graphic(FormClient* host, const QString& name, const QRect& geometry)
    : QObject(host), host_(host), geometry_(geometry)
{
    setObjectName(name);
    host_->adopt(this);
}

Graphic::~Graphic()
{
    host_->forget(this);
}

void Graphic::setGeometry(const QRect& geometry)
{
    if (geometry == geometry_)
        return;
    update();
    geometry_ = geometry;
    update();
    host_->controlsChanged();
}

void Graphic::move(const QPoint& to)
{
    setGeometry(QRect(to, geometry_.size()));
}

bool Graphic::isVisible() const
{
    return !hidden_ && host_->isVisible();
}

void Graphic::setVisible(bool visible)
{
    if (visible == !hidden_)
        return;
    hidden_ = !visible;
    host_->invalidate(geometry_);
    host_->controlsChanged();
}

void Graphic::setCursor(const QCursor& cursor)
{
    cursor_ = cursor;
    host_->controlsChanged(true);
}

void Graphic::setAccessibleName(const QString& name)
{
    if (name == accessibleName_)
        return;
    accessibleName_ = name;
    if (!QAccessible::isActive())
        return;  // nobody listens; asking for the interface would build one
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Graphic::update()
{
    if (!hidden_)
        host_->invalidate(geometry_);
}
