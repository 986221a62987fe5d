#include "StatusTestSupport.h"

#include "app/ui/status/MyAnimation.h"

#include <gtest/gtest.h>

#include <QList>

#include <mutex>

using status_test::SteppedFramePacer;

namespace
{

// Records what the animation thread reports.
class ProgressRecorder : public ns::AnimationDelegate
{
public:
    void animationDidReachProgressMark(ns::Animation*, double progress) override
    {
        std::lock_guard lock(mutex_);
        reports_.append(progress);
    }
    QList<double> reports()
    {
        std::lock_guard lock(mutex_);
        return reports_;
    }

private:
    std::mutex mutex_;
    QList<double> reports_;
};

TEST(MyAnimation, ReportsEveryFrameAndTheMarksPassedAndEndsAtFullProgress)
{
    SteppedFramePacer pacer;
    ProgressRecorder recorder;
    MyAnimation animation(2.0);
    animation.setFrameRate(2);
    animation.setProgressMarks({0.5, 0.1});
    animation.setDelegate(&recorder);

    animation.startAnimation();
    pacer.step(3);
    // Each frame first, then a mark it passed.
    EXPECT_EQ(recorder.reports(), (QList<double>{0.25, 0.1, 0.5, 0.5, 0.75}));
    EXPECT_DOUBLE_EQ(pacer.lastInterval(), 0.5);

    pacer.release();
    animation.stopAnimation();
    EXPECT_EQ(recorder.reports().mid(5), QList<double>{1.0});
    EXPECT_DOUBLE_EQ(animation.currentProgress(), 1.0);
    EXPECT_FALSE(animation.isAnimating());
}

TEST(MyAnimation, StopEndsTheThreadAndAStartGoesOnFromTheProgressReached)
{
    SteppedFramePacer pacer;
    ProgressRecorder recorder;
    MyAnimation animation(8.0);
    animation.setFrameRate(1);
    animation.setDelegate(&recorder);

    animation.startAnimation();
    EXPECT_TRUE(animation.isAnimating());
    pacer.step(2);
    animation.stopAnimation();
    // Stopping has waited for the thread: it is out of the pacer for good.
    EXPECT_FALSE(pacer.hasWaitingThread());
    EXPECT_FALSE(animation.isAnimating());

    animation.startAnimation();
    pacer.step();
    animation.stopAnimation();
    EXPECT_EQ(recorder.reports(), (QList<double>{0.125, 0.25, 0.375}));
}

TEST(MyAnimation, ImageSequenceAnimationRunsUntilStoppedAtTwoFramesASecond)
{
    SteppedFramePacer pacer;
    ProgressRecorder recorder;
    auto animation = MyAnimation::imageSequenceAnimation(&recorder);
    EXPECT_EQ(animation->progressMarks().size(), 20);
    EXPECT_DOUBLE_EQ(animation->progressMarks().front(), 0.05);
    EXPECT_DOUBLE_EQ(animation->progressMarks().back(), 1.0);

    animation->startAnimation();
    pacer.step(4);
    EXPECT_DOUBLE_EQ(pacer.lastInterval(), 0.5);
    EXPECT_EQ(recorder.reports().size(), 4);
    EXPECT_TRUE(animation->isAnimating());
    animation->stopAnimation();
}

} // namespace
