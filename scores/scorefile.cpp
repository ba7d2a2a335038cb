#include "scores/scorefile.h"

#include "scores/cp932.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString Describe(ScoreFileStatus::Code code, const QString& file)
{
    using C = ScoreFileStatus::Code;
    switch (code) {
    case C::Ok: return {};
    case C::NotAFile:
        return QStringLiteral("ハイスコアファイル「%1」は通常のファイルではありません（フォルダーなどになっています）。").arg(file);
    case C::OpenFailed:
        return QStringLiteral("ハイスコアファイル「%1」を開けませんでした。").arg(file);
    case C::ReadFailed:
        return QStringLiteral("ハイスコアファイル「%1」を読み込めませんでした。").arg(file);
    case C::WriteFailed:
        return QStringLiteral("ハイスコアファイル「%1」に書き込めませんでした。ファイルは元のままです。").arg(file);
    case C::NameNotStorable:
        return QStringLiteral("名前に記録できない文字が含まれているため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::NameTooLong:
        return QStringLiteral("名前が長すぎる（65535 バイトを超える）ため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::CheckOverflow:
        return QStringLiteral("1位の得点が大きすぎて検査値を計算できないため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::ScoreOutOfRange:
        return QStringLiteral("得点が記録できる範囲を超えているため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::NoConverter:
        return QStringLiteral("文字コード CP932 の変換機能が使えないため、ハイスコアファイル「%1」を扱えません。").arg(file);
    case C::LockFailed:
        return QStringLiteral("ハイスコアファイル「%1」は他で使用中のため、書き込みませんでした。").arg(file);
    }
    return {};
}

ScoreFileStatus Fail(ScoreFileStatus::Code code, const QString& path, const QString& reason = {})
{
    return ScoreFileStatus::Failure(code, path, reason);
}

// What is at `path`: nothing, a regular file (symlinks followed), or something else.
enum class Entry { Missing, File, Other };

Entry Inspect(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? Entry::Other : Entry::Missing;  // a dangling link is not "missing"
    // A directory, FIFO or device: opening a FIFO would block the game.
    return info.isFile() ? Entry::File : Entry::Other;
}

ScoreFileStatus LoadFrom(ScoreTable& table, const QString& path, bool createIfMissing)
{
    using C = ScoreFileStatus::Code;
    if (!Cp932Available())
        return Fail(C::NoConverter, path);

    switch (Inspect(path)) {
    case Entry::Other:
        return Fail(C::NotAFile, path);
    case Entry::Missing: {
        if (createIfMissing) {
            QFile file(path);
            // NewOnly: if another copy of the game created it meanwhile, read that one.
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                file.close();
            } else if (Inspect(path) != Entry::File) {
                return Fail(C::OpenFailed, path, file.errorString());
            }
        }
        if (Inspect(path) == Entry::Missing) {
            table = ScoreTable{};
            return {};
        }
        break;
    }
    case Entry::File:
        break;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(C::OpenFailed, path, file.errorString());
    // Nothing past the longest possible record is ever needed.
    const QByteArray data = file.read(kMaxRecordBytes);
    if (file.error() != QFileDevice::NoError)
        return Fail(C::ReadFailed, path, file.errorString());

    // Parsed into a fresh table and installed whole, so numbers from an earlier load never leak in.
    ParsedScoreRecord parsed = ParseScoreRecord(data);
    table = std::move(parsed.table);
    ScoreFileStatus status;
    status.damaged = (!data.isEmpty() && !parsed.complete) || !parsed.clean;
    return status;
}

// Qt 6.4 takes a short write (a full disk, a file size limit) for a complete one
// and would then commit a cut-off file, so every write is checked here.
bool WriteAll(QSaveFile& out, const char* data, qint64 size)
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
QString CancelWrite(QSaveFile& out)
{
    QString reason = QStringLiteral("ディスクに最後まで書き込めませんでした（空き容量の不足など）。");
    if (out.error() != QFileDevice::NoError && !out.errorString().isEmpty()
        && out.errorString() != QLatin1String("Unknown error"))
        reason += QStringLiteral("（%1）").arg(out.errorString());
    out.cancelWriting();
    return reason;
}

ScoreFileStatus SaveTo(const ScoreTable& table, const QString& path, const QString& tailSource)
{
    using C = ScoreFileStatus::Code;
    if (!Cp932Available())
        return Fail(C::NoConverter, path);
    for (const ScoreName* n : {&table.name1, &table.name2, &table.name3}) {
        if (!n->isStorable())
            return Fail(C::NameNotStorable, path);
        if (n->bytes().size() > kMaxNameBytes)
            return Fail(C::NameTooLong, path);
    }
    const std::optional<QByteArray> record = SerializeScoreRecord(table);
    if (!record)  // unreachable after the checks above; kept so a new rule cannot write garbage
        return Fail(C::NameNotStorable, path);

    if (Inspect(path) == Entry::Other)
        return Fail(C::NotAFile, path);

    QFile old(tailSource);
    switch (Inspect(tailSource)) {
    case Entry::Other:
        return Fail(C::NotAFile, tailSource);
    case Entry::File:
        if (!old.open(QIODevice::ReadOnly))
            return Fail(C::OpenFailed, tailSource, old.errorString());
        break;
    case Entry::Missing:
        break;
    }

    // Temporary file in the same directory, renamed over the old one on commit:
    // a save cut short leaves the old file. No direct-write fallback.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(C::OpenFailed, path, out.errorString());
    qint64 expected = record->size();
    if (!WriteAll(out, record->constData(), record->size()))
        return Fail(C::WriteFailed, path, CancelWrite(out));

    // Bytes past the new record's end stay as they were.
    if (old.isOpen() && old.size() > record->size()) {
        if (!old.seek(record->size())) {
            out.cancelWriting();
            return Fail(C::ReadFailed, tailSource, old.errorString());
        }
        char buf[64 * 1024];
        for (;;) {
            const qint64 n = old.read(buf, sizeof buf);
            if (n < 0) {
                out.cancelWriting();
                return Fail(C::ReadFailed, tailSource, old.errorString());
            }
            if (n == 0)
                break;
            if (!WriteAll(out, buf, n))
                return Fail(C::WriteFailed, path, CancelWrite(out));
            expected += n;
        }
    }
    old.close();
    // Last look before the rename: the temporary file must hold everything.
    if (out.size() != expected)
        return Fail(C::WriteFailed, path, CancelWrite(out));
    if (!out.commit())
        return Fail(C::WriteFailed, path, out.errorString());
    return {};
}

} // namespace

ScoreFileStatus ScoreFileStatus::Failure(Code code, const QString& path, const QString& reason)
{
    ScoreFileStatus s;
    s.code = code;
    s.message = Describe(code, QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        s.message += QStringLiteral("\n理由: %1").arg(reason);
    return s;
}

QString JoinPath(const QString& dir, const QString& file, QChar separator)
{
    if (dir.endsWith(separator))
        return dir + file;
    return dir + separator + file;
}

QString JoinPath(const QString& dir, const QString& file)
{
    return JoinPath(dir, file, QDir::separator());
}

QString ScoreFileLocation::readPath() const
{
    if (!legacyPath.isEmpty() && Inspect(path) == Entry::Missing
        && Inspect(legacyPath) == Entry::File)
        return legacyPath;
    return path;
}

ScoreFileLocation LocateScoreFile(const QString& exeDir, const QString& dataDir)
{
    const QString name = QString::fromLatin1(kScoreFileName);
    const QString beside = JoinPath(QDir::toNativeSeparators(exeDir), name);
    const QFileInfo dir(exeDir);
    // An installed copy (its desktop entry in ../share beside bin) never
    // writes into bin, even for root, who could.
    const bool installed =
        QFileInfo::exists(exeDir + QStringLiteral("/../share/applications/org.example.Bimzo.desktop"));
    if (!installed && dir.isDir() && dir.isWritable())
        return ScoreFileLocation(beside);
    QDir().mkpath(dataDir);  // a failure shows up as an error when the file is opened
    return ScoreFileLocation(JoinPath(QDir::toNativeSeparators(dataDir), name), beside);
}

ScoreFileLocation LocateScoreFile()
{
    return LocateScoreFile(QCoreApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString ScoreFilePath()
{
    return LocateScoreFile().path;
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where)
{
    const QString from = where.readPath();
    // The file beside a read-only executable is only read, never created.
    return LoadFrom(table, from, from == where.path);
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const QString& path)
{
    return LoadScoreTable(table, ScoreFileLocation(path));
}

ScoreFileStatus LoadScoreTable(ScoreTable& table)
{
    return LoadScoreTable(table, LocateScoreFile());
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const ScoreFileLocation& where)
{
    return SaveTo(table, where.path, where.readPath());
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const QString& path)
{
    return SaveScoreTable(table, ScoreFileLocation(path));
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table)
{
    return SaveScoreTable(table, LocateScoreFile());
}

ScoreTable& SharedScoreTable()
{
    static ScoreTable table;
    return table;
}
