#include "scores/ScoreFile.h"

#include "scores/Cp932.h"
#include "scores/FileAccess.h"
#include "scores/ScoreFormat.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using C = ScoreFileStatus::Code;

const QString kLoadHeadline = QStringLiteral("ハイスコア表を読み込めませんでした。");
const QString kSaveHeadline = QStringLiteral("ハイスコア表を保存できませんでした。");
const QString kKeptAsItWas = QStringLiteral("ハイスコアファイルは元のままです。");
// %1 the file, %2 the reason.
const QString kCannotOpen = QStringLiteral("「%1」を開けません: %2");
const QString kCannotRead = QStringLiteral("「%1」を読み込めません: %2");
const QString kCannotWrite = QStringLiteral("「%1」に書き込めません: %2");

ScoreFileStatus notAFile(const QByteArray& path, mode_t mode)
{
    QString kind = describeKind(mode);
    if (S_ISLNK(mode))
        kind = QStringLiteral("行き先のないシンボリックリンク");
    return ScoreFileStatus::failure(
        C::NotAFile, QStringLiteral("「%1」は通常のファイルではありません（%2）。").arg(shownPath(path), kind));
}

ScoreFileStatus failed(C code, const QString& what, const QByteArray& path, int error)
{
    return ScoreFileStatus::failure(code, what.arg(shownPath(path), describeError(error)) + QStringLiteral("。"), error);
}

ScoreFileStatus openFailed(const OpenResult& r, const QByteArray& path)
{
    if (r.notRegular)
        return notAFile(path, r.found);
    return failed(C::OpenFailed, kCannotOpen, path, r.error);
}

ScoreFileStatus noConverter()
{
    return ScoreFileStatus::failure(C::NoConverter,
                                    QStringLiteral("このシステムでは文字コード CP932 の変換が使えません。"));
}

ScoreFileStatus loadFrom(ScoreTable& table, const QByteArray& path, bool createIfMissing)
{
    if (!cp932Available())
        return noConverter();
    PathLook look = lookAt(path, true);
    if (look.what == PathLook::Other)
        return notAFile(path, look.mode);
    if (look.error != 0)
        return failed(C::OpenFailed, kCannotOpen, path, look.error);
    if (look.what == PathLook::Missing) {
        if (createIfMissing) {
            // O_EXCL: if another copy of the game created it meanwhile, read that one.
            const OpenResult created = openRegular(path, O_WRONLY | O_CREAT | O_EXCL, true);
            if (!created.fd.valid() && created.error != EEXIST)
                return failed(C::OpenFailed, QStringLiteral("「%1」を作れません: %2"), path, created.error);
        }
        look = lookAt(path, true);
        if (look.what == PathLook::Missing) {
            table = ScoreTable{};
            return {};
        }
    }

    const OpenResult opened = openRegular(path, O_RDONLY, false);
    if (!opened.fd.valid())
        return openFailed(opened, path);
    // Nothing past the longest possible record is ever needed.
    QByteArray data(kMaxRecordBytes, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(opened.fd.get(), data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(C::ReadFailed, kCannotRead, path, errno);
        if (n == 0)
            break;
        got += n;
    }
    data.truncate(got);

    // Parsed into a fresh table and installed whole, so numbers from an earlier load never leak in.
    ParsedScoreRecord parsed = parseScoreRecord(data);
    table = std::move(parsed.table);
    ScoreFileStatus status;
    status.damaged = (!data.isEmpty() && !parsed.complete) || !parsed.clean;
    return status;
}

// Writes everything or reports the errno; a short write (a full disk, a file
// size limit) is not taken for a whole one.
int writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

// The temporary file beside `target`, removed unless it was renamed into place.
class TempFile {
public:
    explicit TempFile(const QByteArray& target)
    {
        // Cut to fit NAME_MAX with the suffix when a link's target has a long name.
        const QByteArray name = fileNameOf(target).left(200);
        path_ = folderOf(target) + '/' + name + ".XXXXXX";
        fd_.reset(::mkostemp(path_.data(), O_CLOEXEC));
        error_ = fd_.valid() ? 0 : errno;
    }
    ~TempFile()
    {
        if (!renamed_)
            ::unlink(path_.constData());
    }
    int error() const { return error_; }
    int fd() const { return fd_.get(); }
    // Gives it the owner and mode of the file it replaces (root saving a
    // player's file leaves it the player's), or the default mode for a new one.
    void takeOwnerAndModeOf(const struct stat* old)
    {
        if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid())) {
            if (::fchown(fd(), old->st_uid, old->st_gid) != 0)
                (void)::fchown(fd(), static_cast<uid_t>(-1), old->st_gid);  // the group at least, if ours
        }
        mode_t mode = 0;
        if (old) {
            mode = old->st_mode & 0777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd(), mode);
    }
    // Syncs, closes and renames it over `target`: 0 or the errno.
    int commit(const QByteArray& target)
    {
        if (::fsync(fd()) != 0)
            return errno;
        if (::close(fd_.release()) != 0)
            return errno;
        if (::rename(path_.constData(), target.constData()) != 0)
            return errno;
        renamed_ = true;
        return 0;
    }

