#include "ui/WindowOwner.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {
QWindow* nativeWindowOf(QWidget* widget)
{
    if (!widget)
        return nullptr;
    widget = widget->window();
    widget->winId();  // creates the native window if it is not there yet
    return widget->windowHandle();
}
} // namespace

void setOwnerWindow(QWidget* window, QWidget* owner)
{
    QWindow* handle = nativeWindowOf(window);
    QWindow* ownerHandle = nativeWindowOf(owner);
    if (!handle || handle == ownerHandle || handle->transientParent() == ownerHandle)
        return;
    handle->setTransientParent(ownerHandle);
    if (window->isVisible()) {
        window->hide();
        window->show();
    }
}

void bringToFront(QWidget* window)
{
    window = window->window();
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (wayland && window->isVisible() && !window->isActiveWindow()) {
        QWindow* handle = window->windowHandle();
        handle->hide();
        handle->show();
        return;
    }
    raiseInPlace(window);
}

void raiseInPlace(QWidget* window)
{
    window = window->window();
    window->show();
    window->raise();
    window->activateWindow();
}
