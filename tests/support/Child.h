#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control of that name on a window. A missing one ends the run at once:
// every later line of the test would only crash on it.
template <typename T>
T* child(const QObject* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no control %s under %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}
