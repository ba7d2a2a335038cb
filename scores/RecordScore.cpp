#include "scores/RecordScore.h"

#include "scores/Ranking.h"
#include "scores/ScoreFile.h"

#include <QDir>
#include <QLockFile>

namespace {

// Takes the lock beside the file, or says why it could not be had.
ScoreFileStatus lockScoreFile(QLockFile& lock, const QString& path)
{
    using C = ScoreFileStatus::Code;
    lock.setStaleLockTime(kScoreLockStaleMs);
    if (lock.tryLock(kScoreLockWaitMs))
        return {};
    const QString lockName = QDir::toNativeSeparators(lock.fileName());
    if (lock.error() == QLockFile::PermissionError)
        return ScoreFileStatus::failure(
            C::OpenFailed, path,
            QStringLiteral("ロックファイル「%1」を作成できません（フォルダーに書き込めません）。").arg(lockName));
    // Not held by anyone: it could not be written, a full disk as a rule.
    if (lock.error() == QLockFile::UnknownError)
        return ScoreFileStatus::failure(
            C::WriteFailed, path,
            QStringLiteral("ロックファイル「%1」を作成できません（空き容量の不足など）。").arg(lockName));
    return ScoreFileStatus::failure(
        C::LockFailed, path, QStringLiteral("ロックファイル「%1」を取得できませんでした。").arg(lockName));
}

} // namespace

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const ScoreFileLocation& where)
{
    // Another copy of the game may have recorded a score since our dialog read
    // the file: lock, read afresh and rank against that, so neither entry is lost.
    QLockFile lock(where.path + QStringLiteral(".lock"));
    if (ScoreFileStatus locked = lockScoreFile(lock, where.path); !locked.ok())
        return locked;

    // A file that has vanished since the dialog read it is written again from
    // the table in memory rather than from nothing.
    ScoreTable fresh = table;
    if (inspectPath(where.readPath()) != PathEntry::Missing) {
        const ScoreFileStatus loaded = LoadScoreTable(fresh, where);
        if (!loaded.ok())
            return loaded;
    }

    RankOutcome ranked = rankScore(fresh, score, hitCount, name);
    if (ranked.code != ScoreFileStatus::Code::Ok)
        return ScoreFileStatus::failure(ranked.code, where.path);
    ScoreFileStatus saved = SaveScoreTable(ranked.table, where);
    if (saved.ok())
        table = std::move(ranked.table);
    return saved;
}

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const QString& path)
{
    return RecordScore(score, hitCount, name, table, ScoreFileLocation(path));
}
