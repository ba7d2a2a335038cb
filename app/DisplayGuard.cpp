#include "app/DisplayGuard.h"

#include "app/CommandLine.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The context's strings are static, set by the logging macros.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;

    QMessageLogContext context() const { return QMessageLogContext(file, line, function, category); }
};

// A setting and where it came from ("given with -display", "from DISPLAY").
struct Given {
    QByteArray value;
    QByteArray from;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;  // Qt's complaints while the guard stands
Given platformOption;
Given displayOption;

Given fromEnvironment(const char* variable)
{
    return {qgetenv(variable), QByteArray("from ") + variable};
}

Given chosen(const Given& option, const char* variable)
{
    return option.value.isEmpty() ? fromEnvironment(variable) : option;
}

QByteArray quoted(const Given& g)
{
    return '"' + g.value + "\" (" + g.from + ')';
}

// What Qt said, searched for the text it uses for each failure; the quoted
// name that follows `marker`, or nothing.
QByteArray quotedAfter(const char* marker)
{
    for (const HeldMessage& m : *held) {
        const QByteArray text = m.text.toLocal8Bit();
        const qsizetype at = text.indexOf(marker);
        if (at < 0)
            continue;
        const qsizetype open = text.indexOf('"', at);
        const qsizetype close = open < 0 ? -1 : text.indexOf('"', open + 1);
        return close < 0 ? QByteArray("?") : text.mid(open + 1, close - open - 1);
    }
    return {};
}

bool said(const char* marker)
{
    for (const HeldMessage& m : *held)
        if (m.text.contains(QLatin1String(marker)))
            return true;
    return false;
}

QByteArray problem()
{
    const Given platform = chosen(platformOption, "QT_QPA_PLATFORM");
    if (const QByteArray missing = quotedAfter("Could not find the Qt platform plugin"); !missing.isEmpty())
        return "bimzo: cannot start: there is no Qt platform plugin \"" + missing + '"'
            + (platform.value.isEmpty() ? QByteArray() : " (" + platform.from + ')');
    if (said("could not connect to display")) {
        const Given display = chosen(displayOption, "DISPLAY");
        if (display.value.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return "bimzo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
        if (display.value.isEmpty())
            return "bimzo: cannot open an X display: DISPLAY is unset (WAYLAND_DISPLAY is set, but Qt chose X11)";
        return "bimzo: cannot open the X display " + quoted(display);
    }
    if (said("Failed to create wl_display")) {
        const Given wayland = fromEnvironment("WAYLAND_DISPLAY");
        return wayland.value.isEmpty() ? QByteArray("bimzo: cannot open the Wayland display \"wayland-0\" "
                                                    "(the default: WAYLAND_DISPLAY is unset)")
                                       : "bimzo: cannot open the Wayland display " + quoted(wayland);
    }
    if (const QByteArray broken = quotedAfter("Could not load the Qt platform plugin"); !broken.isEmpty())
        return "bimzo: cannot start: the Qt platform plugin \"" + broken + "\" was found but could not be loaded";
    return "bimzo: cannot start: Qt could not open the window system"
        + (platform.value.isEmpty() ? QByteArray() : " with the platform " + quoted(platform));
}

void print(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    QByteArray line = qFormatLogMessage(type, context, text).toLocal8Bit();
    while (line.endsWith('\n'))
        line.chop(1);
    std::fprintf(stderr, "%s\n", line.constData());
}

void guardHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        held->push_back({type, context.file, context.line, context.function, context.category, message});
        return;
    }
    std::fprintf(stderr, "%s\n", problem().constData());
    for (const HeldMessage& m : *held)
        print(m.type, m.context(), m.text);
    print(type, context, message);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

DisplayGuard::DisplayGuard(int argc, char** argv)
{
    if (const char* platform = qtOptionValue(argc, argv, "-platform"))
        platformOption = {platform, "given with -platform"};
    if (const char* display = qtOptionValue(argc, argv, "-display"))
        displayOption = {display, "given with -display"};
    held = new std::vector<HeldMessage>;
    previousHandler = qInstallMessageHandler(guardHandler);
}

void DisplayGuard::release()
{
    if (!held)
        return;
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    std::vector<HeldMessage> messages = std::move(*held);
    delete held;
    held = nullptr;
    // The display opened after all: what Qt said meanwhile is passed on.
    for (const HeldMessage& m : messages)
        qt_message_output(m.type, m.context(), m.text);
}
