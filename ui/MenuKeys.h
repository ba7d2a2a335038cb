#pragma once

class QMenuBar;

namespace menuKeys {
// Lets the keyboard reach a window's menu bar under every style, without
// access-key letters in the captions: Alt enters the bar (some styles, such
// as Adwaita, turn that off), F10 opens the first menu as on GNOME, Alt and a
// menu's initial open that menu, and the menu the keyboard is on is drawn
// as open. Call once the bar holds its menus.
void reachFromKeyboard(QMenuBar* bar);
} // namespace menuKeys
