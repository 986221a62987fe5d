#include "tests/support/SteppedFramePacer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace appkit_test
{

namespace
{

// Long enough never to fire while the tests pass; it only keeps a broken
// animation thread from hanging the test program.
constexpr std::chrono::seconds watchdog(20);

} // namespace

SteppedFramePacer::SteppedFramePacer()
{
    ns::AnimationFramePacer::setCurrent(this);
}

SteppedFramePacer::~SteppedFramePacer()
{
    ns::AnimationFramePacer::setCurrent(nullptr);
}

bool SteppedFramePacer::waitForNextFrame(double interval, std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    lastInterval_ = interval;
    ++waiting_;
    ++arrivals_;
    changed_.notify_all();
    const bool frame = changed_.wait(lock, stop, [this] { return released_ > 0; });
    if (frame)
        --released_;
    --waiting_;
    changed_.notify_all();
    return frame;
}

template <class Condition>
bool SteppedFramePacer::waitUntil(std::unique_lock<std::mutex>& lock, Condition condition)
{
    return changed_.wait_for(lock, watchdog, condition);
}

void SteppedFramePacer::step()
{
    std::unique_lock lock(mutex_);
    ASSERT_TRUE(waitUntil(lock, [this] { return waiting_ > 0; })) << "no animation is running";
    const long before = arrivals_;
    ++released_;
    changed_.notify_all();
    ASSERT_TRUE(waitUntil(lock, [&] { return arrivals_ > before; })) << "the frame was not done";
}

void SteppedFramePacer::step(int frames)
{
    for (int i = 0; i < frames; ++i)
        step();
}

void SteppedFramePacer::release()
{
    std::unique_lock lock(mutex_);
    ASSERT_TRUE(waitUntil(lock, [this] { return waiting_ > 0; })) << "no animation is running";
    ++released_;
    changed_.notify_all();
    ASSERT_TRUE(waitUntil(lock, [this] { return released_ == 0; })) << "the frame was not taken";
}

bool SteppedFramePacer::hasWaitingThread()
{
    std::lock_guard lock(mutex_);
    return waiting_ > 0;
}

double SteppedFramePacer::lastInterval()
{
    std::lock_guard lock(mutex_);
    return lastInterval_;
}

} // namespace appkit_test
