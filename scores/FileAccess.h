#pragma once
// The system calls behind the score file, on paths as bytes (a folder name
// need not be UTF-8). A file is reached through its folder, held open, and its
// name there, so a name swapped for a link meanwhile is never followed; only a
// link the player running the game or root made is. Nothing that could block
// (a FIFO, a device) is ever opened.

#include <QByteArray>

#include <sys/types.h>

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// `dir` and `file` with exactly one '/' between them; an empty `dir` gives
// "/" + `file`.
QByteArray JoinPath(const QByteArray& dir, const QByteArray& file);
QByteArray folderOf(const QByteArray& path);
QByteArray fileNameOf(const QByteArray& path);

// What is at a path: nothing, a regular file, or something else. `mode` is the
// stat mode found (S_IFLNK for a dangling link); `error` the errno when the
// path could not be looked at (EACCES, ENAMETOOLONG, ...), with `what` Missing.
struct PathLook {
    enum What { Missing, File, Other } what = Missing;
    mode_t mode = 0;
    int error = 0;
};
// With `followLinks`, a link counts as what it points to and a dangling link as Other.
PathLook lookAt(const QByteArray& path, bool followLinks);

// A file as a load or save reaches it: its folder, held open, and its name
// there. A link at the name is followed when its owner is the player running
// the game or root; then `path` is its target and `link` the name it was
// reached by.
struct Place {
    Fd folder;
    QByteArray name;
    QByteArray path;          // the path actually used
    QByteArray link;          // the link followed, or empty
    mode_t mode = 0;          // what is at `name`: 0 for nothing
    bool foreign = false;     // a link another user made, not followed (mode S_IFLNK)
    uid_t owner = 0;          // that link's owner
    int error = 0;            // errno when the place could not be reached
    QByteArray failedFolder;  // the folder `error` is about, if one is
    bool makingFolder = false;  // `error` came from creating `failedFolder`

    bool dangling() const { return !link.isEmpty() && mode == 0; }
};
// With `makeFolders`, the missing folders on the way are created.
Place placeFile(const QByteArray& path, bool makeFolders = false);
// `file`'s name with `suffix`, in the same folder.
Place placeBeside(const Place& file, const QByteArray& suffix);

// Opens the regular file at `at` without blocking and without following a
// link. On failure `error` holds the errno, or `notRegular` is set with the
// mode found. `flags`: the access mode, maybe O_CREAT (with `create` as the
// new file's mode) or O_EXCL.
struct OpenResult {
    Fd fd;
    int error = 0;
    bool notRegular = false;
    mode_t found = 0;
};
OpenResult openIn(const Place& at, int flags, mode_t create = 0666);

// Reads from `offset` until `into` is full or the file ends, and cuts `into`
// to what was read: 0 or the errno.
int readUpTo(int fd, QByteArray& into, off_t offset);
// Writes everything: 0 or the errno (a short write is not taken for a whole one).
int writeAll(int fd, const QByteArray& bytes);

// fsync of the folder of `at`, so that a rename in it survives a power cut. 0
// or the errno; a file system that cannot sync folders (EINVAL) counts as done.
int syncFolder(const Place& at);

// A write past the file-size limit (ulimit -f) would end the process with
// SIGXFSZ; ignored, it fails with EFBIG like any other write error. Leaves a
// handler someone else installed alone.
void ignoreFileSizeSignal();
