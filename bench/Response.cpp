// From a press on a shooter to the repaint that shows the red shooter. The
// presses are real: XTest makes the X server generate them, so the event's
// timestamp is the server's clock (CLOCK_MONOTONIC in milliseconds), and the
// end is taken after the paint of the red shooter has been flushed.
//
// A game runs at 500 ms ticks meanwhile, so ticks and clicks interleave as in
// play; a press comes every 170 ms on the next armed lane.

#include "bench/Harness.h"

#include "game/Game.h"
#include "ui/GameTimer.h"
#include "game/PlayField.h"
#include "game/Rules.h"
#include "game/bimzo.h"
#include "ui/PressedPixel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <ctime>

namespace bench {
namespace {

std::uint32_t monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

class ResponseMeter : public QObject {
public:
    explicit ResponseMeter(Harness& h) : h_(h) {}

    std::vector<double> fromTimestamp;  // ms, server time of the press to flushed paint
    std::vector<double> fromDelivery;   // ms, press reaching the widget to flushed paint
    int dropped = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* client = h_.window()->findChild<PlayField*>();
        if (event->type() == QEvent::MouseButtonPress && watched == client) {
            auto* press = static_cast<QMouseEvent*>(event);
            for (int i = 0; i < rules::kLanes; ++i) {
                if (client->itemAt(pressedPixel(press)) == h_.shooter(i) && pendingLane_ < 0) {
                    pendingLane_ = i;
                    pressStamp_ = press->timestamp();
                    delivered_ = Clock::now();
                }
            }
        } else if (event->type() == QEvent::Paint && pendingLane_ >= 0 && watched == client
                   && static_cast<QPaintEvent*>(event)->region().intersects(h_.redShooter(pendingLane_)->geometry())) {
            const int lane = pendingLane_;
            pendingLane_ = -1;
            if (h_.shooter(lane)->isVisible()) {
                ++dropped;  // a tick re-armed it first: no red to show
                return false;
            }
            const std::uint64_t stamp = pressStamp_;
            const Clock::time_point delivered = delivered_;
            // The next turn of the loop comes after the flush of this paint.
            QTimer::singleShot(0, this, [this, stamp, delivered] {
                fromDelivery.push_back(msBetween(delivered, Clock::now()));
                fromTimestamp.push_back(static_cast<double>(
                    static_cast<std::int32_t>(monotonicMs() - static_cast<std::uint32_t>(stamp))));
            });
        }
        return false;
    }

private:
    Harness& h_;
    int pendingLane_ = -1;
    std::uint64_t pressStamp_ = 0;
    Clock::time_point delivered_;
};

} // namespace

int responseMain(int presses)
{
    Display* dpy = XOpenDisplay(nullptr);
    int ev, err, major, minor;
    if (!dpy || !XTestQueryExtension(dpy, &ev, &err, &major, &minor)) {
        std::fprintf(stderr, "response: needs an X server with XTest\n");
        return 1;
    }
    Harness h;
    Harness::run(300);
    ResponseMeter meter(h);
    qApp->installEventFilter(&meter);
    QObject::connect(h.timer(), &GameTimer::Timer, [&] {
        h.game().boardForTesting().targetTop.fill(rules::kTopOfLane);  // the game goes on
        h.game().setHitCountForTesting(0);                             // at 500 ms
    });
    h.window()->stm_Click();

    int sent = 0, lane = 0;
    QTimer driver;
    driver.setTimerType(Qt::PreciseTimer);
    QEventLoop done;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (sent >= presses) {
            done.quit();
            return;
        }
        for (int tries = 0; tries < rules::kLanes && !h.shooter(lane)->isVisible(); ++tries)
            lane = (lane + 1) % rules::kLanes;
        FieldItem* s = h.shooter(lane);
        if (!s->isVisible())
            return;  // all spent: wait for the tick
        const QPoint at = s->field()->mapToGlobal(s->geometry().center());
        XTestFakeMotionEvent(dpy, -1, at.x(), at.y(), CurrentTime);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
        XFlush(dpy);
        ++sent;
        lane = (lane + 1) % rules::kLanes;
    });
    driver.start(170);
    done.exec();
    Harness::run(300);
    qApp->removeEventFilter(&meter);
    XCloseDisplay(dpy);

    print("response_presses", static_cast<double>(meter.fromTimestamp.size()), 0);
    print("response_dropped", meter.dropped, 0);
    print("response_median_ms", median(meter.fromTimestamp), 1);
    print("response_p99_ms", percentile(meter.fromTimestamp, 99), 1);
    print("response_max_ms", percentile(meter.fromTimestamp, 100), 1);
    print("response_delivery_median_ms", median(meter.fromDelivery), 2);
    print("response_delivery_p99_ms", percentile(meter.fromDelivery, 99), 2);
    return 0;
}

} // namespace bench
