// The tick timer: its interval is its switch, and only a new interval or a
// rearm moves the next tick.
#include "ui/GameTimer.h"

#include <QTest>

#include <algorithm>

class GameTimerTest : public QObject {
    Q_OBJECT
private slots:
    void changeAfterAWaitSetsTheNextTick_data();
    void changeAfterAWaitSetsTheNextTick();
};

void GameTimerTest::changeAfterAWaitSetsTheNextTick_data()
{
    // Each row starts the timer at 1000 ms, waits 300 ms, sets `change` and
    // rearms if asked. The next tick is then due in [low, high] ms; -1 for
    // both: the timer is stopped.
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("rearm");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("same interval keeps the schedule") << 1000 << false << 0 << 800;
    QTest::newRow("new interval counts from now") << 900 << false << 850 << 900;
    QTest::newRow("rearm restarts the wait") << 1000 << true << 950 << 1000;
    QTest::newRow("zero stops") << 0 << false << -1 << -1;
    QTest::newRow("negative stops") << -5 << false << -1 << -1;
    QTest::newRow("rearm leaves a stopped timer stopped") << 0 << true << -1 << -1;
}

void GameTimerTest::changeAfterAWaitSetsTheNextTick()
{
    QFETCH(int, change);
    QFETCH(bool, rearm);
    QFETCH(int, low);
    QFETCH(int, high);
    GameTimer timer;
    timer.setInterval(1000);
    QTest::qWait(300);
    timer.setInterval(change);
    if (rearm)
        timer.rearm();
    const int remaining = timer.remainingTime();
    QVERIFY2(remaining >= low && remaining <= high, qPrintable(QString::number(remaining)));
    QCOMPARE(timer.interval(), std::max(change, 0));
}

QTEST_GUILESS_MAIN(GameTimerTest)
#include "tst_game_timer.moc"
