// One load and one save of a typical BIMZO.DAT (three short Japanese names).

#include "scores/scorefile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

ScoreTable Typical()
{
    ScoreTable t;
    t.score1 = 12345, t.name1 = ScoreName::FromText(QStringLiteral("やまだ")), t.hits1 = 320;
    t.score2 = 9870, t.name2 = ScoreName::FromText(QStringLiteral("ＡＢＣ")), t.hits2 = 250;
    t.score3 = 5000, t.name3 = ScoreName::FromText(QStringLiteral("player")), t.hits3 = 120;
    t.tag = 121, t.check = t.score1 * 5;
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
