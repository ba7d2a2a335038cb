#pragma once
// Small helpers shared by the score tests.

#include "scores/ScoreFormat.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

Q_DECLARE_METATYPE(ScoreTable)

inline QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

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

// Builds a record field by field, the way another program might have written it.
class RecordBuilder {
public:
    RecordBuilder& num(qint32 v) { return put(v); }
    RecordBuilder& name(const QByteArray& raw)
    {
        return len(static_cast<quint16>(raw.size())).raw(raw);
    }
    RecordBuilder& len(quint16 n) { return put(n); }
    RecordBuilder& raw(const QByteArray& b)
    {
        bytes.append(b);
        return *this;
    }
    QByteArray bytes;

private:
    template <typename T>
    RecordBuilder& put(T v)
    {
        char b[sizeof v];
        qToLittleEndian(v, b);
        bytes.append(b, sizeof v);
        return *this;
    }
};

// The places of a table, best first, for comparing them in one go.
inline QList<qint32> scoresOf(const ScoreTable& t)
{
    QList<qint32> out;
    for (const ScoreEntry& e : t.entries)
        out.append(e.score);
    return out;
}

inline QStringList namesOf(const ScoreTable& t)
{
    QStringList out;
    for (const ScoreEntry& e : t.entries)
        out.append(e.name.text());
    return out;
}

inline QList<qint32> hitsOf(const ScoreTable& t)
{
    QList<qint32> out;
    for (const ScoreEntry& e : t.entries)
        out.append(e.hits);
    return out;
}

struct ToolResult {
    int exitCode = -1;
    QString output;
};

inline ToolResult runTool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(SCORE_FILE_TOOL), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput())};
}
