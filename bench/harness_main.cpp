// In-process measures of the real windows. Run under an X server:
//   game_harness idle SECONDS | cycles N | play SECONDS | play-reference SECONDS
//              | clock TICKS_PER_LEVEL | response PRESSES
// Prints key=value lines for bench/run.sh.

#include "bench/harness.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: game_harness MODE N\n");
        return 2;
    }
    const char* mode = argv[1];
    const int n = std::atoi(argv[2]);
    if (std::strcmp(mode, "idle") == 0)
        return bench::idleMain(n);
    if (std::strcmp(mode, "cycles") == 0)
        return bench::cyclesMain(n);
    if (std::strcmp(mode, "play") == 0)
        return bench::playMain(false, n);
    if (std::strcmp(mode, "play-reference") == 0)
        return bench::playMain(true, n);
    if (std::strcmp(mode, "clock") == 0)
        return bench::clockMain(n);
    if (std::strcmp(mode, "response") == 0)
        return bench::responseMain(n);
    std::fprintf(stderr, "game_harness: unknown mode %s\n", mode);
    return 2;
}
