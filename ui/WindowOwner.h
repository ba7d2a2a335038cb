#pragma once

class QWidget;

// Makes a top-level window belong to another at the window-system level:
// WM_TRANSIENT_FOR on X11, the xdg_toplevel parent on Wayland. Window
// managers then keep it above its owner and place it over it. Unlike a Qt
// parent this ties neither the lifetimes nor the enabled states together.
// A window that is already shown is shown again, since the platforms tell
// the window system a window's owner only when they map it.
void setOwnerWindow(QWidget* window, QWidget* owner);
