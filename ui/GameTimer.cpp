#include "ui/GameTimer.h"

GameTimer::GameTimer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &GameTimer::Timer);
}

void GameTimer::setInterval(int milliseconds)
{
    if (milliseconds < 0)
        milliseconds = 0;
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    if (milliseconds == 0)
        timer_.stop();
    else
        timer_.start(milliseconds);
}

void GameTimer::rearm()
{
    if (interval_ > 0)
        timer_.start(interval_);
}
