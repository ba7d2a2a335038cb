// With no game running the program should take no wake-ups: count every
// timer and paint event, and the context switches of all threads.

#include "bench/harness.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace bench {
namespace {

class EventCounter : public QObject {
public:
    long timers = 0, paints = 0, updateRequests = 0, others = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched->objectName() == QLatin1String(Harness::kStopperName))
            return false;
        switch (event->type()) {
        case QEvent::Timer: ++timers; break;
        case QEvent::Paint: ++paints; break;
        case QEvent::UpdateRequest: ++updateRequests; break;
        case QEvent::MetaCall:
        case QEvent::DeferredDelete:
        case QEvent::SockAct:
        case QEvent::Expose:
        case QEvent::MouseMove:
            ++others;
            break;
        default: break;
        }
        return false;
    }
};

} // namespace

int idleMain(int seconds)
{
    Harness h;
    Harness::run(1000);  // the first paint and its aftermath
    EventCounter counter;
    qApp->installEventFilter(&counter);
    const long cs0 = contextSwitches();
    const double cpu0 = cpuMs();
    Harness::run(seconds * 1000);
    const long cs1 = contextSwitches();
    const double cpu1 = cpuMs();
    qApp->removeEventFilter(&counter);
    print("idle_inproc_seconds", seconds, 0);
    print("idle_timer_events", static_cast<double>(counter.timers), 0);
    print("idle_paint_events", static_cast<double>(counter.paints + counter.updateRequests), 0);
    print("idle_other_events", static_cast<double>(counter.others), 0);
    // One switch is the harness's own wake-up at the end of the wait.
    print("idle_inproc_context_switches", static_cast<double>(cs1 - cs0), 0);
    print("idle_inproc_cpu_ms", cpu1 - cpu0, 1);
    return 0;
}

} // namespace bench
