#include "app/DisplayGuard.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QtMessageHandler previousHandler = nullptr;
std::FILE* held = nullptr;  // stderr's output while the guard stands
int savedStderr = -1;

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

// Puts stderr back; returns what was held.
QByteArray restoreStderr()
{
    QByteArray text;
    if (savedStderr < 0)
        return text;
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    savedStderr = -1;
    std::rewind(held);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, held)) > 0;)
        text.append(buffer, static_cast<qsizetype>(n));
    std::fclose(held);
    held = nullptr;
    return text;
}

void guardHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        previousHandler(type, context, message);
        return;
    }
    restoreStderr();
    std::fprintf(stderr, "%s\n", problem().constData());
    std::_Exit(1);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    held = std::tmpfile();
    std::fflush(stderr);
    savedStderr = held ? dup(STDERR_FILENO) : -1;
    if (savedStderr >= 0)
        dup2(fileno(held), STDERR_FILENO);
    previousHandler = qInstallMessageHandler(guardHandler);
}

void DisplayGuard::release()
{
    if (!previousHandler)
        return;
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    const QByteArray text = restoreStderr();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
}
