#pragma once

#include <QDateTime>

namespace ns
{

class Timer;

// The one clock that timers, delayed performs and "now" read. The system clock
// drives timers from the Qt event loop; tests install a ManualClock and move
// time on by hand, so behaviour over seconds or months runs without sleeping.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    static Clock& current();
    // Installs a clock (nullptr restores the system clock); timers already
    // scheduled keep the clock they were scheduled on.
    static void setCurrent(Clock* clock);

    virtual void schedule(Timer* timer) = 0;
    virtual void unschedule(Timer* timer) = 0;
};

class ManualClock : public Clock
{
public:
    explicit ManualClock(const QDateTime& start = QDateTime::currentDateTimeUtc());
    ~ManualClock() override;

    QDateTime now() const override { return now_; }
    // Moves time on, firing every timer that falls due, in order of fire date.
    void advance(double seconds);
    // The timers waiting to fire (what would wake an idle program).
    int scheduledTimerCount() const { return int(timers_.size()); }

    void schedule(Timer* timer) override;
    void unschedule(Timer* timer) override;

private:
    QDateTime now_;
    QList<Timer*> timers_;
};

} // namespace ns
