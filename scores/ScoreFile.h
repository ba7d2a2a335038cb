#pragma once
// Loading and saving the high-score table in BIMZO.DAT.
//
// None of the operations throws or ends the program. Each returns a status;
// on failure the table in memory and the file on disk are left as they were.

#include "scores/FileAccess.h"
#include "scores/ScoreFileStatus.h"
#include "scores/ScoreLocation.h"
#include "scores/ScoreTable.h"

#include <QString>

// Replaces `table` with the record in the file. A missing file is created
// empty and gives the empty table. A damaged file loads as parseScoreRecord
// describes and still counts as ok (status.damaged says so).
ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus LoadScoreTable(ScoreTable& table, const QString& path);

// Writes `table` as it is (the caller sets tag and check). The file becomes the
// record followed by the old file's bytes past the record's end, so a shorter
// record leaves the length and the stale tail as they were. The new content is
// written to a new file beside the file really written (a link's target),
// synced, renamed over it, and the folder is synced: when this returns ok, the
// new table survives a power cut. The file keeps its owner and permissions. No
// more of the old tail is kept than reaches the longest record's end.
ScoreFileStatus SaveScoreTable(const ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus SaveScoreTable(const ScoreTable& table, const QString& path);

// Removes what saves of `at` that were killed before their rename left
// behind, and nothing else; only under the lock, while no other save runs.
void clearLeftovers(const Place& at);
