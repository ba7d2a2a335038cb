#pragma once
// Placing a finished game into the top three, without any file access.

#include "scores/ScoreFileStatus.h"
#include "scores/ScoreTable.h"

#include <QString>

inline constexpr qint32 kScoreTag = 121;
inline constexpr qint32 kCheckFactor = 5;  // check = score1 times this

enum class ScorePlace { None = 0, First = 1, Second = 2, Third = 3 };

// The first place whose stored score is strictly below `score`; an equal score
// ranks below the stored one. The score is either kind the game holds, a
// 16-bit integer or a single-precision value; both are exact in a double, so
// the comparison is the numeric one: a float 305 beats 300, and a float is
// never rounded to single precision against the stored 32-bit number.
ScorePlace placeFor(const ScoreTable& table, double score);

// Whether a finished game is asked for a name: its score beats the third
// place as stored, even in a table out of order, where a higher place may
// hold less. Then placeFor always finds a place.
bool beatsThirdPlace(const ScoreTable& table, double score);

struct RankOutcome {
    ScoreFileStatus::Code code = ScoreFileStatus::Code::Ok;
    ScorePlace place = ScorePlace::None;
    ScoreTable table;  // the updated table when code is Ok, else the input unchanged
};

// Inserts the entry at its place (places move whole, names keep their bytes,
// the old third place drops out), then sets check = score1 * 5 and tag = 121.
// Refuses, changing nothing, when the product overflows 32 bits, when an
// inserted score does not fit 32 bits, or when the name cannot be stored.
// A name equal to one already in the table reuses that entry's bytes, so
// confirming the proposed name keeps it exact.
RankOutcome rankScore(const ScoreTable& table, double score, int hitCount, const QString& name);
