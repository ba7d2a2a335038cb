#pragma once
// Recording a finished game in the file: lock, read afresh, rank, save.

#include "scores/ScoreFileStatus.h"
#include "scores/ScoreLocation.h"
#include "scores/ScoreTable.h"

#include <QString>

// How long RecordScore waits for a lock another copy holds. A copy holds it
// only while it saves, a few milliseconds; a copy that died holds nothing.
inline constexpr int kScoreLockWaitMs = 3000;

// Locks the file (BIMZO.DAT.lock beside the file really written: a link's
// target), reads the table afresh, ranks against that, saves, and only then
// installs the saved table in `table`: an entry another copy of the game
// recorded meanwhile is kept. When the file is missing, `table` is ranked
// instead. On any failure both the table and the file stay as they were, and
// the message begins by saying that the score was not recorded.
ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const QString& path);
