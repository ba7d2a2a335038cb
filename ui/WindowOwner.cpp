#include "ui/WindowOwner.h"

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
