#pragma once
// The lock two copies of the game take around recording a score: a
// BIMZO.DAT.lock beside the file that is written, held with flock(2). The
// kernel lets go when its holder dies, so a crashed copy never blocks another,
// and QLockFile (which also flocks its file) excludes us and we it.

#include "scores/FileAccess.h"
#include "scores/ScoreFileStatus.h"

#include <QByteArray>

class ScoreLock {
public:
    ScoreLock() = default;
    ~ScoreLock() { release(); }
    ScoreLock(const ScoreLock&) = delete;
    ScoreLock& operator=(const ScoreLock&) = delete;

    // Takes the lock at `lockPath`, waiting up to `waitMs` while another copy
    // holds it. Anything but a regular file (or nothing) at that path is
    // refused at once.
    ScoreFileStatus take(const QByteArray& lockPath, int waitMs);
    // Removes the lock file while still holding it, then lets go.
    void release();

private:
    Fd fd_;
    QByteArray path_;
};
