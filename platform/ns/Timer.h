#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/Value.h"

#include <QDateTime>

#include <memory>

class QTimer;

namespace ns
{

class Clock;

// A timer on the main run loop. A scheduled timer stays alive until it is
// invalidated (a one-shot timer invalidates itself after firing), whether or
// not its creator keeps the returned pointer.
class Timer : public Object, public std::enable_shared_from_this<Timer>
{
public:
    using Callback = std::function<void(Timer&)>;

    static std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats, Callback callback,
                                                 const Value& userInfo = Value());
    // Cocoa's target and selector form: the selector receives the timer. A
    // timer whose target has been destroyed invalidates itself when it falls due.
    static std::shared_ptr<Timer> scheduledTimer(double interval, Object* target, const QString& selector,
                                                 const Value& userInfo, bool repeats);
    ~Timer() override;

    void invalidate();
    bool isValid() const { return valid_; }
    void fire();
    double timeInterval() const { return interval_; }
    bool repeats() const { return repeats_; }
    QDateTime fireDate() const { return fireDate_; }
    const Value& userInfo() const { return userInfo_; }

private:
    friend class ManualClock;
    friend class SystemClock;
    Timer(double interval, bool repeats, Callback callback, const Value& userInfo);
    // Called by the clock when the timer falls due.
    void clockFired();

    double interval_;
    bool repeats_;
    Callback callback_;
    Value userInfo_;
    QDateTime fireDate_;
    bool valid_ = true;
    Clock* clock_ = nullptr;
    std::unique_ptr<QTimer> qtimer_; // only under the system clock
};

// Invalidates a held timer, if any, and lets it go.
void invalidateAndRelease(std::shared_ptr<Timer>& timer);

// performSelector:withObject:afterDelay: and its cancellation.
void performSelectorAfterDelay(Object* target, const QString& selector, Object* argument, double delay);
void cancelPreviousPerformRequests(Object* target, const QString& selector, Object* argument);
void cancelPreviousPerformRequestsWithTarget(Object* target);

} // namespace ns
