#pragma once

#include "platform/ns/appkit/Animation.h"

#include <condition_variable>
#include <mutex>

namespace appkit_test
{

// Installed while it lives: animation threads wait in it until the test lets
// a frame through, so frame sequences run step by step.
class SteppedFramePacer : public ns::AnimationFramePacer
{
public:
    SteppedFramePacer();
    ~SteppedFramePacer() override;

    bool waitForNextFrame(double interval, std::stop_token stop) override;

    // Lets one frame through and returns once the animation thread has done
    // it and waits for the next one.
    void step();
    void step(int frames);
    // Lets one frame through without waiting for it to be done.
    void release();
    // Whether an animation thread is in the pacer now.
    bool hasWaitingThread();
    // The frame interval the last animation asked for.
    double lastInterval();

private:
    // Waits (with a watchdog) until the condition holds; false when it never did.
    template <class Condition> bool waitUntil(std::unique_lock<std::mutex>& lock, Condition condition);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    int waiting_ = 0;
    int released_ = 0;
    long arrivals_ = 0;
    double lastInterval_ = 0;
};

} // namespace appkit_test
