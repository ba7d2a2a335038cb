// The tick timer: its interval is its switch, and only a new interval
// moves the next tick.
#include "ui/GameTimer.h"

#include <QSignalSpy>
#include <QTest>

class GameTimerTest : public QObject {
    Q_OBJECT
private slots:
    void zeroOrNegativeIntervalStopsTheTicks_data();
    void zeroOrNegativeIntervalStopsTheTicks();
    void sameIntervalKeepsTheSchedule();
    void newIntervalRearmsFromNow();
    void rearmRestartsTheWait();
};

void GameTimerTest::zeroOrNegativeIntervalStopsTheTicks_data()
{
    QTest::addColumn<int>("interval");
    QTest::newRow("0") << 0;
    QTest::newRow("-5") << -5;
}

void GameTimerTest::zeroOrNegativeIntervalStopsTheTicks()
{
    QFETCH(int, interval);
    GameTimer timer;
    QSignalSpy ticks(&timer, &GameTimer::Timer);
    timer.setInterval(20);
    timer.setInterval(interval);
    QCOMPARE(timer.interval(), 0);
    QCOMPARE(timer.remainingTime(), -1);
    QTest::qWait(100);
    QCOMPARE(ticks.count(), 0);
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

QTEST_GUILESS_MAIN(GameTimerTest)
#include "tst_game_timer.moc"
