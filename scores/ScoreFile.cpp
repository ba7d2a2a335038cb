#include "scores/ScoreFile.h"

#include "scores/Cp932.h"
#include "scores/FileAccess.h"
#include "scores/ScoreFormat.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
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

// A new table is named ".BIMZO.DAT.saving-" and six letters or digits while it
// is renamed into place; a save killed in between leaves one, which only the
// game makes. The name is cut for a link's target with a long name.
const QByteArray kSavingMark = QByteArrayLiteral(".saving-");
constexpr int kSavingLetters = 6;
constexpr char kSavingAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr qsizetype kNameKept = 200;

QByteArray savingPrefix(const QByteArray& name)
{
    return '.' + name.left(kNameKept) + kSavingMark;
}

bool isSavingName(const QByteArray& candidate, const QByteArray& name)
{
    const QByteArray prefix = savingPrefix(name);
    if (candidate.size() != prefix.size() + kSavingLetters || !candidate.startsWith(prefix))
        return false;
    return std::all_of(candidate.begin() + prefix.size(), candidate.end(),
                       [](char c) { return c != 0 && std::strchr(kSavingAlphabet, c); });
}

ScoreFileStatus openFailed(const OpenResult& r, const Place& at)
{
    if (r.notRegular)
        return notAFile(at, r.found, false);
    return failedOn(C::OpenFailed, kCannotOpen, at.path, r.error);
}

ScoreFileStatus noConverter()
{
    return ScoreFileStatus::failure(C::NoConverter,
                                    QStringLiteral("このシステムでは文字コード CP932 の変換が使えません。"));
}

ScoreFileStatus loadFrom(ScoreTable& table, const QByteArray& path, bool create, bool createFolder)
{
    if (!cp932Available())
        return noConverter();
    const Place at = placeFile(path, create && createFolder);
    if (ScoreFileStatus problem = placeProblem(at, false); !problem.ok())
        return problem;
    if (at.mode == 0 && !create) {
        table = ScoreTable{};
        return {};
    }
    if (at.mode == 0) {
        // O_EXCL: if another copy of the game created it meanwhile, read that one.
        const OpenResult created = openIn(at, O_WRONLY | O_CREAT | O_EXCL);
        if (!created.fd.valid() && created.error != EEXIST)
            return failedOn(C::OpenFailed, QStringLiteral("「%1」を作れません: %2"), at.path, created.error);
    }

    const OpenResult opened = openIn(at, O_RDONLY);
    if (!opened.fd.valid())
        return openFailed(opened, at);
    // Nothing past the longest possible record is ever needed.
    QByteArray data(kMaxRecordBytes, Qt::Uninitialized);
    if (const int error = readUpTo(opened.fd.get(), data, 0))
        return failedOn(C::ReadFailed, kCannotRead, at.path, error);

    // Parsed into a fresh table and installed whole, so numbers from an earlier load never leak in.
    ParsedScoreRecord parsed = parseScoreRecord(data);
    table = std::move(parsed.table);
    ScoreFileStatus status;
    status.damaged = (!data.isEmpty() && !parsed.complete) || !parsed.clean;
    return status;
}

