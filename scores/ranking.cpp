#include "scores/ranking.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QtNumeric>

#include <cmath>
#include <limits>

ScorePlace PlaceFor(const ScoreTable& table, double score)
{
    // NaN compares false everywhere and so takes no place.
    if (score > table.score1)
        return ScorePlace::First;
    if (score > table.score2)
        return ScorePlace::Second;
    if (score > table.score3)
        return ScorePlace::Third;
    return ScorePlace::None;
}

namespace {

ScoreName NameFor(const ScoreTable& t, const QString& text)
{
    for (const ScoreName* n : {&t.name1, &t.name2, &t.name3})
        if (n->text() == text && n->isStorable())
            return *n;
    return ScoreName::FromText(text);
}

} // namespace

RankOutcome RankScore(const ScoreTable& table, double score, int hitCount, const QString& name)
{
    using C = ScoreFileStatus::Code;
    RankOutcome out;
    out.table = table;
    out.place = PlaceFor(table, score);
    ScoreTable t = table;

    if (out.place != ScorePlace::None) {
        // The game's scores are whole; round half to even like the original conversion.
        const double rounded = std::nearbyint(score);
        if (!(rounded >= std::numeric_limits<qint32>::min()
              && rounded <= std::numeric_limits<qint32>::max())) {
            out.code = C::ScoreOutOfRange;
            return out;
        }
        const auto newScore = static_cast<qint32>(rounded);
        const auto newHits = static_cast<qint32>(hitCount);
        ScoreName newName = NameFor(table, name);
        if (!newName.isStorable()) {
            out.code = C::NameNotStorable;
            return out;
        }
        if (newName.bytes().size() > kMaxNameBytes) {
            out.code = C::NameTooLong;
            return out;
        }
        switch (out.place) {
        case ScorePlace::First:
            t.score3 = t.score2, t.score2 = t.score1, t.score1 = newScore;
            t.name3 = t.name2, t.name2 = t.name1, t.name1 = std::move(newName);
            t.hits3 = t.hits2, t.hits2 = t.hits1, t.hits1 = newHits;
            break;
        case ScorePlace::Second:
            t.score3 = t.score2, t.score2 = newScore;
            t.name3 = t.name2, t.name2 = std::move(newName);
            t.hits3 = t.hits2, t.hits2 = newHits;
            break;
        case ScorePlace::Third:
            t.score3 = newScore;
            t.name3 = std::move(newName);
            t.hits3 = newHits;
            break;
        case ScorePlace::None:
            break;
        }
    }

    qint32 check = 0;
    if (qMulOverflow(t.score1, qint32(5), &check)) {
        out.code = C::CheckOverflow;
        return out;
    }
    t.check = check;
    t.tag = kScoreTag;
    out.table = std::move(t);
    return out;
}

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name,
                            ScoreTable& table, const ScoreFileLocation& where)
{
    using C = ScoreFileStatus::Code;
    // Another copy of the game may have recorded a score since our dialog read
    // the file: lock, read afresh and rank against that, so neither entry is lost.
    QLockFile lock(where.path + QStringLiteral(".lock"));
    lock.setStaleLockTime(kScoreLockStaleMs);
    if (!lock.tryLock(kScoreLockWaitMs)) {
        const QString lockName = QDir::toNativeSeparators(lock.fileName());
        if (lock.error() == QLockFile::PermissionError)
            return ScoreFileStatus::Failure(
                C::OpenFailed, where.path,
                QStringLiteral("ロックファイル「%1」を作成できません（フォルダーに書き込めません）。").arg(lockName));
        // Not held by anyone: it could not be written, a full disk as a rule.
        if (lock.error() == QLockFile::UnknownError)
            return ScoreFileStatus::Failure(
                C::WriteFailed, where.path,
                QStringLiteral("ロックファイル「%1」を作成できません（空き容量の不足など）。").arg(lockName));
        return ScoreFileStatus::Failure(
            C::LockFailed, where.path,
            QStringLiteral("ロックファイル「%1」を取得できませんでした。").arg(lockName));
    }

    // A file that has vanished since the dialog read it is written again from
    // the table in memory rather than from nothing.
    ScoreTable fresh = table;
    const QFileInfo current(where.readPath());
    if (current.exists() || current.isSymLink()) {
        const ScoreFileStatus loaded = LoadScoreTable(fresh, where);
        if (!loaded.ok())
            return loaded;
    }

    RankOutcome ranked = RankScore(fresh, score, hitCount, name);
    if (ranked.code != C::Ok)
        return ScoreFileStatus::Failure(ranked.code, where.path);
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

ScoreFileStatus RecordScore(double score, int hitCount, const QString& name, ScoreTable& table)
{
    return RecordScore(score, hitCount, name, table, LocateScoreFile());
}
