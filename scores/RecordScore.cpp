#include "scores/RecordScore.h"

#include "scores/FileAccess.h"
#include "scores/Ranking.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreLock.h"

namespace {

ScoreFileStatus recordLocked(double score, int hitCount, const QString& name, ScoreTable& table,
                             const ScoreFileLocation& where)
{
    // Another copy of the game may have recorded a score since our dialog read
    // the file: lock, read afresh and rank against that, so neither entry is lost.
    const Place file = placeFile(where.file, where.createFolder);
    if (ScoreFileStatus problem = placeProblem(file, false); !problem.ok())
        return problem;
    ScoreLock lock;
    if (ScoreFileStatus locked = lock.take(file, kScoreLockWaitMs); !locked.ok())
        return locked;
    clearLeftovers(file);

    // A file that has vanished since the dialog read it is written again from
    // the table in memory rather than from nothing.
    ScoreTable fresh = table;
    if (lookAt(where.readFile(), true).what != PathLook::Missing) {
        const ScoreFileStatus loaded = LoadScoreTable(fresh, where);
        // An unreachable old table was reported when the dialog opened; the new one is still recorded.
        if (!loaded.ok() && loaded.code != ScoreFileStatus::Code::FolderUnreadable)
            return loaded;
    }

    RankOutcome ranked = rankScore(fresh, score, hitCount, name);
    if (ranked.code != ScoreFileStatus::Code::Ok)
        return ScoreFileStatus::refusal(ranked.code);
    ScoreFileStatus saved = SaveScoreTable(ranked.table, where);
    if (saved.written())
        table = std::move(ranked.table);
    return saved;
}

} // namespace

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const ScoreFileLocation& where)
{
    ignoreFileSizeSignal();
    ScoreFileStatus status = recordLocked(score, hitCount, name, table, where);
    if (status.written())
        return status;  // recorded; a failed folder sync says so itself
    return status.explain(QStringLiteral("得点は記録されませんでした。"),
                          QStringLiteral("ハイスコアファイル「%1」は元のままです。").arg(shownPath(where.file)));
}

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const QString& path)
{
    return RecordScore(score, hitCount, name, table, ScoreFileLocation(path));
}
