#pragma once
// A file's bytes, written and read whole, for tests that look at what lies on disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(f.errorString()));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}
