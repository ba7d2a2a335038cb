#pragma once
// Recording a finished game in the file: lock, read afresh, rank, save.

#include "scores/ScoreFileStatus.h"
#include "scores/ScoreLocation.h"
#include "scores/ScoreTable.h"

#include <QString>

// How long a lock on the score file may sit before it counts as left behind
// by a crashed copy, and how long RecordScore waits for it. The wait is the
// longer, so only a lock that cannot be removed at all makes it give up.
inline constexpr int kScoreLockStaleMs = 5000;
inline constexpr int kScoreLockWaitMs = 6000;

// Locks the file (BIMZO.DAT.lock beside it), reads the table afresh, ranks
// against that, saves, and only then installs the saved table in `table`: an
// entry another copy of the game recorded meanwhile is kept. When the file is
// missing, `table` is ranked instead. On any failure both the table and the
// file stay as they were.
ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const QString& path);
