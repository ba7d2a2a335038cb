#pragma once
// The system calls behind the score file, on paths as bytes (a folder name
// need not be UTF-8). Everything is looked at before it is opened, and opened
// so that nothing can block: a FIFO, a device or a link to one is refused at
// once, never read.

#include <QByteArray>

#include <sys/types.h>

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
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
    int fd_;
};

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

// Opens a regular file without blocking, and without following a link in the
// last component when `noFollow`. On failure `error` holds the errno, or
// `notRegular` is set with the mode found. `flags`: the access mode, maybe
// O_CREAT (with `create` as the new file's mode) or O_EXCL.
struct OpenResult {
    Fd fd;
    int error = 0;
    bool notRegular = false;
    mode_t found = 0;
};
OpenResult openRegular(const QByteArray& path, int flags, bool noFollow, mode_t create = 0666);

// The file that writing `path` really changes: the target of a symbolic link
// (every link followed), else `path`. Empty with `error` set when a link leads
// nowhere (ENOENT) or cannot be resolved.
QByteArray writtenFile(const QByteArray& path, int& error);

QByteArray folderOf(const QByteArray& path);
QByteArray fileNameOf(const QByteArray& path);

// fsync of a folder, so that a rename in it survives a power cut. 0 or the
// errno; a file system that cannot sync folders (EINVAL) counts as done.
int syncFolder(const QByteArray& folder);

// A write past the file-size limit (ulimit -f) would end the process with
// SIGXFSZ; ignored, it fails with EFBIG like any other write error. Leaves a
// handler someone else installed alone.
void ignoreFileSizeSignal();
