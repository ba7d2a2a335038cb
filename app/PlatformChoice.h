#pragma once

#include <optional>
#include <string>

// What the session says about the desktop, read before Qt starts.
struct SessionEnvironment {
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP, a list such as "ubuntu:GNOME"
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string x11Display;      // DISPLAY
    std::string qtPlatform;      // QT_QPA_PLATFORM: the player's own choice

    static SessionEnvironment fromProcess();
};

// The Qt platform to ask for, or nothing to leave the choice to Qt. GNOME on
// Wayland gets its X server (XWayland): mutter draws no title bars for Wayland
// clients, and Qt's own lack the fixed-size frame, centred dialogs and focus
// the game needs. Wayland stays the fallback when X cannot be reached. A
// platform the player named (QT_QPA_PLATFORM, -platform) is always kept.
std::optional<std::string> chooseQtPlatform(const SessionEnvironment& session, int argc, const char* const argv[]);
