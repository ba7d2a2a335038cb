#include "bench/Harness.h"

#include "bench/ProcStatus.h"

#include "ui/GameTimer.h"
#include "game/PlayField.h"
#include "scores/ScoreFile.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>

namespace bench {

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double median(std::vector<double> v)
{
    return percentile(std::move(v), 50);
}

// Nearest rank.
double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    const size_t rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(v.size())));
    return v[std::clamp<size_t>(rank, 1, v.size()) - 1];
}

double maxAbs(const std::vector<double>& v)
{
    double m = 0;
    for (double x : v)
        m = std::max(m, std::fabs(x));
    return m;
}

Harness::Harness()
{
    const QString path = dir_.filePath(QStringLiteral("BIMZO.DAT"));
    ScoreTable table;
    table.entries[0].score = 3000000, table.entries[1].score = 2000000, table.entries[2].score = 1000000;
    if (!SaveScoreTable(table, path).ok())
        std::fprintf(stderr, "harness: cannot write %s\n", qPrintable(path));
    app_ = std::make_unique<GameApp>(
        random_, ScoreFileLocation(path),
        [](QWidget*, const QString& message) { std::fprintf(stderr, "harness: %s\n", qPrintable(message)); });
    app_->start();
    if (!QTest::qWaitForWindowExposed(window()))
        std::fprintf(stderr, "harness: the main window was not exposed\n");
}

GameTimer* Harness::timer()
{
    return window()->findChild<GameTimer*>();
}

FieldItem* Harness::shooter(int lane)
{
    return window()->findChild<FieldItem*>(QStringLiteral("sb_%1").arg(lane));
}

FieldItem* Harness::redShooter(int lane)
{
    return window()->findChild<FieldItem*>(QStringLiteral("sbr_%1").arg(lane));
}

// A real event loop, so that waiting sleeps instead of polling.
void Harness::run(int ms)
{
    QEventLoop loop;
    QTimer stopper;
    stopper.setObjectName(QString::fromLatin1(kStopperName));
    stopper.setSingleShot(true);
    stopper.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stopper, &QTimer::timeout, &loop, &QEventLoop::quit);
    stopper.start(ms);
    loop.exec();
}

void Harness::flush()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

long statusKb(const char* key)
{
    return procStatusField("/proc/self/status", key);
}

long contextSwitches()
{
    return procContextSwitches("self");
}

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

double systemCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_stime.tv_sec * 1000.0 + u.ru_stime.tv_usec / 1000.0;
}

long area(const QRegion& region)
{
    long sum = 0;
    for (const QRect& r : region)
        sum += static_cast<long>(r.width()) * r.height();
    return sum;
}

void print(const char* key, double value, int decimals)
{
    std::printf("%s=%.*f\n", key, decimals, value);
    std::fflush(stdout);
}

} // namespace bench
