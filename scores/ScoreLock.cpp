#include "scores/ScoreLock.h"

#include "scores/ScoreLocation.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using C = ScoreFileStatus::Code;

ScoreFileStatus notAFile(const QByteArray& lockPath, mode_t mode)
{
    QString kind = describeKind(mode);
    if (S_ISLNK(mode)) {
        char target[4096];
        const ssize_t n = ::readlink(lockPath.constData(), target, sizeof target - 1);
        if (n > 0)
            kind += QStringLiteral("、リンク先「%1」").arg(shownPath(QByteArray(target, n)));
    }
    return ScoreFileStatus::failure(
        C::NotAFile, QStringLiteral("ロックファイル「%1」が通常のファイルではありません（%2）。これを取り除けば記録できます。")
                         .arg(shownPath(lockPath), kind));
}

ScoreFileStatus cannotCreate(const QByteArray& lockPath, int error)
{
    const bool full = error == ENOSPC || error == EDQUOT || error == EFBIG;
    return ScoreFileStatus::failure(full ? C::WriteFailed : C::OpenFailed,
                                    QStringLiteral("ロックファイル「%1」を作れません: %2。")
                                        .arg(shownPath(lockPath), describeError(error)),
                                    error);
}

bool sameFile(int fd, const QByteArray& path)
{
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

} // namespace

ScoreFileStatus ScoreLock::take(const QByteArray& lockPath, int waitMs)
{
    release();
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        const PathLook look = lookAt(lockPath, false);
        if (look.what == PathLook::Other)
            return notAFile(lockPath, look.mode);
        if (look.error != 0)
            return cannotCreate(lockPath, look.error);
        OpenResult opened = openRegular(lockPath, O_RDWR | O_CREAT, true, 0644);
        if (opened.error == EACCES && look.what == PathLook::File)  // someone else's lock file: flock needs no write
            opened = openRegular(lockPath, O_RDONLY, true);
        if (opened.notRegular)
            return notAFile(lockPath, opened.found);
        if (!opened.fd.valid())
            return cannotCreate(lockPath, opened.error);

        if (::flock(opened.fd.get(), LOCK_EX | LOCK_NB) == 0) {
            // The holder before us may have removed the file we waited on.
            if (sameFile(opened.fd.get(), lockPath)) {
                fd_ = std::move(opened.fd);
                path_ = lockPath;
                return {};
            }
            continue;
        }
        if (errno != EWOULDBLOCK)
            return ScoreFileStatus::failure(C::OpenFailed, QStringLiteral("ロックファイル「%1」をロックできません: %2。")
                                                               .arg(shownPath(lockPath), describeError(errno)),
                                            errno);
        if (deadline.hasExpired())
            return ScoreFileStatus::failure(
                C::LockFailed, QStringLiteral("ハイスコア表は別の Bimzo が使用中で、%1 秒待っても空きませんでした（ロックファイル「%2」）。")
                                   .arg(waitMs / 1000.0)
                                   .arg(shownPath(lockPath)));
        QThread::msleep(20);
    }
}

void ScoreLock::release()
{
    if (!fd_.valid())
        return;
    if (sameFile(fd_.get(), path_))
        ::unlink(path_.constData());
    fd_.reset();
    path_.clear();
}
