// Play again, over and over: start, end the game by the floor, open and close
// the high-score dialog, then play again from the game-over dialog, which
// unloads and reloads the main window. Memory must not grow.

#include "bench/harness.h"

#include "scores/GMEND.h"
#include "game/Game.h"
#include "scores/HI_S.h"
#include "game/bimzo.h"

#include <QTest>

#include <cstdio>
#include <malloc.h>

namespace bench {

int cyclesMain(int cycles)
{
    Harness h;
    Harness::run(200);
    long rss10 = 0, heap10 = 0, rssMax = 0;
    for (int c = 1; c <= cycles; ++c) {
        bimzo* w = h.window();
        w->stm_Click();
        h.game().boardForTesting().targetTop[0] = 5520.0f;  // the next tick passes the floor
        w->Timer1_Timer();
        GMEND* over = h.app().gameOverDialog().get();
        if (!over || over->inNameEntry()) {
            std::fprintf(stderr, "cycles: no game-over dialog with buttons\n");
            return 1;
        }
        Harness::run(5);
        w->him_Click();
        Harness::run(5);
        if (HI_S* hi = h.app().highScoreDialog().get())
            hi->Command1_Click();
        Harness::flush();
        over->Command2_Click();  // play again
        Harness::flush();
        if (!QTest::qWaitForWindowExposed(h.window())) {
            std::fprintf(stderr, "cycles: the new main window was not exposed\n");
            return 1;
        }
        Harness::run(5);
        const long rss = statusKb("VmRSS");
        const long heap = static_cast<long>(mallinfo2().uordblks / 1024);
        if (c == 10)
            rss10 = rss, heap10 = heap;
        if (c > 10 && rss > rssMax)
            rssMax = rss;
        if (c % 50 == 0 || c == 10)
            std::printf("# cycle %d: rss %ld kB, heap in use %ld kB\n", c, rss, heap);
        if (c == cycles) {
            print("cycles", cycles, 0);
            print("cycles_rss_growth_kb", static_cast<double>(rss - rss10), 0);
            print("cycles_rss_max_growth_kb", static_cast<double>(rssMax - rss10), 0);
            print("cycles_heap_growth_kb", static_cast<double>(heap - heap10), 0);
        }
    }
    return 0;
}

} // namespace bench
