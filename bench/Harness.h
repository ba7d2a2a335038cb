#pragma once

#include "app/GameApp.h"
#include "game/RandomSource.h"

#include <QRegion>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <vector>

class GameTimer;
class FieldItem;

namespace bench {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point a, Clock::time_point b);
double median(std::vector<double> v);
double percentile(std::vector<double> v, double p);
double maxAbs(const std::vector<double>& v);

// The whole game as the program runs it, with its score file in a folder of
// its own that holds three high scores, so every game ends with the buttons.
class Harness {
public:
    Harness();

    GameApp& app() { return *app_; }
    Game& game() { return app_->game(); }
    bimzo* window() { return app_->mainWindow().get(); }
    GameTimer* timer();
    FieldItem* shooter(int lane);
    FieldItem* redShooter(int lane);

    // The timer that ends run(); the idle count leaves it out.
    static constexpr const char* kStopperName = "bench-stopper";
    // Runs the event loop for `ms` milliseconds.
    static void run(int ms);
    // Runs the event loop until deferred deletes are done.
    static void flush();

private:
    QTemporaryDir dir_;
    DefaultRandom random_;
    std::unique_ptr<GameApp> app_;
};

// Process-wide figures from /proc/self.
long statusKb(const char* key);
long contextSwitches();   // every thread, voluntary and involuntary
double cpuMs();           // user + system of the process
double systemCpuMs();     // system alone

// Pixels: the area of a region, whose rectangles never overlap.
long area(const QRegion& region);

void print(const char* key, double value, int decimals = 1);

int idleMain(int seconds);
int cyclesMain(int cycles);
int playMain(bool reference, int seconds);
int clockMain(int ticksPerLevel);
int responseMain(int presses);

} // namespace bench
