#include "platform/ns/Timer.h"

#include "platform/ns/Clock.h"

#include <QList>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace ns
{

namespace
{

qint64 toMs(double seconds)
{
    return qint64(std::llround(std::max(0.0, seconds) * 1000.0));
}

// Scheduled timers are kept alive here until they are invalidated.
QList<std::shared_ptr<Timer>>& liveTimers()
{
    static QList<std::shared_ptr<Timer>> timers;
    return timers;
}

struct PerformRequest {
    Object* target;
    QString selector;
    Object* argument;
    std::weak_ptr<Timer> timer;
};

QList<PerformRequest>& performRequests()
{
    static QList<PerformRequest> requests;
    return requests;
}

} // namespace

// ---- system clock: Qt timers on the thread's event loop ----

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }

    void schedule(Timer* timer) override
    {
        timer->qtimer_ = std::make_unique<QTimer>();
        timer->qtimer_->setTimerType(Qt::PreciseTimer);
        timer->qtimer_->setSingleShot(!timer->repeats_);
        QObject::connect(timer->qtimer_.get(), &QTimer::timeout, [timer] { timer->clockFired(); });
        timer->qtimer_->start(int(std::min<qint64>(toMs(timer->interval_), 0x7fffffff)));
    }

    void unschedule(Timer* timer) override
    {
        if (timer->qtimer_)
            timer->qtimer_->stop();
    }
};

namespace
{

SystemClock& systemClock()
{
    static SystemClock clock;
    return clock;
}

Clock* installedClock = nullptr;

} // namespace

Clock& Clock::current()
{
    return installedClock ? *installedClock : systemClock();
}
void Clock::setCurrent(Clock* clock)
{
    installedClock = clock;
}

// ---- manual clock ----

ManualClock::ManualClock(const QDateTime& start) : now_(start) {}

ManualClock::~ManualClock()
{
    if (installedClock == this)
        installedClock = nullptr;
    for (Timer* t : QList<Timer*>(timers_))
        t->invalidate();
}

void ManualClock::schedule(Timer* timer)
{
    timers_.append(timer);
}
void ManualClock::unschedule(Timer* timer)
{
    timers_.removeAll(timer);
}

void ManualClock::advance(double seconds)
{
    const QDateTime target = now_.addMSecs(toMs(seconds));
    for (;;) {
        Timer* due = nullptr;
        for (Timer* t : timers_)
            if (t->fireDate() <= target && (!due || t->fireDate() < due->fireDate()))
                due = t;
        if (!due)
            break;
        if (due->fireDate() > now_)
            now_ = due->fireDate();
        due->clockFired();
    }
    // A timer that moved the clock on itself (a nested run) never sends it back.
    if (target > now_)
        now_ = target;
}

// ---- timer ----

Timer::Timer(double interval, bool repeats, Callback callback, const Value& userInfo)
    : interval_(interval <= 0 ? 0.0001 : interval), repeats_(repeats), callback_(std::move(callback)),
      userInfo_(userInfo)
{
}

Timer::~Timer() = default;

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, bool repeats, Callback callback,
                                             const Value& userInfo)
{
    std::shared_ptr<Timer> timer(new Timer(interval, repeats, std::move(callback), userInfo));
    timer->clock_ = &Clock::current();
    timer->fireDate_ = timer->clock_->now().addMSecs(toMs(timer->interval_));
    liveTimers().append(timer);
    timer->clock_->schedule(timer.get());
    return timer;
}

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, Object* target, const QString& selector,
                                             const Value& userInfo, bool repeats)
{
    std::weak_ptr<const void> alive = target ? target->lifetime() : std::weak_ptr<const void>();
    return scheduledTimer(
        interval, repeats,
        [target, selector, alive](Timer& t) {
            if (alive.expired())
                t.invalidate();
            else
                target->performSelector(selector, &t);
        },
        userInfo);
}

void Timer::invalidate()
{
    if (!valid_)
        return;
    valid_ = false;
    if (clock_)
        clock_->unschedule(this);
    // Keep this object alive until the caller's frame is done with it.
    std::shared_ptr<Timer> self = shared_from_this();
    liveTimers().removeAll(self);
}

void Timer::fire()
{
    if (!valid_)
        return;
    std::shared_ptr<Timer> keep = shared_from_this();
    callback_(*this);
    if (!repeats_)
        invalidate();
}

void Timer::clockFired()
{
    if (!valid_)
        return;
    std::shared_ptr<Timer> keep = shared_from_this();
    // At least a millisecond on, so that time moves on under a very short interval.
    if (repeats_)
        fireDate_ = fireDate_.addMSecs(std::max<qint64>(1, toMs(interval_)));
    fire();
}

// ---- delayed performs ----

void performSelectorAfterDelay(Object* target, const QString& selector, Object* argument, double delay)
{
    if (!target)
        return;
    auto timer = Timer::scheduledTimer(delay, false, [target, selector, argument](Timer& t) {
        performRequests().removeIf([&t](const PerformRequest& r) { return r.timer.lock().get() == &t; });
        target->performSelector(selector, argument);
    });
    performRequests().append({target, selector, argument, timer});
}

void cancelPreviousPerformRequests(Object* target, const QString& selector, Object* argument)
{
    QList<PerformRequest> cancelled;
    performRequests().removeIf([&](const PerformRequest& r) {
        const bool match = r.target == target && r.selector == selector && r.argument == argument;
        if (match)
            cancelled.append(r);
        return match;
    });
    for (const PerformRequest& r : cancelled)
        if (auto t = r.timer.lock())
            t->invalidate();
}

void invalidateAndRelease(std::shared_ptr<Timer>& timer)
{
    if (timer)
        timer->invalidate();
    timer.reset();
}

void cancelPreviousPerformRequestsWithTarget(Object* target)
{
    QList<PerformRequest> cancelled;
    performRequests().removeIf([&](const PerformRequest& r) {
        if (r.target == target)
            cancelled.append(r);
        return r.target == target;
    });
    for (const PerformRequest& r : cancelled)
        if (auto t = r.timer.lock())
            t->invalidate();
}

} // namespace ns
