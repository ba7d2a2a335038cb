#include "app/DisplayGuard.h"

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
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;  // Qt's complaints while the guard stands

QByteArray shown(const char* variable)
{
    const QByteArray value = qgetenv(variable);
    return value.isEmpty() ? QByteArrayLiteral("unset") : '"' + value + '"';
}

QByteArray problem()
{
    QByteArray line = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                          ? QByteArrayLiteral("bimzo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set")
                          : "bimzo: cannot open the display (DISPLAY " + shown("DISPLAY") + ", WAYLAND_DISPLAY "
                                + shown("WAYLAND_DISPLAY") + ')';
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        line += " on the Qt platform " + shown("QT_QPA_PLATFORM");
    return line;
}

void guardHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        held->push_back({type, context.file, context.line, context.function, context.category, message});
        return;
    }
    std::fprintf(stderr, "%s\n", problem().constData());
    std::_Exit(1);
}

} // namespace

DisplayGuard::DisplayGuard()
{
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
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
}
