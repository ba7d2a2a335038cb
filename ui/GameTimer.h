#pragma once

#include <QObject>
#include <QTimer>

// A tick timer whose interval doubles as its switch: 0 stops it. A new
// interval re-arms the wait from the moment it is set; setting the interval
// it already has keeps the running schedule, so ticks stay on their grid.
class GameTimer : public QObject {
    Q_OBJECT
public:
    explicit GameTimer(QObject* parent = nullptr);

    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    // Starts the wait for the next tick afresh, as a new game needs.
    void rearm();
    // Milliseconds until the next tick, or -1 when stopped.
    int remainingTime() const { return timer_.remainingTime(); }

signals:
    void Timer();

private:
    QTimer timer_;
    int interval_ = 0;
};
