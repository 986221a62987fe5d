#include "platform/ns/appkit/Animation.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ns
{

namespace
{

constexpr float defaultFrameRate = 60;

// Waits the frame interval of real time, or less when the animation is stopped.
class SystemFramePacer : public AnimationFramePacer
{
public:
    bool waitForNextFrame(double interval, std::stop_token stop) override
    {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::unique_lock lock(mutex);
        wakeUp.wait_for(lock, stop, std::chrono::duration<double>(interval), [] { return false; });
        return !stop.stop_requested();
    }
};

AnimationFramePacer* installedPacer = nullptr;

} // namespace

AnimationFramePacer& AnimationFramePacer::current()
{
    static SystemFramePacer system;
    return installedPacer ? *installedPacer : system;
}

void AnimationFramePacer::setCurrent(AnimationFramePacer* pacer)
{
    installedPacer = pacer;
}

Animation::Animation(double duration) : duration_(duration) {}

Animation::~Animation()
{
    stopAnimation();
}

void Animation::setProgressMarks(const QList<double>& marks)
{
    progressMarks_ = marks;
    std::sort(progressMarks_.begin(), progressMarks_.end());
}

void Animation::addProgressMark(double mark)
{
    progressMarks_.insert(std::upper_bound(progressMarks_.begin(), progressMarks_.end(), mark), mark);
}

void Animation::startAnimation()
{
    if (animating_.load())
        return;
    if (thread_.joinable())
        thread_.join(); // the last run ended by itself
    if (progress_.load() >= 1.0)
        progress_.store(0);
    const double rate = frameRate_ > 0 ? frameRate_ : defaultFrameRate;
    const double step = duration_ > 0 ? 1.0 / (rate * duration_) : 1.0;
    animating_.store(true);
    thread_ = std::jthread(
        [this, &pacer = AnimationFramePacer::current(), interval = 1.0 / rate, step,
         marks = progressMarks_](std::stop_token stop) { run(stop, pacer, interval, step, marks); });
}

void Animation::stopAnimation()
{
    if (!thread_.joinable())
        return;
    thread_.request_stop();
    // The delegate may stop the animation from its own thread, which cannot wait for itself.
    if (thread_.get_id() != std::this_thread::get_id())
        thread_.join();
    animating_.store(false);
}

void Animation::run(std::stop_token stop, AnimationFramePacer& pacer, double interval, double step,
                    QList<double> marks)
{
    double progress = progress_.load();
    while (pacer.waitForNextFrame(interval, stop)) {
        const double next = std::min(1.0, progress + step);
        setCurrentProgress(next);
        if (AnimationDelegate* receiver = delegate())
            for (double mark : marks)
                if (mark > progress && mark <= next)
                    receiver->animationDidReachProgressMark(this, mark);
        progress = next;
        if (progress >= 1.0)
            break;
    }
    animating_.store(false);
}

} // namespace ns
