// Play at the fastest level: ticks every 100 ms and, 50 ms after each tick,
// a click on all five shooters. Measures the processor time of the process
// and the pixels each tick and each volley of shots repaints.
//
// The reference moves five 32 x 32 pictures by the same amounts at the same
// rate: down by the tick's fall, back to the top at the shots.

#include "bench/Harness.h"

#include "game/Game.h"
#include "ui/GameTimer.h"
#include "game/PlayField.h"
#include "game/Rules.h"
#include "game/bimzo.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdio>

namespace bench {
namespace {

// Sums what is repainted in one window, in window pixels, between marks.
class PaintMeter : public QObject {
public:
    explicit PaintMeter(QWidget* window) : window_(window) {}

    void mark(bool tickPhase)
    {
        if (measuring_) {
            (inTick_ ? tickPixels : shotPixels).push_back(static_cast<double>(area(dirty_)));
            (inTick_ ? tickLayers : shotLayers).push_back(static_cast<double>(layers_));
        }
        dirty_ = QRegion();
        layers_ = 0;
        inTick_ = tickPhase;
    }
    void setMeasuring(bool on) { measuring_ = on; }

    std::vector<double> tickPixels, shotPixels, tickLayers, shotLayers;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->window() == window_) {
                const QRegion r = static_cast<QPaintEvent*>(event)->region();
                layers_ += area(r);
                dirty_ += r.translated(w->mapTo(window_, QPoint(0, 0)));
            }
        }
        return false;
    }

private:
    QWidget* window_;
    QRegion dirty_;
    long layers_ = 0;
    bool inTick_ = true;
    bool measuring_ = false;
};

// The reference's picture: a 32 x 32 pixmap, drawn as it is.
class Picture : public QWidget {
public:
    Picture(QWidget* parent, const QPixmap& pixmap) : QWidget(parent), pixmap_(pixmap) { resize(32, 32); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, pixmap_);
    }

private:
    QPixmap pixmap_;
};

QPixmap referencePixmap()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.fillRect(2, 10, 28, 12, Qt::lightGray);
    painter.fillRect(4, 14, 24, 4, Qt::black);
    return p;
}

void report(const char* prefix, double cpu, double sys, double seconds, int ticks, PaintMeter& meter)
{
    char key[96];
    auto put = [&](const char* name, double v, int decimals) {
        std::snprintf(key, sizeof key, "%s_%s", prefix, name);
        print(key, v, decimals);
    };
    put("seconds", seconds, 1);
    put("ticks", ticks, 0);
    put("cpu_ms_per_min", cpu * 60.0 / seconds, 0);
    put("system_cpu_ms_per_min", sys * 60.0 / seconds, 0);
    put("tick_pixels_median", median(meter.tickPixels), 0);
    put("tick_pixels_max", percentile(meter.tickPixels, 100), 0);
    put("shot_pixels_median", median(meter.shotPixels), 0);
    put("tick_painted_layers_median", median(meter.tickLayers), 0);
}

} // namespace

int playMain(bool reference, int seconds)
{
    constexpr int kWarmupMs = 2000;
    std::unique_ptr<Harness> h;
    std::unique_ptr<QWidget> refWindow;
    std::array<Picture*, rules::kLanes> pictures{};
    QWidget* window = nullptr;
    QTimer tick, shots;
    tick.setTimerType(Qt::PreciseTimer);
    shots.setTimerType(Qt::PreciseTimer);
    shots.setInterval(100);
    DefaultRandom random;
    int ticks = 0;

    if (reference) {
        refWindow = std::make_unique<QWidget>();
        refWindow->setFixedSize(256, 422);
        refWindow->setAutoFillBackground(true);
        refWindow->setPalette(QPalette(QColor(128, 128, 255)));
        const QPixmap pixmap = referencePixmap();
        for (int i = 0; i < rules::kLanes; ++i) {
            pictures[i] = new Picture(refWindow.get(), pixmap);
            pictures[i]->move(16 + 48 * i, 32);
        }
        refWindow->show();
        if (!QTest::qWaitForWindowExposed(refWindow.get()))
            std::fprintf(stderr, "play: the reference window was not exposed\n");
        window = refWindow.get();
    } else {
        h = std::make_unique<Harness>();
        window = h->window();
    }

    PaintMeter meter(window);
    qApp->installEventFilter(&meter);

    auto onTick = [&] {
        ++ticks;
        meter.mark(true);
        if (!shots.isActive())
            QTimer::singleShot(50, Qt::PreciseTimer, &shots, [&] { shots.start(); });
    };
    if (reference) {
        QObject::connect(&tick, &QTimer::timeout, [&] {
            for (Picture* p : pictures) {
                const int r = static_cast<int>(random.nextUniform() * rules::kFallScale + rules::kShortestFall);
                p->move(p->x(), p->y() + 4 * r);  // 60 twips a unit
            }
            onTick();
        });
        QObject::connect(&shots, &QTimer::timeout, [&] {
            meter.mark(false);
            for (Picture* p : pictures)
                p->move(p->x(), 32);
        });
        tick.start(100);
    } else {
        QObject::connect(h->timer(), &GameTimer::Timer, [&] {
            h->game().setHitCountForTesting(401);  // stay at the fastest level
            onTick();
        });
        QObject::connect(&shots, &QTimer::timeout, [&] {
            meter.mark(false);
            for (int i = 0; i < rules::kLanes; ++i) {
                FieldItem* s = h->shooter(i);
                QTest::mouseClick(s->field(), Qt::LeftButton, {}, s->geometry().center());
            }
        });
        h->game().setHitCountForTesting(401);
        h->window()->stm_Click();
    }

    Harness::run(kWarmupMs);
    if (!reference && !h->window()->isEnabled()) {
        std::fprintf(stderr, "play: the game ended\n");
        return 1;
    }
    meter.setMeasuring(true);
    const int ticks0 = ticks;
    const double cpu0 = cpuMs(), sys0 = systemCpuMs();
    const Clock::time_point t0 = Clock::now();
    Harness::run(seconds * 1000);
    const double cpu = cpuMs() - cpu0, sys = systemCpuMs() - sys0;
    const double wall = msBetween(t0, Clock::now()) / 1000.0;
    qApp->removeEventFilter(&meter);
    if (!reference && !h->window()->isEnabled()) {
        std::fprintf(stderr, "play: the game ended\n");
        return 1;
    }
    report(reference ? "play_ref" : "play_game", cpu, sys, wall, ticks - ticks0, meter);
    return 0;
}

} // namespace bench