private:
    QByteArray path_;
    Fd fd_;
    int error_ = 0;
    bool renamed_ = false;
};

// Copies the bytes of `old` from `from` on, so those past the new record's end stay as they were.
ScoreFileStatus copyTail(int old, const QByteArray& oldPath, qint64 from, int out, const QByteArray& target)
{
    if (::lseek(old, from, SEEK_SET) < 0)
        return failed(C::ReadFailed, kCannotRead, oldPath, errno);
    char buf[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(old, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(C::ReadFailed, kCannotRead, oldPath, errno);
        if (n == 0)
            return {};
        if (const int error = writeAll(out, buf, n))
            return failed(C::WriteFailed, kCannotWrite, target, error);
    }
}

ScoreFileStatus saveTo(const ScoreTable& table, const ScoreFileLocation& where)
{
    ignoreFileSizeSignal();
    if (!cp932Available())
        return noConverter();
    const std::optional<QByteArray> record = serializeScoreRecord(table);
    if (!record)
        return ScoreFileStatus::refusal(storeProblem(table));

    QByteArray target;
    if (ScoreFileStatus s = fileWrittenFor(where, target); !s.ok())
        return s;
    const QByteArray tailSource = where.readFile();
    const PathLook source = lookAt(tailSource, true);
    if (source.what == PathLook::Other)
        return notAFile(tailSource, source.mode);
    OpenResult old;
    struct stat oldStat {};
    if (source.what == PathLook::File) {
        old = openRegular(tailSource, O_RDONLY, false);
        if (!old.fd.valid())
            return openFailed(old, tailSource);
    }
    const bool replacing = ::stat(target.constData(), &oldStat) == 0 && S_ISREG(oldStat.st_mode);
    // A file made read-only is left alone, though its folder would let a rename replace it.
    if (replacing && ::access(target.constData(), W_OK) != 0)
        return failed(C::OpenFailed, kCannotWrite, target, errno);

    // A save cut short leaves the old file: the new one is only renamed over it whole.
    TempFile temp(target);
    if (temp.error())
        return failed(temp.error() == ENOSPC || temp.error() == EDQUOT ? C::WriteFailed : C::OpenFailed,
                      QStringLiteral("フォルダー「%1」に新しいファイルを作れません: %2"), folderOf(target),
                      temp.error());
    temp.takeOwnerAndModeOf(replacing ? &oldStat : nullptr);
    if (const int error = writeAll(temp.fd(), record->constData(), record->size()))
        return failed(C::WriteFailed, kCannotWrite, target, error);
    if (old.fd.valid()) {
        if (ScoreFileStatus copied = copyTail(old.fd.get(), tailSource, record->size(), temp.fd(), target);
            !copied.ok())
            return copied;
        old.fd.reset();
    }
    if (const int error = temp.commit(target))
        return failed(C::WriteFailed, kCannotWrite, target, error);
    if (const int error = syncFolder(folderOf(target)))
        return failed(C::SyncFailed,
                      QStringLiteral("新しい表は「%1」に書きましたが、フォルダーをディスクに同期できませんでした: %2"),
                      target, error);
    return {};
}

} // namespace

ScoreFileStatus fileWrittenFor(const ScoreFileLocation& where, QByteArray& written)
{
    int error = 0;
    written = writtenFile(where.file, error);
    if (error == ENOENT)
        return notAFile(where.file, S_IFLNK);
    if (error != 0)
        return failed(C::OpenFailed, QStringLiteral("「%1」のリンク先をたどれません: %2"), where.file, error);
    return {};
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where)
{
    const QByteArray from = where.readFile();
    // The file beside a read-only executable is only read, never created.
    ScoreFileStatus status = loadFrom(table, from, from == where.file);
    struct stat st {};
    if (status.ok() && !where.unreachable.isEmpty() && ::stat(from.constData(), &st) == 0 && st.st_size == 0) {
        return ScoreFileStatus::failure(
                   C::FolderUnreadable,
                   QStringLiteral("プログラムのあるフォルダー「%1」は名前を正しく読み取れないため、そこにある表を開けません。新しい表を「%2」に作ります。")
                       .arg(where.unreachable, shownPath(from)))
            .explain(QStringLiteral("前のハイスコア表が見つかりません。"));
    }
    return status.explain(kLoadHeadline);
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const QString& path)
{
    return LoadScoreTable(table, ScoreFileLocation(path));
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const ScoreFileLocation& where)
{
    ScoreFileStatus status = saveTo(table, where);
    if (status.code == C::SyncFailed)
        return status.explain(QStringLiteral("ハイスコア表は保存しましたが、停電などで失われるおそれがあります。"));
    return status.explain(kSaveHeadline, kKeptAsItWas);
}

ScoreFileStatus SaveScoreTable(const ScoreTable& table, const QString& path)
{
    return SaveScoreTable(table, ScoreFileLocation(path));
}
