// One load and one save of a typical BIMZO.DAT (three short Japanese names).

#include "scores/ScoreFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

ScoreTable Typical()
{
    ScoreTable t;
    t.entries = {{{12345, ScoreName::fromText(QStringLiteral("やまだ")), 320},
                  {9870, ScoreName::fromText(QStringLiteral("ＡＢＣ")), 250},
                  {5000, ScoreName::fromText(QStringLiteral("player")), 120}}};
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
