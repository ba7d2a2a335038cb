#include "Image.h"

#include "Twips.h"

#include <QMouseEvent>
#include <QPainter>

Image::Image(QWidget* parent, const QString& name, int index, int left, int top, int width, int height,
             const QPixmap& picture)
    : QWidget(parent), picture_(picture), index_(index)
{
    setObjectName(index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(index) : name);
    setAccessibleName(objectName());
    setGeometry(twips::rect(left, top, width, height));
}

void Image::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void Image::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Click(index_);
    else
        QWidget::mousePressEvent(event);
}
