#include "scores/ScoreLock.h"

#include "scores/ScoreLocation.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

using C = ScoreFileStatus::Code;

ScoreFileStatus cannotCreate(const QByteArray& lockPath, int error)
{
    const bool full = error == ENOSPC || error == EDQUOT || error == EFBIG;
    return failedOn(full ? C::WriteFailed : C::OpenFailed, QStringLiteral("ロックファイル「%1」を作れません: %2"),
                    lockPath, error);
}

// A QLockFile holder removes its file when it lets go: the lock we got may be
// on a file no longer there.
bool stillThere(int fd, const Place& at)
{
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::fstatat(at.folder.get(), at.name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

ScoreFileStatus ScoreLock::take(const Place& file, int waitMs)
{
    fd_.reset();
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        const Place at = placeBeside(file, QByteArrayLiteral(".lock"));
        if (ScoreFileStatus problem = placeProblem(at, true); !problem.ok())
            return problem;
        OpenResult opened = openIn(at, O_RDWR | O_CREAT, 0644);
        // Someone else's lock file, or one on a read-only disk: flock needs no write.
        if ((opened.error == EACCES || opened.error == EROFS) && at.mode != 0)
            opened = openIn(at, O_RDONLY);
        if (opened.notRegular)
            return notAFile(at, opened.found, true);
        if (!opened.fd.valid())
            return cannotCreate(at.path, opened.error);

        if (::flock(opened.fd.get(), LOCK_EX | LOCK_NB) == 0) {
            if (stillThere(opened.fd.get(), at)) {
                fd_ = std::move(opened.fd);
                return {};
            }
            continue;
        }
        if (errno != EWOULDBLOCK)
            return failedOn(C::OpenFailed, QStringLiteral("ロックファイル「%1」をロックできません: %2"), at.path, errno);
        if (deadline.hasExpired())
            return ScoreFileStatus::failure(
                C::LockFailed, QStringLiteral("ハイスコア表は別の Bimzo が使用中で、%1 秒待っても空きませんでした（ロックファイル「%2」）。")
                                   .arg(waitMs / 1000.0)
                                   .arg(shownPath(at.path)));
        QThread::msleep(20);
    }
}
