#pragma once
// Placing a finished game into the top three, and recording it in the file.

#include "scores/scorefile.h"
#include "scores/scoretable.h"

#include <QString>

enum class ScorePlace { None = 0, First = 1, Second = 2, Third = 3 };

// The first place whose stored score is strictly below `score`; an equal score
// ranks below the stored one. Numeric comparison, so a float 305 beats 300.
ScorePlace PlaceFor(const ScoreTable& table, double score);

struct RankOutcome {
    ScoreFileStatus::Code code = ScoreFileStatus::Code::Ok;
    ScorePlace place = ScorePlace::None;
    ScoreTable table;  // the updated table when code is Ok, else the input unchanged
};

// The pure ranking step: inserts the entry at its place (places move whole,
// names keep their bytes, the old third place drops out), then sets
// check = score1 * 5 and tag = 121. Refuses, changing nothing, when the
// product overflows 32 bits, when an inserted score does not fit 32 bits, or
// when the name cannot be stored. A name equal to one already in the table
// reuses that entry's bytes, so confirming the proposed name keeps it exact.
RankOutcome RankScore(const ScoreTable& table, double score, int hitCount, const QString& name);

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
ScoreFileStatus RecordScore(double score, int hitCount, const QString& name, ScoreTable& table);
