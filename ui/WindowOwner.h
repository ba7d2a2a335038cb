#pragma once

class QWidget;

// Makes a top-level window belong to another at the window-system level:
// WM_TRANSIENT_FOR on X11, the xdg_toplevel parent on Wayland. Window
// managers then keep it above its owner and place it over it. Unlike a Qt
// parent this ties neither the lifetimes nor the enabled states together.
// A window that is already shown is shown again, since the platforms tell
// the window system a window's owner only when they map it. A null owner
// makes the window stand alone.
void setOwnerWindow(QWidget* window, QWidget* owner);

// Brings a window to the front and asks for the keyboard for it. Under X11
// that is a raise and an activation request. Wayland has no raise, and
// compositors may refuse the activation (sway only marks the window urgent,
// mutter ignores a request without a fresh token), so there a window that
// is not active is mapped afresh, which puts it on top with the keyboard.
// The remapping goes by the native window and keeps the widget's state, so
// a modal box stays in its own event loop. For a player's own request.
void bringToFront(QWidget* window);

// The same raise and activation request, but a shown window is never mapped
// afresh: it stays where the player put it, on whichever output. Where the
// compositor refuses the activation it stays behind, marked urgent.
void raiseInPlace(QWidget* window);
