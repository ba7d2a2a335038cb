// One load and one save of a typical BIMZO.DAT (three short Japanese names).

#include "scores/ScoreFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

ScoreTable Typical()
{
    ScoreTable t;
    t.entries[0].score = 12345, t.entries[0].name = ScoreName::fromText(QStringLiteral("やまだ")), t.entries[0].hits = 320;
    t.entries[1].score = 9870, t.entries[1].name = ScoreName::fromText(QStringLiteral("ＡＢＣ")), t.entries[1].hits = 250;
    t.entries[2].score = 5000, t.entries[2].name = ScoreName::fromText(QStringLiteral("player")), t.entries[2].hits = 120;
    t.tag = 121, t.check = t.entries[0].score * 5;
    return t;
}

void BM_LoadScoreTable(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BIMZO.DAT"));
    if (!SaveScoreTable(Typical(), path).ok())
        state.SkipWithError("cannot write the file");
    ScoreTable t;
    for (auto _ : state) {
        const ScoreFileStatus s = LoadScoreTable(t, path);
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_LoadScoreTable);

void BM_SaveScoreTable(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BIMZO.DAT"));
    const ScoreTable t = Typical();
    for (auto _ : state) {
        const ScoreFileStatus s = SaveScoreTable(t, path);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SaveScoreTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
