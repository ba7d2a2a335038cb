#include "scores/FileAccess.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Fd& Fd::operator=(Fd&& other) noexcept
{
    reset(other.release());
    return *this;
}

int Fd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Fd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

PathLook lookAt(const QByteArray& path, bool followLinks)
{
    PathLook look;
    struct stat st {};
    if ((followLinks ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st)) != 0) {
        look.error = errno;
        struct stat link {};
        if (followLinks && look.error == ENOENT && ::lstat(path.constData(), &link) == 0) {
            look.what = PathLook::Other;  // a link that leads nowhere is not "missing"
            look.mode = link.st_mode;
            look.error = 0;
        } else if (look.error == ENOENT) {
            look.error = 0;
        }
        return look;
    }
    look.mode = st.st_mode;
    look.what = S_ISREG(st.st_mode) ? PathLook::File : PathLook::Other;
    return look;
}

OpenResult openRegular(const QByteArray& path, int flags, bool noFollow, mode_t create)
{
    OpenResult r;
    const int all = flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
    r.fd.reset(::open(path.constData(), all, create));
    if (!r.fd.valid()) {
        r.error = errno;
        if (r.error == ELOOP && noFollow) {  // the last component is a link
            r.notRegular = true;
            r.found = S_IFLNK;
        }
        return r;
    }
    struct stat st {};
    if (::fstat(r.fd.get(), &st) != 0) {
        r.error = errno;
        r.fd.reset();
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.notRegular = true;
        r.found = st.st_mode;
        r.fd.reset();
        return r;
    }
    // Reads and writes block as usual from here on; a regular file never waits long.
    ::fcntl(r.fd.get(), F_SETFL, ::fcntl(r.fd.get(), F_GETFL) & ~O_NONBLOCK);
    return r;
}

QByteArray writtenFile(const QByteArray& path, int& error)
{
    error = 0;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.constData(), nullptr);
    if (!real) {
        error = errno;
        return {};
    }
    QByteArray target(real);
    std::free(real);
    return target;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray fileNameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

int syncFolder(const QByteArray& folder)
{
    const Fd fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

void ignoreFileSizeSignal()
{
    struct sigaction now {};
    if (::sigaction(SIGXFSZ, nullptr, &now) == 0 && !(now.sa_flags & SA_SIGINFO) && now.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}
