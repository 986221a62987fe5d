#include "app/ui/status/MyAnimation.h"

namespace
{

constexpr double imageSequenceDuration = 10000000;
constexpr float imageSequenceFrameRate = 2.0;
constexpr int imageSequenceMarkCount = 20;

} // namespace

MyAnimation::~MyAnimation()
{
    // The frames call back into this class: end them before it is gone.
    stopAnimation();
}

void MyAnimation::setCurrentProgress(double progress)
{
    ns::Animation::setCurrentProgress(progress);
    if (ns::AnimationDelegate* receiver = delegate())
        receiver->animationDidReachProgressMark(this, progress);
}

std::unique_ptr<MyAnimation> MyAnimation::imageSequenceAnimation(ns::AnimationDelegate* delegate)
{
    auto animation = std::make_unique<MyAnimation>(imageSequenceDuration);
    animation->setFrameRate(imageSequenceFrameRate);
    for (int i = 1; i <= imageSequenceMarkCount; ++i)
        animation->addProgressMark(double(i) / imageSequenceMarkCount);
    animation->setDelegate(delegate);
    return animation;
}
