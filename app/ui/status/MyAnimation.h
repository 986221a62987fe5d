#pragma once

#include "platform/ns/appkit/Animation.h"

#include <memory>

// An animation that reports every frame to its delegate, not only the
// progress marks: each frame's progress arrives as a reached mark, so a
// delegate can step an image sequence at the animation's frame rate.
class MyAnimation : public ns::Animation
{
public:
    using ns::Animation::Animation;
    ~MyAnimation() override;

    void setCurrentProgress(double progress) override;

    // The animation of the looping image views: runs until stopped, two
    // frames a second on its own thread, progress marks every twentieth, the
    // given delegate told of every frame.
    static std::unique_ptr<MyAnimation> imageSequenceAnimation(ns::AnimationDelegate* delegate);
};
