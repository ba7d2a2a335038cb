#include "app/PlatformChoice.h"

#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(uint8_t(x)) == std::tolower(uint8_t(y)); });
}

// XDG_CURRENT_DESKTOP lists names from the most to the least specific.
bool isGnome(std::string_view desktops)
{
    while (!desktops.empty()) {
        const size_t end = std::min(desktops.find(':'), desktops.size());
        if (sameIgnoringCase(desktops.substr(0, end), "GNOME"))
            return true;
        desktops.remove_prefix(std::min(end + 1, desktops.size()));
    }
    return false;
}

} // namespace

SessionEnvironment SessionEnvironment::fromProcess()
{
    return {variable("XDG_CURRENT_DESKTOP"), variable("XDG_SESSION_TYPE"), variable("WAYLAND_DISPLAY"),
            variable("DISPLAY"), variable("QT_QPA_PLATFORM")};
}

std::optional<std::string> chooseQtPlatform(const SessionEnvironment& session, int argc, const char* const argv[])
{
    if (!session.qtPlatform.empty() || qtOptionValue(argc, argv, "-platform"))
        return std::nullopt;
    const bool wayland = session.sessionType == "wayland" || !session.waylandDisplay.empty();
    if (wayland && isGnome(session.currentDesktop) && !session.x11Display.empty())
        return "xcb;wayland";
    return std::nullopt;
}
