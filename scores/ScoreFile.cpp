#include "scores/ScoreFile.h"

#include "scores/Cp932.h"
#include "scores/ScoreFormat.h"

#include <QFile>
#include <QSaveFile>

namespace {

ScoreFileStatus fail(ScoreFileStatus::Code code, const QString& path, const QString& reason = {})
{
    return ScoreFileStatus::failure(code, path, reason);
}

ScoreFileStatus loadFrom(ScoreTable& table, const QString& path, bool createIfMissing)
{
    using C = ScoreFileStatus::Code;
    if (!cp932Available())
        return fail(C::NoConverter, path);

    switch (inspectPath(path)) {
    case PathEntry::Other:
        return fail(C::NotAFile, path);
    case PathEntry::Missing: {
        if (createIfMissing) {
            QFile file(path);
            // NewOnly: if another copy of the game created it meanwhile, read that one.
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                file.close();
            } else if (inspectPath(path) != PathEntry::File) {
                return fail(C::OpenFailed, path, file.errorString());
            }
        }
        if (inspectPath(path) == PathEntry::Missing) {
            table = ScoreTable{};
            return {};
        }
        break;
    }
    case PathEntry::File:
        break;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(C::OpenFailed, path, file.errorString());
    // Nothing past the longest possible record is ever needed.
    const QByteArray data = file.read(kMaxRecordBytes);
    if (file.error() != QFileDevice::NoError)
        return fail(C::ReadFailed, path, file.errorString());

    // Parsed into a fresh table and installed whole, so numbers from an earlier load never leak in.
    ParsedScoreRecord parsed = parseScoreRecord(data);
    table = std::move(parsed.table);
    ScoreFileStatus status;
    status.damaged = (!data.isEmpty() && !parsed.complete) || !parsed.clean;
    return status;
}

// Qt 6.4 takes a short write (a full disk, a file size limit) for a complete one
// and would then commit a cut-off file, so every write is checked here.
bool writeAll(QSaveFile& out, const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 n = out.write(data, size);
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Ends the write and says why. The reason is taken first: cancelWriting()
// replaces it with "Writing canceled by application".
QString cancelWrite(QSaveFile& out)
{
    QString reason = QStringLiteral("ディスクに最後まで書き込めませんでした（空き容量の不足など）。");
    if (out.error() != QFileDevice::NoError && !out.errorString().isEmpty()
        && out.errorString() != QLatin1String("Unknown error"))
        reason += QStringLiteral("（%1）").arg(out.errorString());
    out.cancelWriting();
    return reason;
}

// Copies the bytes of `old` from `from` on, so those past the new record's
// end stay as they were. Counts what was written into `written`.
ScoreFileStatus copyTail(QFile& old, qint64 from, QSaveFile& out, qint64& written)
{
    using C = ScoreFileStatus::Code;
    if (!old.seek(from)) {
        out.cancelWriting();
        return fail(C::ReadFailed, old.fileName(), old.errorString());
    }
    char buf[64 * 1024];
    for (;;) {
        const qint64 n = old.read(buf, sizeof buf);
        if (n < 0) {
            out.cancelWriting();
            return fail(C::ReadFailed, old.fileName(), old.errorString());
        }
        if (n == 0)
            return {};
        if (!writeAll(out, buf, n))
            return fail(C::WriteFailed, out.fileName(), cancelWrite(out));
        written += n;
    }
}

ScoreFileStatus saveTo(const ScoreTable& table, const QString& path, const QString& tailSource)
{
    using C = ScoreFileStatus::Code;
    if (!cp932Available())
        return fail(C::NoConverter, path);
    const std::optional<QByteArray> record = serializeScoreRecord(table);
    if (!record)
        return fail(storeProblem(table), path);

    if (inspectPath(path) == PathEntry::Other)
        return fail(C::NotAFile, path);

    QFile old(tailSource);
    switch (inspectPath(tailSource)) {
    case PathEntry::Other:
        return fail(C::NotAFile, tailSource);
    case PathEntry::File:
        if (!old.open(QIODevice::ReadOnly))
            return fail(C::OpenFailed, tailSource, old.errorString());
        break;
    case PathEntry::Missing:
        break;
    }

    // Temporary file in the same directory, renamed over the old one on commit:
    // a save cut short leaves the old file. No direct-write fallback.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(C::OpenFailed, path, out.errorString());
    qint64 expected = record->size();
    if (!writeAll(out, record->constData(), record->size()))
        return fail(C::WriteFailed, path, cancelWrite(out));

    if (old.isOpen() && old.size() > record->size()) {
        if (ScoreFileStatus copied = copyTail(old, record->size(), out, expected); !copied.ok())
            return copied;
    }
    old.close();
    // Last look before the rename: the temporary file must hold everything.
    if (out.size() != expected)
        return fail(C::WriteFailed, path, cancelWrite(out));
    if (!out.commit())
        return fail(C::WriteFailed, path, out.errorString());
    return {};
}

} // namespace

ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where)
{
    const QString from = where.readPath();
    // The file beside a read-only executable is only read, never created.
    return loadFrom(table, from, from == where.path);
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const QString& path)
{
    return LoadScoreTable(table, ScoreFileLocation(path));
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const ScoreFileLocation& where)
{
    return saveTo(table, where.path, where.readPath());
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const QString& path)
{
    return SaveScoreTable(table, ScoreFileLocation(path));
}
