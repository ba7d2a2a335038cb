#include "scores/Ranking.h"

#include "scores/ScoreFormat.h"

#include <QtNumeric>

#include <cmath>
#include <limits>

ScorePlace placeFor(const ScoreTable& table, double score)
{
    // NaN compares false everywhere and so takes no place.
    for (int i = 0; i < kScorePlaces; ++i)
        if (score > table.entries[i].score)
            return static_cast<ScorePlace>(i + 1);
    return ScorePlace::None;
}

bool beatsThirdPlace(const ScoreTable& table, double score)
{
    return score > table.entries[kScorePlaces - 1].score;
}

namespace {

ScoreName nameFor(const ScoreTable& t, const QString& text)
{
    for (const ScoreEntry& e : t.entries)
        if (e.name.text() == text && e.name.isStorable())
            return e.name;
    return ScoreName::fromText(text);
}

// The new entry, or the reason it cannot go into the table.
ScoreFileStatus::Code makeEntry(const ScoreTable& table, double score, int hitCount, const QString& name,
                                ScoreEntry& entry)
{
    // The game's scores are whole; round half to even like the original conversion.
    const double rounded = std::nearbyint(score);
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        return ScoreFileStatus::Code::ScoreOutOfRange;
    entry.score = static_cast<qint32>(rounded);
    entry.hits = static_cast<qint32>(hitCount);
    entry.name = nameFor(table, name);
    return storeProblem(entry.name);
}

} // namespace

RankOutcome rankScore(const ScoreTable& table, double score, int hitCount, const QString& name)
{
    using C = ScoreFileStatus::Code;
    RankOutcome out;
    out.table = table;
    out.place = placeFor(table, score);
    ScoreTable t = table;

    if (out.place != ScorePlace::None) {
        ScoreEntry entry;
        out.code = makeEntry(table, score, hitCount, name, entry);
        if (out.code != C::Ok)
            return out;
        // The places below move down whole; the old third drops out.
        const int at = static_cast<int>(out.place) - 1;
        for (int i = kScorePlaces - 1; i > at; --i)
            t.entries[i] = std::move(t.entries[i - 1]);
        t.entries[at] = std::move(entry);
    }

    qint32 check = 0;
    if (qMulOverflow(t.entries[0].score, kCheckFactor, &check)) {
        out.code = C::CheckOverflow;
        return out;
    }
    t.check = check;
    t.tag = kScoreTag;
    out.table = std::move(t);
    return out;
}
