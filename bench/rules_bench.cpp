// One tick and one shot of the rules alone, no widgets.

#include "game/Game.h"
#include "game/RandomSource.h"
#include "game/Rules.h"

#include <benchmark/benchmark.h>

namespace {

// A running game at the given hit count, targets at the top.
Game Running(int hits)
{
    Game game;
    game.formLoad();
    game.start();
    game.setHitCountForTesting(hits);
    return game;
}

// Targets go back to the top before each tick so that no tick ends the game;
// that store is part of the figure (a few ns).
void Tick(benchmark::State& state, int hits)
{
    Game game = Running(hits);
    DefaultRandom random;
    for (auto _ : state) {
        game.boardForTesting().targetTop.fill(rules::kTopOfLane);
        const TickResult r = game.tick(random);
        benchmark::DoNotOptimize(r);
        if (r.ended())
            state.SkipWithError("a tick ended the game");
    }
    state.SetItemsProcessed(state.iterations());
}

// Level 1: no level row applies.
void BM_TickLevel1(benchmark::State& state) { Tick(state, 0); }
BENCHMARK(BM_TickLevel1);

// The fastest level: rows 2 to 10 all apply at every tick.
void BM_TickLevelInfinity(benchmark::State& state) { Tick(state, 401); }
BENCHMARK(BM_TickLevelInfinity);

// One shot on each lane in turn; the hit count is put back so that the
// remaining-hits text keeps three digits.
void BM_Shot(benchmark::State& state)
{
    Game game = Running(0);
    int lane = 0;
    for (auto _ : state) {
        game.boardForTesting().targetTop[lane] = 3000.0f;
        game.shoot(lane);
        benchmark::DoNotOptimize(game.score());
        lane = lane == rules::kLanes - 1 ? 0 : lane + 1;
        if (lane == 0)
            game.setHitCountForTesting(0);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Shot);

} // namespace

BENCHMARK_MAIN();
