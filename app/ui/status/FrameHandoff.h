#pragma once

#include <QObject>

#include <atomic>
#include <functional>

// Carries what an animation thread computes for a widget over to the GUI
// thread, where it is applied at the next turn of the event loop. Whatever is
// still on its way when a run ends is dropped, so a stopped view never moves
// on afterwards and a new run never receives an old run's frames.
class FrameHandoff
{
public:
    // The widget the changes are for; they are dropped when it is destroyed.
    explicit FrameHandoff(QObject* receiver) : receiver_(receiver) {}

    // Animation thread: queues the change for the GUI thread.
    void post(std::function<void()> apply);
    // GUI thread, once the animation thread has finished: drops what is on its way.
    void endRun() { ++run_; }

private:
    QObject* receiver_;
    std::atomic<unsigned> run_ = 0;
};
