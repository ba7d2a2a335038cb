#pragma once
// The lock two copies of the game take around recording a score: a
// BIMZO.DAT.lock beside the file that is written, held with flock(2). The
// kernel lets go when its holder dies, so a crashed copy never blocks another,
// and QLockFile (which also flocks its file) excludes us and we it. The lock
// file is the game's to use, never to remove: one already there is locked as
// it is and left as it was.

#include "scores/FileAccess.h"
#include "scores/ScoreFileStatus.h"

class ScoreLock {
public:
    ScoreLock() = default;
    ScoreLock(const ScoreLock&) = delete;
    ScoreLock& operator=(const ScoreLock&) = delete;

    // Takes the lock beside `file`, waiting up to `waitMs` while another copy
    // holds it. Anything but a regular file (or nothing) there is refused at once.
    ScoreFileStatus take(const Place& file, int waitMs);

private:
    Fd fd_;
};
