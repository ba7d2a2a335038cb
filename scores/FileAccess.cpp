#include "scores/FileAccess.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Enough for any chain a player makes; a loop ends here.
constexpr int kMaxLinksFollowed = 8;

// The real path of an open folder, or empty where /proc is missing.
QByteArray pathOfFolder(int fd)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + QByteArray::number(fd)).constData(), buf, sizeof buf);
    return n > 0 && n < static_cast<ssize_t>(sizeof buf) ? QByteArray(buf, n) : QByteArray();
}

// Creates the missing folders on the way to `dir`: 0, or the errno with
// `failed` the folder that could not be made.
int makeFolders(const QByteArray& dir, QByteArray& failed)
{
    for (qsizetype slash = dir.indexOf('/', 1);; slash = dir.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? dir : dir.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) {
            failed = part;
            return errno;
        }
        if (slash < 0)
            return 0;
    }
}

// Follows the links at `p.name` as far as their owners allow. The link itself
// is opened (O_PATH) so that its owner and its target are read from one inode.
void follow(Place& p)
{
    for (int hops = 0;; ++hops) {
        const Fd at(::openat(p.folder.get(), p.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat st {};
        if (!at.valid() || ::fstat(at.get(), &st) != 0) {
            if (errno != ENOENT)
                p.error = errno;
            return;
        }
        p.mode = st.st_mode;
        if (!S_ISLNK(st.st_mode))
            return;
        if (st.st_uid != ::geteuid() && st.st_uid != 0) {
            p.foreign = true;
            p.owner = st.st_uid;
            return;
        }
        char buf[PATH_MAX];
        const ssize_t n = hops < kMaxLinksFollowed ? ::readlinkat(at.get(), "", buf, sizeof buf) : -1;
        if (n <= 0 || n == static_cast<ssize_t>(sizeof buf)) {
            p.error = hops < kMaxLinksFollowed ? (n < 0 ? errno : ENAMETOOLONG) : ELOOP;
            return;
        }
        const QByteArray target(buf, n);
        if (p.link.isEmpty())
            p.link = p.path;
        const QByteArray lexical = target.startsWith('/') ? target : JoinPath(folderOf(p.path), target);
        Fd folder(::openat(p.folder.get(), folderOf(target).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!folder.valid()) {
            p.error = errno;
            p.failedFolder = folderOf(lexical);
            return;
        }
        p.folder = std::move(folder);
        p.name = fileNameOf(target);
        p.mode = 0;
        const QByteArray real = pathOfFolder(p.folder.get());
        p.path = real.isEmpty() ? lexical : JoinPath(real, p.name);
    }
}

} // namespace

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

QByteArray JoinPath(const QByteArray& dir, const QByteArray& file)
{
    return dir.endsWith('/') ? dir + file : dir + '/' + file;
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

Place placeFile(const QByteArray& path, bool makeFolders)
{
    Place p;
    p.path = path;
    p.name = fileNameOf(path);
    const QByteArray folder = folderOf(path);
    const auto open = [&] { p.folder.reset(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)); };
    open();
    if (!p.folder.valid() && errno == ENOENT && makeFolders) {
        p.error = ::makeFolders(folder, p.failedFolder);
        p.makingFolder = p.error != 0;
        if (p.error)
            return p;
        open();
    }
    if (!p.folder.valid()) {
        p.error = errno;
        p.failedFolder = folder;
        return p;
    }
    follow(p);
    return p;
}

Place placeBeside(const Place& file, const QByteArray& suffix)
{
    Place p;
    p.folder.reset(::fcntl(file.folder.get(), F_DUPFD_CLOEXEC, 0));
    p.name = file.name + suffix;
    p.path = file.path + suffix;
    follow(p);
    return p;
}

OpenResult openIn(const Place& at, int flags, mode_t create)
{
    OpenResult r;
    const int all = flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW;
    r.fd.reset(::openat(at.folder.get(), at.name.constData(), all, create));
    if (!r.fd.valid()) {
        r.error = errno;
        if (r.error == ELOOP) {  // a link put there since the place was found
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

int readUpTo(int fd, QByteArray& into, off_t offset)
{
    qsizetype got = 0;
    while (got < into.size()) {
        const ssize_t n = ::pread(fd, into.data() + got, into.size() - got, offset + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        got += n;
    }
    into.truncate(got);
    return 0;
}

int writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype size = bytes.size();
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

int syncFolder(const Place& at)
{
    const Fd fd(::openat(at.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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
