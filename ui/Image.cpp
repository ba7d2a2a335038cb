#include "Image.h"

#include "Twips.h"

#include <QAccessibleWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A clickable image is a button to a screen reader, and its press action
// clicks it as the mouse would: only while it is shown on an enabled window.
class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(Image* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override
    {
        return image()->clickable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (image()->clickable())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction() || !image()->clickable()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (image()->isVisible() && image()->isEnabled())
            emit image()->Click(image()->index());
    }

private:
    Image* image() const { return static_cast<Image*>(widget()); }
};

QAccessibleInterface* imageAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("Image") && object && object->isWidgetType())
        return new ImageAccessible(static_cast<Image*>(object));
    return nullptr;
}

} // namespace

Image::Image(QWidget* parent, const QString& name, int index, int left, int top, int width, int height,
             const QPixmap& picture)
    : QWidget(parent), picture_(picture), index_(index)
{
    static const bool factoryInstalled = (QAccessible::installFactory(imageAccessibleFactory), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(index >= 0 ? QStringLiteral("%1_%2").arg(name).arg(index) : name);
    setGeometry(twips::rect(left, top, width, height));
}

bool Image::clickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Image::Click));
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
