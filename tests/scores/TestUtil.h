#pragma once
// Small helpers shared by the score tests.

#include "scores/ScoreFormat.h"
#include "tests/support/Files.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ScoreTable)

inline QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
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

// A copy of the score tool that keeps running until the test is done with it.
inline std::unique_ptr<QProcess> startTool(const QStringList& args)
{
    auto p = std::make_unique<QProcess>();
    p->start(QStringLiteral(SCORE_FILE_TOOL), args);
    return p;
}

inline QByteArray readLine(QProcess& p)
{
    while (!p.canReadLine())
        if (!p.waitForReadyRead(10000))
            return {};
    return p.readLine().trimmed();
}
