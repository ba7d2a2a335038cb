// The tick clock through a whole game: every level from 500 ms down to
// 100 ms, entered by setting the hit count that the next tick reads. Ticks
// at 500 and 100 ms give the period distribution and the drift from the
// ideal grid; each level change shows whether the new interval counts from
// the moment it was set inside the tick.

#include "bench/Harness.h"

#include "game/Game.h"
#include "game/LevelTable.h"
#include "ui/GameTimer.h"
#include "game/Rules.h"
#include "game/bimzo.h"

#include <QEventLoop>

#include <algorithm>
#include <cmath>

namespace bench {
namespace {

struct Level {
    int hits;  // a hit count at which this level's row applies
    int ticks;
};

// Level 1, then each row of the game's level table that does not end the
// game, at the first hit count it applies to.
std::vector<Level> levelsOfAGame(int ticksAtFirst, int ticksAtLast, int few)
{
    std::vector<Level> levels{{0, ticksAtFirst}};
    for (const LevelRow& row : levelTable()) {
        if (row.interval > 0)
            levels.push_back({row.test == LevelRow::Test::Equal ? row.hits : row.hits + 1, few});
    }
    levels.back().ticks = ticksAtLast;
    return levels;
}

struct Stamp {
    Clock::time_point at;
    int interval;  // after the tick
};

} // namespace

int clockMain(int ticksAt500)
{
    const std::vector<Level> levels = levelsOfAGame(ticksAt500, ticksAt500 * 5, 5);
    Harness h;
    Harness::run(300);
    std::vector<Stamp> stamps;
    size_t level = 0;
    int ticksInLevel = 0;
    QEventLoop done;
    QObject::connect(h.timer(), &GameTimer::Timer, [&] {
        stamps.push_back({Clock::now(), h.timer()->interval()});
        h.game().boardForTesting().targetTop.fill(rules::kTopOfLane);  // the game goes on
        if (++ticksInLevel >= levels[level].ticks) {
            ticksInLevel = 0;
            if (++level == levels.size()) {
                h.timer()->setInterval(0);
                done.quit();
                return;
            }
        }
        h.game().setHitCountForTesting(levels[level].hits);
    });
    h.window()->stm_Click();
    done.exec();

    // A tick that sets a new interval starts a segment: the periods after it
    // should count from it, on the grid of the new interval.
    std::vector<double> dev500, dev100, rearm, offsets500, offsets100;
    double drift500 = 0, drift100 = 0, early500 = 0, early100 = 0;
    size_t origin = 0;
    for (size_t k = 1; k < stamps.size(); ++k) {
        const int p = stamps[k - 1].interval;
        const double period = msBetween(stamps[k - 1].at, stamps[k].at);
        if (k >= 2 && stamps[k - 2].interval != p) {
            origin = k - 1;
            rearm.push_back(period - p);
        }
        const double drift = msBetween(stamps[origin].at, stamps[k].at) - static_cast<double>(k - origin) * p;
        if (p == 500) {
            dev500.push_back(period - p);
            offsets500.push_back(drift);
            drift500 = std::max(drift500, std::fabs(drift));
            early500 = std::min(early500, period - p);
        } else if (p == 100) {
            dev100.push_back(period - p);
            offsets100.push_back(drift);
            drift100 = std::max(drift100, std::fabs(drift));
            early100 = std::min(early100, period - p);
        }
    }
    auto absolute = [](std::vector<double> v) {
        for (double& x : v)
            x = std::fabs(x);
        return v;
    };
    // Drift: where the last ten ticks stand against the grid; a single late
    // tick shows in the maximum but not here.
    auto endDrift = [](const std::vector<double>& offsets) {
        const size_t n = std::min<size_t>(10, offsets.size());
        return median(std::vector<double>(offsets.end() - static_cast<long>(n), offsets.end()));
    };
    print("clock_500_end_drift_ms", endDrift(offsets500), 2);
    print("clock_100_end_drift_ms", endDrift(offsets100), 2);
    print("clock_ticks", static_cast<double>(stamps.size()), 0);
    print("clock_500_periods", static_cast<double>(dev500.size()), 0);
    print("clock_500_median_dev_ms", median(absolute(dev500)), 2);
    print("clock_500_p99_dev_ms", percentile(absolute(dev500), 99), 2);
    print("clock_500_earliest_ms", early500, 2);
    print("clock_500_max_drift_ms", drift500, 2);
    print("clock_100_periods", static_cast<double>(dev100.size()), 0);
    print("clock_100_median_dev_ms", median(absolute(dev100)), 2);
    print("clock_100_p99_dev_ms", percentile(absolute(dev100), 99), 2);
    print("clock_100_earliest_ms", early100, 2);
    print("clock_100_max_drift_ms", drift100, 2);
    print("clock_rearms", static_cast<double>(rearm.size()), 0);
    print("clock_rearm_max_dev_ms", maxAbs(rearm), 2);
    return 0;
}

} // namespace bench
