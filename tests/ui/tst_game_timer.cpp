// The tick timer: its interval is its switch, and only a new interval
// moves the next tick.
#include "ui/GameTimer.h"

#include <QSignalSpy>
#include <QTest>

class GameTimerTest : public QObject {
    Q_OBJECT
private slots:
    void zeroIntervalStopsTheTicks();
    void sameIntervalKeepsTheSchedule();
    void newIntervalRearmsFromNow();
    void rearmRestartsTheWait();
    void negativeIntervalCountsAsStopped();
};

void GameTimerTest::zeroIntervalStopsTheTicks()
{
    GameTimer timer;
    QSignalSpy ticks(&timer, &GameTimer::Timer);
    timer.setInterval(20);
    QTRY_VERIFY(ticks.count() >= 2);
    timer.setInterval(0);
    QCOMPARE(timer.remainingTime(), -1);
    const int seen = ticks.count();
    QTest::qWait(100);
    QCOMPARE(ticks.count(), seen);
}

void GameTimerTest::sameIntervalKeepsTheSchedule()
{
    GameTimer timer;
    timer.setInterval(1000);
    QTest::qWait(300);
    timer.setInterval(1000);
    QVERIFY(timer.remainingTime() < 800);
}

void GameTimerTest::newIntervalRearmsFromNow()
{
    GameTimer timer;
    timer.setInterval(1000);
    QTest::qWait(300);
    timer.setInterval(900);
    QVERIFY(timer.remainingTime() > 850);
    QCOMPARE(timer.interval(), 900);
}

void GameTimerTest::rearmRestartsTheWait()
{
    GameTimer timer;
    timer.setInterval(1000);
    QTest::qWait(300);
    timer.rearm();
    QVERIFY(timer.remainingTime() > 950);
    timer.setInterval(0);
    timer.rearm();  // a stopped timer stays stopped
    QCOMPARE(timer.remainingTime(), -1);
}

void GameTimerTest::negativeIntervalCountsAsStopped()
{
    GameTimer timer;
    timer.setInterval(-5);
    QCOMPARE(timer.interval(), 0);
    QCOMPARE(timer.remainingTime(), -1);
}

QTEST_GUILESS_MAIN(GameTimerTest)
#include "tst_game_timer.moc"
