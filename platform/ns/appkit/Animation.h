#pragma once

#include "platform/ns/Object.h"

#include <QList>

#include <atomic>
#include <stop_token>
#include <thread>

namespace ns
{

class Animation;

// An animation's delegate. Its methods are called on the animation's thread.
class AnimationDelegate
{
public:
    virtual ~AnimationDelegate() = default;
    // The progress has passed one of the animation's progress marks (the mark is given).
    virtual void animationDidReachProgressMark(Animation* /*animation*/, double /*progress*/) {}
};

// What times the frames of running animations: each animation thread asks it
// to wait until its next frame is due. The system pacer waits the frame
// interval; tests install one that lets frames through on demand, so frame
// sequences are checked without waiting for time to pass.
class AnimationFramePacer
{
public:
    virtual ~AnimationFramePacer() = default;
    // Blocks the calling animation thread until its next frame is due; false
    // as soon as the animation is asked to stop.
    virtual bool waitForNextFrame(double interval, std::stop_token stop) = 0;

    static AnimationFramePacer& current();
    // Installs a pacer for the animations started afterwards (nullptr restores the system pacer).
    static void setCurrent(AnimationFramePacer* pacer);
};

// A timed progress from 0 to 1 over a duration, advanced a frame at a time at
// the frame rate. An animation runs on a thread of its own (Cocoa's
// non-blocking threaded mode): setCurrentProgress() and the delegate are
// called there, so whatever they change in widgets must be handed over to the
// GUI thread. The animation ends by itself when the progress reaches 1.
//
// Set-up and start and stop belong to the thread that owns the animation;
// stopping (and destroying) waits for the animation's thread to finish. A
// subclass that overrides setCurrentProgress() stops the animation in its own
// destructor, before the frames could reach a half-destroyed object.
class Animation : public Object
{
public:
    explicit Animation(double duration = 1.0);
    ~Animation() override;

    double duration() const { return duration_; }
    void setDuration(double seconds) { duration_ = seconds; }
    // Frames per second; 0 or less means the default of 60.
    float frameRate() const { return frameRate_; }
    void setFrameRate(float framesPerSecond) { frameRate_ = framesPerSecond; }

    AnimationDelegate* delegate() const { return delegate_.load(); }
    void setDelegate(AnimationDelegate* delegate) { delegate_.store(delegate); }

    // Progress values (0 to 1) whose passing is reported to the delegate.
    const QList<double>& progressMarks() const { return progressMarks_; }
    void setProgressMarks(const QList<double>& marks);
    void addProgressMark(double mark);

    double currentProgress() const { return progress_.load(); }
    // Called with the new progress at every frame.
    virtual void setCurrentProgress(double progress) { progress_.store(progress); }

    // Starts the frames from the current progress (from 0 when the last run
    // ended); does nothing while the animation runs.
    void startAnimation();
    // Ends the frames and waits for the animation's thread; the progress stays where it got to.
    void stopAnimation();
    bool isAnimating() const { return animating_.load(); }

private:
    void run(std::stop_token stop, AnimationFramePacer& pacer, double interval, double step,
             QList<double> marks);

    double duration_;
    float frameRate_ = 60;
    QList<double> progressMarks_;
    std::atomic<AnimationDelegate*> delegate_ = nullptr;
    std::atomic<double> progress_ = 0;
    std::atomic<bool> animating_ = false;
    std::jthread thread_;
};

} // namespace ns