// The new content of a file, made in its folder without a name where the file
// system allows (O_TMPFILE), else under the game's own temporary name. It is
// renamed over the file whole, or removed.
class NewFile {
public:
    explicit NewFile(const Place& at) : at_(at)
    {
        fd_.reset(::openat(folder(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (fd_.valid())
            return;
        error_ = nameIt([this](const QByteArray& name) {
            fd_.reset(::openat(folder(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            return fd_.valid() ? 0 : errno;
        });
    }
    ~NewFile()
    {
        if (named_ && !renamed_)
            ::unlinkat(folder(), name_.constData(), 0);
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
    // Syncs it, names it if it has no name yet, and renames it over the file: 0 or the errno.
    int commit()
    {
        if (::fsync(fd()) != 0)
            return errno;
        if (!named_) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd());
            if (const int error = nameIt([this, &self](const QByteArray& name) {
                    const bool linked = ::linkat(AT_FDCWD, self.constData(), folder(), name.constData(), AT_SYMLINK_FOLLOW) == 0
                        || (errno == ENOENT && ::linkat(fd(), "", folder(), name.constData(), AT_EMPTY_PATH) == 0);
                    return linked ? 0 : errno;
                }))
                return error;
        }
        if (::close(fd_.release()) != 0)
            return errno;
        if (::renameat(folder(), name_.constData(), folder(), at_.name.constData()) != 0)
            return errno;
        renamed_ = true;
        return 0;
    }

private:
    int folder() const { return at_.folder.get(); }
    // Tries fresh temporary names until `make` does not find one taken.
    template <typename Make>
    int nameIt(Make make)
    {
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            name_ = savingPrefix(at_.name);
            for (int i = 0; i < kSavingLetters; ++i)
                name_ += kSavingAlphabet[QRandomGenerator::global()->bounded(int(sizeof kSavingAlphabet - 1))];
            error = make(name_);
        }
        named_ = error == 0;
        return error;
    }

    const Place& at_;
    Fd fd_;
    QByteArray name_;
    int error_ = 0;
    bool named_ = false;
    bool renamed_ = false;
};

// The last reference to a big file that is replaced: closing it frees the
// file's blocks, which takes a while for a large one (a quarter of a second
// for 1 GiB on ext4), so that happens away from the window.
class FreedLater {
public:
    FreedLater(Fd fd, const struct stat& st) : fd_(std::move(fd)), big_(st.st_size > kMaxRecordBytes) {}
    ~FreedLater()
    {
        if (big_ && fd_.valid())
            std::thread([fd = fd_.release()] { ::close(fd); }).detach();
    }

private:
    Fd fd_;
    bool big_;
};

// Copies the bytes of `old` past the new record's end, as far as the longest
// record goes: no table the game wrote reached further.
ScoreFileStatus copyTail(int old, const QByteArray& oldPath, qsizetype from, int out, const QByteArray& target)
{
    QByteArray tail(qMax<qsizetype>(0, kMaxRecordBytes - from), Qt::Uninitialized);
    if (const int error = readUpTo(old, tail, from))
        return failedOn(C::ReadFailed, kCannotRead, oldPath, error);
    if (const int error = writeAll(out, tail))
        return failedOn(C::WriteFailed, kCannotWrite, target, error);
    return {};
}

ScoreFileStatus saveTo(const ScoreTable& table, const ScoreFileLocation& where)
{
    ignoreFileSizeSignal();
    if (!cp932Available())
        return noConverter();
    const std::optional<QByteArray> record = serializeScoreRecord(table);
    if (!record)
        return ScoreFileStatus::refusal(storeProblem(table));

    const Place target = placeFile(where.file, where.createFolder);
    if (ScoreFileStatus problem = placeProblem(target, false); !problem.ok())
        return problem;
    // The tail comes from the table beside the executable until the data folder has its own.
    const QByteArray from = where.readFile();
    const Place legacy = from == where.file ? Place{} : placeFile(from);
    const Place& source = from == where.file ? target : legacy;
    if (ScoreFileStatus problem = placeProblem(source, false); !problem.ok())
        return problem;
    OpenResult old;
    struct stat oldStat {};
    if (source.mode != 0) {
        old = openIn(source, O_RDONLY);
        if (!old.fd.valid() || ::fstat(old.fd.get(), &oldStat) != 0)
            return openFailed(old, source);
    }
    const bool replacing = &source == &target && old.fd.valid();
    // A file made read-only is left alone, though its folder would let a rename replace it.
    if (replacing && ::faccessat(target.folder.get(), target.name.constData(), W_OK, AT_EACCESS) != 0)
        return failedOn(C::OpenFailed, kCannotWrite, target.path, errno);

    // A save cut short leaves the old file: the new one is only renamed over it whole.
    NewFile temp(target);
    if (temp.error())
        return failedOn(temp.error() == ENOSPC || temp.error() == EDQUOT ? C::WriteFailed : C::OpenFailed,
                        QStringLiteral("フォルダー「%1」に新しいファイルを作れません: %2"), folderOf(target.path),
                        temp.error());
    temp.takeOwnerAndModeOf(replacing ? &oldStat : nullptr);
    if (const int error = writeAll(temp.fd(), *record))
        return failedOn(C::WriteFailed, kCannotWrite, target.path, error);
    if (old.fd.valid()) {
        if (ScoreFileStatus copied = copyTail(old.fd.get(), source.path, record->size(), temp.fd(), target.path);
            !copied.ok())
            return copied;
    }
    const FreedLater freed(std::move(old.fd), oldStat);
    if (const int error = temp.commit())
        return failedOn(C::WriteFailed, kCannotWrite, target.path, error);
    if (const int error = syncFolder(target))
        return failedOn(C::SyncFailed,
                        QStringLiteral("新しい表は「%1」に書きましたが、フォルダーをディスクに同期できませんでした: %2"),
                        target.path, error);
    return {};
}

} // namespace

void clearLeftovers(const Place& at)
{
    const int fd = ::openat(at.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (isSavingName(entry->d_name, at.name) && ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode))
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where)
{
    const QByteArray from = where.readFile();
    // The file beside a read-only executable is only read, never created.
    ScoreFileStatus status = loadFrom(table, from, from == where.file, where.createFolder);
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
